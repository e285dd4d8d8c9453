#include "canvas.h"

#include <algorithm>
#include <cstring>

namespace zw {

std::string Num(long long n) {
  char buf[24];
  char* p = buf + sizeof buf;
  unsigned long long u = n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
  do {
    *--p = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u);
  if (n < 0) *--p = '-';
  return std::string(p, buf + sizeof buf - p);
}

HFONT CreateFontFor(const FontSpec& f) {
  return CreateFontA(-std::abs(f.height), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, f.underline, 0,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, f.name.c_str());
}

void Canvas::Attach(HDC dc) {
  Detach();
  dc_ = dc;
  if (!dc_) return;
  origPen_ = GetCurrentObject(dc_, OBJ_PEN);
  origBrush_ = GetCurrentObject(dc_, OBJ_BRUSH);
  origFont_ = GetCurrentObject(dc_, OBJ_FONT);
}

void Canvas::Detach() {
  if (dc_) {
    SelectObject(dc_, origPen_);
    SelectObject(dc_, origBrush_);
    SelectObject(dc_, origFont_);
  }
  if (penObj_) DeleteObject(penObj_);
  if (brushObj_) DeleteObject(brushObj_);
  if (fontObj_) DeleteObject(fontObj_);
  penObj_ = nullptr;
  brushObj_ = nullptr;
  fontObj_ = nullptr;
  fontMade_ = false;
  dc_ = nullptr;
}

void Canvas::RealizePen() {
  bool same = penObj_ && madePen_.color == pen.color && madePen_.width == pen.width && madePen_.style == pen.style;
  if (!same) {
    int st = PS_SOLID;
    switch (pen.style) {
      case PenStyle::Solid: st = PS_SOLID; break;
      case PenStyle::Dash: st = PS_DASH; break;
      case PenStyle::Dot: st = PS_DOT; break;
      case PenStyle::DashDot: st = PS_DASHDOT; break;
      case PenStyle::Clear: st = PS_NULL; break;
    }
    HPEN p = CreatePen(st, pen.width, pen.color);
    SelectObject(dc_, p);
    if (penObj_) DeleteObject(penObj_);
    penObj_ = p;
    madePen_ = pen;
  }
  SetROP2(dc_, pen.mode == PenMode::Xor ? R2_XORPEN : R2_COPYPEN);
}

void Canvas::RealizeBrush() {
  bool same = brushObj_ && madeBrush_.color == brush.color && madeBrush_.style == brush.style &&
              madeBrush_.pattern == brush.pattern;
  if (same) return;
  HBRUSH b;
  if (brush.style == BrushStyle::Clear) {
    LOGBRUSH lb{BS_HOLLOW, 0, 0};
    b = CreateBrushIndirect(&lb);
  } else if (brush.style == BrushStyle::Pattern && brush.pattern) {
    b = CreatePatternBrush(brush.pattern);
  } else {
    b = CreateSolidBrush(brush.color);
  }
  SelectObject(dc_, b);
  if (brushObj_) DeleteObject(brushObj_);
  brushObj_ = b;
  madeBrush_ = brush;
}

void Canvas::RealizeFont() {
  if (!fontMade_ || !(madeFont_ == font)) {
    HFONT f = CreateFontFor(font);
    SelectObject(dc_, f);
    if (fontObj_) DeleteObject(fontObj_);
    fontObj_ = f;
    madeFont_ = font;
    fontMade_ = true;
  }
  SetTextColor(dc_, font.color);
}

void Canvas::Realize() {
  if (!dc_) return;
  RealizePen();
  RealizeBrush();
  RealizeFont();
  // A pattern brush draws its set bits in the text colour and clear bits in the background colour.
  if (brush.style == BrushStyle::Pattern) {
    SetTextColor(dc_, 0);
    SetBkColor(dc_, brush.color);
  }
}

COLORREF Canvas::Pixel(int x, int y) const { return dc_ ? GetPixel(dc_, x, y) : CLR_INVALID; }
void Canvas::SetPixel(int x, int y, COLORREF c) { if (dc_) SetPixelV(dc_, x, y, c); }
void Canvas::MoveTo(int x, int y) { if (dc_) MoveToEx(dc_, x, y, nullptr); }
void Canvas::LineTo(int x, int y) { if (!dc_) return; RealizePen(); ::LineTo(dc_, x, y); }

void Canvas::Rectangle(int l, int t, int r, int b) {
  if (!dc_) return;
  Realize();
  ::Rectangle(dc_, l, t, r, b);
}
void Canvas::Ellipse(int l, int t, int r, int b) {
  if (!dc_) return;
  Realize();
  ::Ellipse(dc_, l, t, r, b);
}
void Canvas::RoundRect(int l, int t, int r, int b, int cw, int ch) {
  if (!dc_) return;
  Realize();
  ::RoundRect(dc_, l, t, r, b, cw, ch);
}
void Canvas::Polygon(const POINT* pts, int n) {
  if (!dc_) return;
  Realize();
  ::Polygon(dc_, pts, n);
}
void Canvas::Polyline(const POINT* pts, int n) {
  if (!dc_) return;
  RealizePen();
  ::Polyline(dc_, pts, n);
}
void Canvas::FillRect(const RECT& r) {
  if (!dc_) return;
  Realize();
  if (brush.style == BrushStyle::Clear) return;
  ::FillRect(dc_, &r, brushObj_);
}
void Canvas::FrameRect(const RECT& r) {
  if (!dc_) return;
  HBRUSH b = CreateSolidBrush(brush.color);
  ::FrameRect(dc_, &r, b);
  DeleteObject(b);
}
void Canvas::TextOut(int x, int y, const std::string& s) {
  if (!dc_) return;
  Realize();
  SetBkMode(dc_, brush.style == BrushStyle::Clear ? TRANSPARENT : OPAQUE);
  SetBkColor(dc_, brush.color);
  ::TextOutA(dc_, x, y, s.data(), static_cast<int>(s.size()));
}
void Canvas::TextRect(const RECT& clip, int x, int y, const std::string& s) {
  if (!dc_) return;
  Realize();
  SetBkMode(dc_, brush.style == BrushStyle::Clear ? TRANSPARENT : OPAQUE);
  SetBkColor(dc_, brush.color);
  ExtTextOutA(dc_, x, y, ETO_CLIPPED | (brush.style == BrushStyle::Clear ? 0 : ETO_OPAQUE), &clip, s.data(),
              static_cast<UINT>(s.size()), nullptr);
}
int Canvas::TextWidth(const std::string& s) {
  if (!dc_) return 0;
  RealizeFont();
  SIZE sz{};
  GetTextExtentPoint32A(dc_, s.data(), static_cast<int>(s.size()), &sz);
  return sz.cx;
}
int Canvas::TextHeight(const std::string& s) {
  if (!dc_) return 0;
  RealizeFont();
  SIZE sz{};
  GetTextExtentPoint32A(dc_, s.empty() ? " " : s.data(), s.empty() ? 1 : static_cast<int>(s.size()), &sz);
  return sz.cy;
}
int Canvas::DrawText(RECT& r, const std::string& s, UINT format) {
  if (!dc_) return 0;
  RealizeFont();
  SetBkMode(dc_, TRANSPARENT);
  return ::DrawTextA(dc_, s.data(), static_cast<int>(s.size()), &r, format);
}

void Canvas::CopyRect(const RECT& d, HDC src, const RECT& s, CopyMode mode) {
  if (!dc_) return;
  int dw = d.right - d.left, dh = d.bottom - d.top, sw = s.right - s.left, sh = s.bottom - s.top;
  if (dw == sw && dh == sh) {
    BitBlt(dc_, d.left, d.top, dw, dh, src, s.left, s.top, static_cast<DWORD>(mode));
  } else {
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, d.left, d.top, dw, dh, src, s.left, s.top, sw, sh, static_cast<DWORD>(mode));
  }
}
void Canvas::CopyRect(const RECT& d, const Bitmap& src, const RECT& s, CopyMode mode) {
  if (!src.Empty()) CopyRect(d, src.DC(), s, mode);
}
void Canvas::StretchDraw(const RECT& d, const Bitmap& src) {
  CopyRect(d, src, RECT{0, 0, src.Width(), src.Height()});
}
void Canvas::Draw(int x, int y, const Bitmap& src) {
  CopyRect(RECT{x, y, x + src.Width(), y + src.Height()}, src, RECT{0, 0, src.Width(), src.Height()});
}

void Canvas::CopyTransparent(const RECT& d, const Bitmap& src, const RECT& s, COLORREF transparent) {
  if (!dc_ || src.Empty()) return;
  int sw = s.right - s.left, sh = s.bottom - s.top;
  if (sw <= 0 || sh <= 0) return;
  // Monochrome mask of the source: 1 where the pixel is the transparent colour.
  HDC mdc = CreateCompatibleDC(dc_);
  HBITMAP mask = CreateBitmap(sw, sh, 1, 1, nullptr);
  HGDIOBJ om = SelectObject(mdc, mask);
  COLORREF oldBk = SetBkColor(src.DC(), transparent);
  BitBlt(mdc, 0, 0, sw, sh, src.DC(), s.left, s.top, SRCCOPY);
  SetBkColor(src.DC(), oldBk);
  // dst ^= src; dst &= mask (white where transparent); dst ^= src.
  COLORREF oldText = SetTextColor(dc_, 0);
  COLORREF oldBk2 = SetBkColor(dc_, 0xFFFFFF);
  CopyRect(d, src.DC(), s, CopyMode(SRCINVERT));
  CopyRect(d, mdc, RECT{0, 0, sw, sh}, CopyMode::And);
  CopyRect(d, src.DC(), s, CopyMode(SRCINVERT));
  SetTextColor(dc_, oldText);
  SetBkColor(dc_, oldBk2);
  SelectObject(mdc, om);
  DeleteObject(mask);
  DeleteDC(mdc);
}

void Canvas::FloodFill(int x, int y, COLORREF c) {
  if (!dc_) return;
  Realize();
  ExtFloodFill(dc_, x, y, c, FLOODFILLSURFACE);
}

// --- Bitmap ---

void Bitmap::Free() {
  canvas_.Detach();
  if (dc_) {
    SelectObject(dc_, orig_);
    DeleteDC(dc_);
  }
  if (bmp_) DeleteObject(bmp_);
  dc_ = nullptr;
  bmp_ = nullptr;
  bits_ = nullptr;
  w_ = h_ = stride_ = 0;
}

void Bitmap::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == w_ && h == h_ && bmp_) return;
  if (w == 0 || h == 0) {
    Free();
    return;
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP nb = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!nb) return;
  int nstride = (w * 3 + 3) & ~3;
  std::memset(bits, 0xFF, static_cast<size_t>(nstride) * h);
  HDC ndc = CreateCompatibleDC(nullptr);
  HGDIOBJ norig = SelectObject(ndc, nb);
  if (bmp_) BitBlt(ndc, 0, 0, std::min(w, w_), std::min(h, h_), dc_, 0, 0, SRCCOPY);
  // Keep the canvas's drawing settings across the resize.
  Pen p = canvas_.pen;
  Brush b = canvas_.brush;
  FontSpec f = canvas_.font;
  Free();
  bmp_ = nb;
  dc_ = ndc;
  orig_ = norig;
  bits_ = static_cast<BYTE*>(bits);
  w_ = w;
  h_ = h;
  stride_ = nstride;
  canvas_.Attach(dc_);
  canvas_.pen = p;
  canvas_.brush = b;
  canvas_.font = f;
}

void Bitmap::Assign(const Bitmap& o) {
  if (o.Empty()) {
    Free();
    return;
  }
  SetSize(o.w_, o.h_);
  GdiFlush();
  if (bits_) std::memcpy(bits_, o.bits_, static_cast<size_t>(stride_) * h_);
}

bool Bitmap::AssignHandle(HBITMAP h) {
  BITMAP bm{};
  if (!h || !GetObjectA(h, sizeof bm, &bm)) return false;
  Free();
  SetSize(bm.bmWidth, std::abs(bm.bmHeight));
  if (Empty()) return false;
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ o = SelectObject(src, h);
  BitBlt(dc_, 0, 0, w_, h_, src, 0, 0, SRCCOPY);
  SelectObject(src, o);
  DeleteDC(src);
  return true;
}

bool Bitmap::LoadResource(HINSTANCE inst, const char* name) {
  HBITMAP h = static_cast<HBITMAP>(LoadImageA(inst, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!h) return false;
  bool ok = AssignHandle(h);
  DeleteObject(h);
  return ok;
}

COLORREF Bitmap::Get(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= w_ || y >= h_) return 0;
  GdiFlush();
  const BYTE* p = bits_ + static_cast<size_t>(y) * stride_ + x * 3;
  return RGB(p[2], p[1], p[0]);
}

void Bitmap::Set(int x, int y, COLORREF c) {
  if (!bits_ || x < 0 || y < 0 || x >= w_ || y >= h_) return;
  GdiFlush();
  BYTE* p = bits_ + static_cast<size_t>(y) * stride_ + x * 3;
  p[0] = GetBValue(c);
  p[1] = GetGValue(c);
  p[2] = GetRValue(c);
}

void Bitmap::Fill(COLORREF c) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) Set(x, y, c);
}

}  // namespace zw
