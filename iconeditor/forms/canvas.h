// Drawing surfaces of the forms layer: a 24-bit device-independent bitmap (DIB section) and a
// canvas over any device context with the current pen, brush and font. The canvas owns the GDI
// objects it creates and restores the context's original objects when it goes away.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace zw {

// Decimal text of a number (the layer's own: the printf family is large when linked statically).
std::string Num(long long n);

enum class PenStyle { Solid, Dash, Dot, DashDot, Clear };
enum class PenMode { Copy, Xor };
enum class BrushStyle { Solid, Clear, Pattern };
// Raster operations for CopyRect.
enum class CopyMode : DWORD {
  Copy = SRCCOPY, And = SRCAND, InverseCopy = NOTSRCCOPY, Whiteness = WHITENESS, Paint = SRCPAINT
};

struct Pen {
  COLORREF color = 0;
  int width = 1;
  PenStyle style = PenStyle::Solid;
  PenMode mode = PenMode::Copy;
};

struct Brush {
  COLORREF color = 0xFFFFFF;
  BrushStyle style = BrushStyle::Solid;
  HBITMAP pattern = nullptr;  // 8 x 8 monochrome pattern for BrushStyle::Pattern (not owned)
};

struct FontSpec {
  std::string name = "Arial";
  int height = 12;  // pixels (cell height)
  bool bold = false, italic = false, underline = false;
  COLORREF color = 0;
  bool operator==(const FontSpec&) const = default;
};

// Creates a GDI font for a spec (caller owns it).
HFONT CreateFontFor(const FontSpec& f);

class Bitmap;

class Canvas {
 public:
  Canvas() = default;
  explicit Canvas(HDC dc) { Attach(dc); }
  ~Canvas() { Detach(); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Attach(HDC dc);
  void Detach();  // restores the context's own objects and frees ours
  HDC Handle() const { return dc_; }

  Pen pen;
  Brush brush;
  FontSpec font;

  COLORREF Pixel(int x, int y) const;
  void SetPixel(int x, int y, COLORREF c);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int l, int t, int r, int b);
  void Ellipse(int l, int t, int r, int b);
  void RoundRect(int l, int t, int r, int b, int cw, int ch);
  void Polygon(const POINT* pts, int n);
  void Polyline(const POINT* pts, int n);
  void FillRect(const RECT& r);           // with the brush, no outline
  void FrameRect(const RECT& r);          // one-pixel frame in the brush colour
  void TextOut(int x, int y, const std::string& s);
  void TextRect(const RECT& clip, int x, int y, const std::string& s);
  int TextWidth(const std::string& s);
  int TextHeight(const std::string& s);
  // DrawText with the current font (transparent background); returns the height drawn/measured.
  int DrawText(RECT& r, const std::string& s, UINT format);
  // Copies src's rectangle into dst's rectangle (stretched when sizes differ).
  void CopyRect(const RECT& dst, HDC src, const RECT& srcRect, CopyMode mode = CopyMode::Copy);
  void CopyRect(const RECT& dst, const Bitmap& src, const RECT& srcRect, CopyMode mode = CopyMode::Copy);
  void StretchDraw(const RECT& dst, const Bitmap& src);
  void Draw(int x, int y, const Bitmap& src);
  // Copies src onto this canvas with every pixel of colour `transparent` left out.
  void CopyTransparent(const RECT& dst, const Bitmap& src, const RECT& srcRect, COLORREF transparent);
  // Flood fill of the area of colour `c` around (x, y) with the brush (FLOODFILLSURFACE).
  void FloodFill(int x, int y, COLORREF c);

  // Selects the current pen, brush and font into the context (done by every drawing call).
  void Realize();

 private:
  void RealizePen();
  void RealizeBrush();
  void RealizeFont();

  HDC dc_ = nullptr;
  HGDIOBJ origPen_ = nullptr, origBrush_ = nullptr, origFont_ = nullptr;
  HPEN penObj_ = nullptr;
  HBRUSH brushObj_ = nullptr;
  HFONT fontObj_ = nullptr;
  Pen madePen_{};
  Brush madeBrush_{};
  FontSpec madeFont_{};
  bool fontMade_ = false;
};

// A 24-bit top-down DIB section with its own memory device context and canvas.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int w, int h) { SetSize(w, h); }
  ~Bitmap() { Free(); }
  Bitmap(const Bitmap& o) { Assign(o); }
  Bitmap& operator=(const Bitmap& o) { if (this != &o) Assign(o); return *this; }

  // Resizes; the content is kept where both sizes overlap, new area white.
  void SetSize(int w, int h);
  void Assign(const Bitmap& o);
  // Takes a copy of a device-dependent or DIB bitmap (does not take ownership).
  bool AssignHandle(HBITMAP h);
  bool LoadResource(HINSTANCE inst, const char* name);
  void Free();

  bool Empty() const { return bmp_ == nullptr; }
  int Width() const { return w_; }
  int Height() const { return h_; }
  HBITMAP Handle() const { return bmp_; }
  HDC DC() const { return dc_; }
  Canvas& canvas() { return canvas_; }

  // Direct pixel access (0x00BBGGRR); out-of-range reads give 0, writes are ignored.
  COLORREF Get(int x, int y) const;
  void Set(int x, int y, COLORREF c);
  void Fill(COLORREF c);

 private:
  HBITMAP bmp_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ orig_ = nullptr;
  BYTE* bits_ = nullptr;
  int w_ = 0, h_ = 0, stride_ = 0;
  Canvas canvas_;
};

}  // namespace zw
