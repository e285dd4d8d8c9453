#include "zon_button.h"

#include <algorithm>
#include <vector>

#include "application.h"
#include "palette.h"

namespace zw {

static const COLORREF kWhite = 0xFFFFFF, kGray = 0x808080, kBlack = 0;

HPALETTE TZonGraphicControl::GetPalette() const { return ThePalette().handle; }
void TZonGraphicControl::SelectPalette(Canvas& c) const { ThePalette().Select(c.Handle()); }

void DrawRing(Canvas& c, int x, int y, int w, int h, COLORREF light, COLORREF shadow) {
  c.pen.style = PenStyle::Solid;
  c.pen.width = 1;
  c.pen.mode = PenMode::Copy;
  c.pen.color = shadow;
  c.MoveTo(x, h - 1);
  c.LineTo(w, h - 1);
  c.MoveTo(w - 1, y);
  c.LineTo(w - 1, h - 1);
  c.pen.color = light;
  c.MoveTo(x, y);
  c.LineTo(x, h);
  c.MoveTo(x, y);
  c.LineTo(w, y);
}

TZonBtn::TZonBtn() {
  width = 65;
  height = 65;
}

void TZonBtn::Changed() { Invalidate(); }

#define ZW_SETTER(Name, type, field) \
  void TZonBtn::Set##Name(type v) {  \
    if (field == v) return;          \
    field = v;                       \
    Changed();                       \
  }
ZW_SETTER(BtnStyle, TBtnStyle, btnStyle_)
ZW_SETTER(Color, COLORREF, color_)
ZW_SETTER(PenColor, COLORREF, penColor_)
ZW_SETTER(PenWidth, int, penWidth_)
ZW_SETTER(NumGlyphs, int, numGlyphs_)
ZW_SETTER(TextAlign, TBtnDirection, textAlign_)
ZW_SETTER(SpeedKey, ShortCut, speedKey_)
ZW_SETTER(SpeedKeyOn, bool, speedKeyOn_)
ZW_SETTER(Transparent, bool, transparent_)
ZW_SETTER(Dither, bool, dither_)
ZW_SETTER(Pattern, int, pattern_)
#undef ZW_SETTER

void TZonBtn::SetCaption(const std::string& c) {
  if (c == caption) return;
  caption = c;
  Changed();
}

PropResult TZonBtn::SetProperty(const std::string& p, const PropValue& v) {
  auto num = [&](auto& field) {
    if (v.kind != PropValue::Number) return PropResult::BadValue;
    field = static_cast<std::remove_reference_t<decltype(field)>>(v.number);
    return PropResult::Ok;
  };
  auto flag = [&](bool& field) {
    if (!v.IsBool()) return PropResult::BadValue;
    field = v.IsTrue();
    return PropResult::Ok;
  };
  if (p == "BtnStyle") {
    static const char* names[] = {"zwClear", "zw3DBorder", "zw3DFatBorder", "zwDoubleBorder", "zw3DFrame",
                                  "zwChiseled", "zwLowBeveled", "zwHiBeveled", "zw3DEllipse", "zwDoubleEllipse",
                                  "zwEllipse", "zwRoundRect", "zwRectangle", "zwGrad3DBorder", "zwGrad3DFatBorder",
                                  "zwGradDoubleBorder", "zwGrad3DFrame", "zwGradChiseled", "zwGradLowBeveled",
                                  "zwGradHiBeveled", "zwGrad3DEllipse", "zwGradDoubleEllipse",
                                  "zwGradDoubleRectangle", "zwFrameBtn", "zwPushBtn"};
    for (int i = 0; i < 25; ++i)
      if (v.text == names[i]) {
        btnStyle_ = static_cast<TBtnStyle>(i);
        return PropResult::Ok;
      }
    return PropResult::BadValue;
  }
  if (p == "Color") return ColorValue(v, color_) ? PropResult::Ok : PropResult::BadValue;
  if (p == "PenColor" || p == "Pen.Color") return ColorValue(v, penColor_) ? PropResult::Ok : PropResult::BadValue;
  if (p == "PenWidth" || p == "Pen.Width") return num(penWidth_);
  if (p == "NumGlyphs") return num(numGlyphs_);
  if (p == "Pattern") return num(pattern_);
  if (p == "Transparent") return flag(transparent_);
  if (p == "Dither") return flag(dither_);
  if (p == "SpeedKeyOn") return flag(speedKeyOn_);
  if (p == "SpeedKey") {
    if (v.kind != PropValue::String || !(speedKey_ = TextToShortCut(v.text))) return PropResult::BadValue;
    return PropResult::Ok;
  }
  if (p == "TextAlign") {
    if (v.text == "zwLeft") textAlign_ = zwLeft;
    else if (v.text == "zwCenter") textAlign_ = zwCenter;
    else if (v.text == "zwRight") textAlign_ = zwRight;
    else return PropResult::BadValue;
    return PropResult::Ok;
  }
  if (p == "Icon") return LoadPictureValue(v, Icon) ? PropResult::Ok : PropResult::BadValue;
  if (p == "BitMap") return LoadPictureValue(v, BitMap) ? PropResult::Ok : PropResult::BadValue;
  return TZonGraphicControl::SetProperty(p, v);
}

// The 8 x 8 pattern "P" n as a monochrome bitmap: non-white pixels 0, white pixels 1.
static HBITMAP PatternBitmap(int n) {
  Bitmap src;
  std::string name = "P" + zw::Num(n);
  if (!src.LoadResource(App().instance, name.c_str())) return nullptr;
  WORD rows[8] = {};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (src.Get(x, y) == kWhite) rows[y] |= static_cast<WORD>(0x80 >> x);
  return CreateBitmap(8, 8, 1, 1, rows);
}

void TZonBtn::Paint(Canvas& c) {
  SelectPalette(c);
  // 1. Pen and brush; a pen of width 0 is invisible.
  c.brush.color = color_;
  c.brush.style = BrushStyle::Solid;
  c.pen.color = penColor_;
  c.pen.width = std::max(penWidth_, 1);
  c.pen.mode = PenMode::Copy;
  c.pen.style = penWidth_ == 0 ? PenStyle::Clear : PenStyle::Solid;
  int w = 0, h = 0;
  if (penWidth_ > 0 && btnStyle_ != zwClear) {
    w = penWidth_;
    h = (w + 1) / 2;
  }
  // 2. Bevel colours.
  COLORREF light = down_ ? kGray : kWhite, shadow = down_ ? kWhite : kGray;
  // 3. Face rectangle.
  int x, fw, fh;
  if (btnStyle_ == zwFrameBtn || btnStyle_ == zwPushBtn) {
    x = h + (w % 2) + (btnStyle_ == zwPushBtn && down_ ? 2 : 0);
  } else {
    x = h - (w % 2);
  }
  int y = x;
  fw = width - 2 * x;
  fh = height - 2 * x;
  // 4. Fill.
  bool blackFace = down_ && pattern_ != 1 &&
                   (btnStyle_ == zwEllipse || btnStyle_ == zwRoundRect || btnStyle_ == zwRectangle || btnStyle_ == zwFrameBtn);
  HBITMAP pat = nullptr;
  if (blackFace) {
    c.brush.color = kBlack;
  } else if (pattern_ == 1 || IsGradientStyle(btnStyle_)) {
    c.brush.style = BrushStyle::Clear;
  } else if (pattern_ > 1 && (pat = PatternBitmap(pattern_)) != nullptr) {
    c.brush.style = BrushStyle::Pattern;
    c.brush.pattern = pat;
  }
  if (btnStyle_ != zwClear) {
    if (pat && transparent_) {
      // Only the pattern's dark pixels reach the surface: dest AND pattern (white elsewhere).
      HBRUSH b = CreatePatternBrush(pat);
      HGDIOBJ old = SelectObject(c.Handle(), b);
      COLORREF ot = SetTextColor(c.Handle(), kBlack), ob = SetBkColor(c.Handle(), kWhite);
      PatBlt(c.Handle(), x, y, fw, fh, 0x00A000C9);
      SetTextColor(c.Handle(), ot);
      SetBkColor(c.Handle(), ob);
      SelectObject(c.Handle(), old);
      DeleteObject(b);
      c.brush.style = BrushStyle::Clear;
    }
    if (btnStyle_ == zwRoundRect) c.RoundRect(x, y, x + fw, y + fh, fw / 4, fh / 4);
    else if (IsEllipseStyle(btnStyle_)) c.Ellipse(x, y, x + fw, y + fh);
    else c.Rectangle(x, y, x + fw, y + fh);
  }
  c.brush.style = BrushStyle::Solid;
  c.brush.pattern = nullptr;
  if (pat) DeleteObject(pat);
  // 5. The face moves in by h and shrinks by 1.
  x += h;
  y += h;
  fw -= 1;
  fh -= 1;
  RECT face{x, y, x + fw, y + fh};
  if (IsGradientStyle(btnStyle_)) PaintGradient(c, face);
  // 6. Frame.
  PaintFrame(c, face, light, shadow);
  // 7, 8. Glyph and caption.
  bool shifts = down_ && ((btnStyle_ >= 1 && btnStyle_ <= 9) || (btnStyle_ >= 13 && btnStyle_ <= 22) || btnStyle_ == zwPushBtn);
  PaintContent(c, shifts ? 2 : 0);
}

void TZonBtn::PaintGradient(Canvas& c, RECT r) {
  int H = r.bottom - r.top;
  if (H <= 0) return;
  int step = std::clamp(H / 15, 1, 10);
  int n = std::max(1, H / step);
  int red = GetRValue(color_), green = GetGValue(color_), blue = GetBValue(color_);
  if (GetDeviceCaps(c.Handle(), BITSPIXEL) <= 8 && ThePalette().handle) {
    COLORREF pc = PALETTEINDEX(GetNearestPaletteIndex(ThePalette().handle, color_));
    PALETTEENTRY pe{};
    GetPaletteEntries(ThePalette().handle, pc & 0xFFFF, 1, &pe);
    red = pe.peRed, green = pe.peGreen, blue = pe.peBlue;
  }
  int add = (255 - std::min({red, green, blue})) / n;
  Brush keep = c.brush;
  c.brush.style = BrushStyle::Solid;
  for (int i = 0; i < n && r.bottom > r.top; ++i) {
    red = std::min(255, red + add);
    green = std::min(255, green + add);
    blue = std::min(255, blue + add);
    COLORREF col = RGB(red, green, blue);
    if (!dither_ && GetDeviceCaps(c.Handle(), BITSPIXEL) <= 8) col = GetNearestColor(c.Handle(), col);
    c.brush.color = col;
    c.FillRect(r);
    if (down_) r.top += step;
    else r.bottom -= step;
  }
  c.brush = keep;
}

void TZonBtn::PaintFrame(Canvas& c, RECT f, COLORREF light, COLORREF shadow) {
  int x = f.left, y = f.top, w = f.right, h = f.bottom;
  auto ring = [&](int inset, COLORREF l, COLORREF s) { DrawRing(c, x + inset, y + inset, w - inset, h - inset, l, s); };
  auto arcs = [&](int inset, COLORREF l, COLORREF s) {
    c.brush.style = BrushStyle::Clear;
    c.pen.style = PenStyle::Solid;
    c.pen.width = 1;
    c.pen.color = l;
    Arc(c.Handle(), x + inset, y + inset, w - inset, h - inset, w - inset, y + inset, x + inset, h - inset);
    c.pen.color = s;
    Arc(c.Handle(), x + inset, y + inset, w - inset, h - inset, x + inset, h - inset, w - inset, y + inset);
    c.brush.style = BrushStyle::Solid;
  };
  switch (btnStyle_) {
    case zw3DBorder: case zwGrad3DBorder:
      ring(0, light, shadow);
      ring(1, light, shadow);
      break;
    case zw3DFatBorder: case zwGrad3DFatBorder:
      for (int i = 0; i < 4; ++i) ring(i, light, shadow);
      break;
    case zwDoubleBorder: case zwGradDoubleBorder: case zwGradDoubleRectangle:
      ring(0, light, shadow);
      ring(12, shadow, light);
      break;
    case zw3DFrame: case zwGrad3DFrame: case zwFrameBtn:
      ring(0, shadow, light);
      ring(1, light, shadow);
      break;
    case zwChiseled: case zwGradChiseled:
      ring(0, light, shadow);
      ring(1, shadow, light);
      break;
    case zwLowBeveled: case zwGradLowBeveled:
      ring(0, shadow, light);
      break;
    case zwHiBeveled: case zwGradHiBeveled:
      ring(0, light, shadow);
      break;
    case zw3DEllipse: case zwGrad3DEllipse:
      arcs(0, light, shadow);
      arcs(1, light, shadow);
      break;
    case zwDoubleEllipse: case zwGradDoubleEllipse:
      arcs(0, light, shadow);
      arcs(12, shadow, light);
      break;
    case zwPushBtn:
      ring(0, light, kBlack);
      ring(1, light, shadow);
      break;
    default:
      break;
  }
}

void TZonBtn::PaintContent(Canvas& c, int shift) {
  int margin = IsEllipseStyle(btnStyle_) ? 12 : 6;
  int gw = 0;
  if (!Icon.Empty()) {
    int n = numGlyphs_ <= 0 ? 1 : numGlyphs_;
    gw = Icon.Width() / n;
    int gh = Icon.Height();
    int gx = textAlign_ == zwLeft ? margin : textAlign_ == zwCenter ? (width - gw) / 2 : width - margin - gw;
    int gy = (height - gh) / 2;
    c.CopyTransparent(RECT{gx + shift, gy + shift, gx + shift + gw, gy + shift + gh}, Icon, RECT{0, 0, gw, gh},
                      Icon.Get(0, gh - 1));
  }
  std::string text = caption;
  if (speedKeyOn_) text += " = " + ShortCutToText(speedKey_);
  if (text.empty()) return;
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t p; (p = text.find('~', start)) != std::string::npos; start = p + 1) lines.push_back(text.substr(start, p - start));
  lines.push_back(text.substr(start));
  c.font = font;
  bool white = down_ && (btnStyle_ == zwClear || (btnStyle_ >= zwEllipse && btnStyle_ <= zwRectangle) || btnStyle_ == zwFrameBtn);
  c.font.color = white ? kWhite : font.color;
  int lh = c.TextHeight("M");
  int top = (height - lh * static_cast<int>(lines.size())) / 2 + shift;
  for (const auto& line : lines) {
    RECT r{shift, top, width + shift, top + lh};
    UINT fmt = DT_SINGLELINE | DT_NOPREFIX;
    if (textAlign_ == zwLeft) {
      r.left = margin + (gw ? gw + 4 : 0) + shift;
    } else if (textAlign_ == zwCenter) {
      fmt |= DT_CENTER;
    } else {
      r.right = width - margin + shift;
      fmt |= DT_RIGHT;
    }
    c.DrawText(r, line, fmt);
    top += lh;
  }
}

void TZonBtn::MouseDown(MouseButton b, ShiftState s, int x, int y) {
  down_ = false;
  if (b != MouseButton::Left || (s & ssDouble)) return;
  if (IsEllipseStyle(btnStyle_)) {
    double rx = width / 2.0, ry = height / 2.0;
    double dx = (x - rx) / rx, dy = (y - ry) / ry;
    down_ = rx > 0 && ry > 0 && dx * dx + dy * dy <= 1.0;
  } else {
    down_ = true;
  }
  if (down_) {
    TZonGraphicControl::MouseDown(b, s, x, y);
    Repaint();
  }
}

void TZonBtn::MouseUp(MouseButton b, ShiftState s, int x, int y) {
  TZonGraphicControl::MouseUp(b, s, x, y);
  if (!down_) return;
  down_ = false;
  if (!visible) return;
  if (btnStyle_ == zwClear || transparent_ || pattern_ == 1) {
    lastUpRepainted = false;
    Invalidate();
  } else {
    lastUpRepainted = true;
    Repaint();
  }
}

}  // namespace zw
