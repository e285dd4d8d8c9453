// Painted, windowless controls with a canvas of their own: the base TZonGraphicControl and the
// shaded button TZonBtn with its 25 frame styles, fill, pattern, gradient, glyph and caption.
#pragma once
#include <windows.h>
#include <string>

#include "component.h"
#include "menu.h"

namespace zw {

class TZonGraphicControl : public GraphicControl {
 public:
  // The shared palette, reported so that the form realises it.
  virtual HPALETTE GetPalette() const;
  // Selects the shared palette into the canvas (background mode); each Paint starts with it.
  void SelectPalette(Canvas& c) const;
};

enum TBtnStyle {
  zwClear, zw3DBorder, zw3DFatBorder, zwDoubleBorder, zw3DFrame, zwChiseled, zwLowBeveled, zwHiBeveled,
  zw3DEllipse, zwDoubleEllipse, zwEllipse, zwRoundRect, zwRectangle, zwGrad3DBorder, zwGrad3DFatBorder,
  zwGradDoubleBorder, zwGrad3DFrame, zwGradChiseled, zwGradLowBeveled, zwGradHiBeveled, zwGrad3DEllipse,
  zwGradDoubleEllipse, zwGradDoubleRectangle, zwFrameBtn, zwPushBtn
};
enum TBtnDirection { zwLeft, zwCenter, zwRight };

class TZonBtn : public TZonGraphicControl {
 public:
  TZonBtn();

  // Published properties. Setters store the value and repaint only on a change.
  TBtnStyle BtnStyle() const { return btnStyle_; }
  void SetBtnStyle(TBtnStyle s);
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF c);
  COLORREF PenColor() const { return penColor_; }
  void SetPenColor(COLORREF c);
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int w);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n);
  TBtnDirection TextAlign() const { return textAlign_; }
  void SetTextAlign(TBtnDirection d);
  ShortCut SpeedKey() const { return speedKey_; }
  void SetSpeedKey(ShortCut k);
  bool SpeedKeyOn() const { return speedKeyOn_; }
  void SetSpeedKeyOn(bool on);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool t);
  bool Dither() const { return dither_; }
  void SetDither(bool d);
  int Pattern() const { return pattern_; }
  void SetPattern(int p);
  void SetCaption(const std::string& c) override;
  Bitmap Icon, BitMap;
  void IconChanged() { Changed(); }

  bool Down() const { return down_; }

  void Paint(Canvas& c) override;
  void MouseDown(MouseButton b, ShiftState s, int x, int y) override;
  void MouseUp(MouseButton b, ShiftState s, int x, int y) override;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;

  static bool IsEllipseStyle(TBtnStyle s) { return (s >= zw3DEllipse && s <= zwEllipse) || s == zwGrad3DEllipse || s == zwGradDoubleEllipse; }
  static bool IsGradientStyle(TBtnStyle s) { return s >= zwGrad3DBorder && s <= zwGradDoubleRectangle; }

  // Whether the last mouse-up repainted in place (false: the parent was asked to repaint).
  bool lastUpRepainted = false;

 private:
  void Changed();
  void PaintGradient(Canvas& c, RECT face);
  void PaintFrame(Canvas& c, RECT face, COLORREF light, COLORREF shadow);
  void PaintContent(Canvas& c, int shift);

  TBtnStyle btnStyle_ = zw3DBorder;
  COLORREF color_ = 0xFF0000;
  COLORREF penColor_ = 0;
  int penWidth_ = 1;
  int numGlyphs_ = 1;
  TBtnDirection textAlign_ = zwLeft;
  ShortCut speedKey_ = 0;
  bool speedKeyOn_ = false, transparent_ = false, dither_ = false;
  int pattern_ = 0;
  bool down_ = false;
};

// One ring of the 3-D borders: bottom and right in `shadow`, then left and top in `light`;
// (x, y) its top-left, (w, h) the coordinates of its far edges. End points are exclusive.
void DrawRing(Canvas& c, int x, int y, int w, int h, COLORREF light, COLORREF shadow);

}  // namespace zw
