// The direction pad: four triangular segments (left, right, top, bottom) around a centre square.
#pragma once
#include "zon_button.h"

namespace zw {

class TZonStar : public TZonGraphicControl {
 public:
  TZonStar();
  COLORREF brushColor = 0xC0C0C0;
  COLORREF penColor = 0;
  // The segment last pressed: 0 left, 1 right, 2 top, 3 bottom.
  int Segment() const { return segment_; }
  // The segment of the point: the triangle cut by the control's diagonals that holds it.
  static int SegmentAt(int x, int y, int w, int h);

  void Paint(Canvas& c) override;
  void MouseDown(MouseButton b, ShiftState s, int x, int y) override;
  void MouseUp(MouseButton b, ShiftState s, int x, int y) override;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  // Draws one segment (0..3), normal or pressed.
  void DrawSegment(Canvas& c, int seg, bool pressed);

 private:
  void DrawCentre(Canvas& c, COLORREF pen);
  int segment_ = 0;
};

}  // namespace zw
