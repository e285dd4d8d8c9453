#include "zon_star.h"

namespace zw {

static const COLORREF kWhite = 0xFFFFFF, kGray = 0x808080, kBlack = 0;

TZonStar::TZonStar() {
  width = 65;
  height = 65;
}

PropResult TZonStar::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "Brush.Color") return ColorValue(v, brushColor) ? PropResult::Ok : PropResult::BadValue;
  if (p == "Pen.Color") return ColorValue(v, penColor) ? PropResult::Ok : PropResult::BadValue;
  return TZonGraphicControl::SetProperty(p, v);
}

int TZonStar::SegmentAt(int x, int y, int w, int h) {
  // Signs against the two diagonals, in whole numbers so that points on them are exact.
  long long d1 = 1LL * y * w - 1LL * x * h;        // > 0 below the top-left to bottom-right diagonal
  long long d2 = 1LL * y * w - 1LL * (w - x) * h;  // > 0 below the top-right to bottom-left diagonal
  if (d1 < 0 && d2 < 0) return 2;
  if (d1 > 0 && d2 > 0) return 3;
  // Left or right triangles, and every point on a diagonal: by the side of the middle.
  return 2 * x < w ? 0 : 1;
}

// Draws a closed path: the first two lines in `first`, the line back to the start in `back`.
static void Path(Canvas& c, POINT a, POINT b, POINT d, COLORREF first, COLORREF back) {
  c.pen.color = first;
  c.MoveTo(a.x, a.y);
  c.LineTo(b.x, b.y);
  c.LineTo(d.x, d.y);
  c.pen.color = back;
  c.LineTo(a.x, a.y);
}

void TZonStar::DrawSegment(Canvas& c, int seg, bool p) {
  int W = width, H = height, cx = W / 2, cy = H / 2;
  c.pen.style = PenStyle::Solid;
  c.pen.width = 1;
  c.pen.mode = PenMode::Copy;
  switch (seg) {
    case 2:  // top
      Path(c, {0, 0}, {cx, cy}, {W, 0}, p ? kWhite : kGray, p ? kGray : kWhite);
      Path(c, {cx - 5, cy - 5}, {cx, 2}, {cx + 5, cy - 5}, p ? kGray : kWhite, p ? kWhite : kGray);
      break;
    case 0:  // left
      Path(c, {0, 0}, {cx, cy}, {0, H}, p ? kWhite : kGray, p ? kGray : kWhite);
      Path(c, {cx - 5, cy - 5}, {2, cy}, {cx - 5, cy + 5}, p ? kGray : kWhite, p ? kWhite : kGray);
      break;
    case 3:  // bottom
      Path(c, {0, H - 1}, {cx, cy}, {W - 1, H - 1}, p ? kBlack : kGray, p ? kWhite : kGray);
      Path(c, {cx + 5, cy + 5}, {cx - 5, cy + 5}, {cx, H - 2}, p ? kGray : kWhite, p ? kWhite : kGray);
      break;
    case 1:  // right
      Path(c, {W - 1, H - 1}, {cx, cy}, {W - 1, 0}, p ? kBlack : kGray, p ? kWhite : kGray);
      Path(c, {cx + 5, cy + 5}, {cx + 5, cy - 5}, {W - 2, cy}, p ? kGray : kWhite, p ? kWhite : kGray);
      break;
  }
}

void TZonStar::DrawCentre(Canvas& c, COLORREF pen) {
  int cx = width / 2, cy = height / 2;
  c.pen.color = pen;
  c.pen.style = PenStyle::Solid;
  c.brush.color = brushColor;
  c.brush.style = BrushStyle::Solid;
  c.Rectangle(cx - 5, cy - 5, cx + 5, cy + 5);
}

void TZonStar::Paint(Canvas& c) {
  SelectPalette(c);
  for (int seg : {2, 0, 3, 1}) DrawSegment(c, seg, false);
  DrawCentre(c, penColor);
}

void TZonStar::MouseDown(MouseButton b, ShiftState s, int x, int y) {
  TZonGraphicControl::MouseDown(b, s, x, y);
  segment_ = SegmentAt(x, y, width, height);
  DrawNow([this](Canvas& c) {
    DrawSegment(c, segment_, true);
    DrawCentre(c, kGray);
  });
}

void TZonStar::MouseUp(MouseButton b, ShiftState s, int x, int y) {
  TZonGraphicControl::MouseUp(b, s, x, y);
  DrawNow([this](Canvas& c) { Paint(c); });
}

}  // namespace zw
