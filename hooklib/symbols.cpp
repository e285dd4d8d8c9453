#include "symbols.h"

#include <algorithm>
#include <cmath>

namespace hooklib {
namespace {


const char* const kNames[kIdCount] = {
    "",
    "triangle", "x", "rectangle", "circle", "check", "caret", "question mark", "arrow",
    "left square bracket", "right square bracket", "v", "delete mark", "left curly brace",
    "right curly brace", "star", "pigtail", "line right", "line left", "line up", "line down",
    "corner down right", "corner down left", "corner right down", "corner left down",
    "circle clockwise",
};

// Collects a stroke from straight segments (corners between them) and sampled curves.
class ShapeBuilder {
 public:
  explicit ShapeBuilder(double maxTurn = 15) { shape_.maxTurnDeg = maxTurn; }
  ShapeBuilder& Corners(std::initializer_list<Pt> pts) {
    for (Pt p : pts) Add(p, true);
    return *this;
  }
  // An arc around (cx, cy) with radii (rx, ry) from angle a0 to a1 (degrees, y down: 90 is
  // straight below the centre).
  ShapeBuilder& Arc(double cx, double cy, double rx, double ry, double a0, double a1) {
    int steps = std::max(8, (int)(std::fabs(a1 - a0) / 6));
    for (int i = 0; i <= steps; ++i) {
      double a = (a0 + (a1 - a0) * i / steps) * kPi / 180;
      Add({cx + rx * std::cos(a), cy + ry * std::sin(a)}, false);
    }
    return *this;
  }
  ShapeBuilder& MarkCorner() {
    if (!shape_.corner.empty()) shape_.corner.back() = true;
    return *this;
  }
  ShapeBuilder& Straight() {
    shape_.straight = true;
    return *this;
  }
  SymbolShape Done() {
    // The ends of a stroke are not corners.
    if (!shape_.corner.empty()) shape_.corner.front() = shape_.corner.back() = false;
    return shape_;
  }

 private:
  void Add(Pt p, bool corner) {
    if (!shape_.points.empty() && Distance(shape_.points.back(), p) < 1e-9) {
      shape_.corner.back() = shape_.corner.back() || corner;
      return;
    }
    shape_.points.push_back(p);
    shape_.corner.push_back(corner);
  }
  SymbolShape shape_;
};

SymbolShape CurlyBrace(bool left) {
  // The left brace, mirrored for the right one: from the top end round to the nub in the middle
  // and on round to the bottom end.
  ShapeBuilder b(12);
  b.Arc(0.5, 0.2, 0.25, 0.2, -90, -180)
      .Arc(0.0, 0.3, 0.25, 0.2, 0, 90)
      .MarkCorner()
      .Arc(0.0, 0.7, 0.25, 0.2, -90, 0)
      .Arc(0.5, 0.8, 0.25, 0.2, 180, 90);
  SymbolShape s = b.Done();
  if (!left)
    for (Pt& p : s.points) p.x = 0.5 - p.x;
  return s;
}

SymbolShape Pigtail() {
  // Rises from the lower left, loops once at the top and leaves to the lower right (a looped
  // cycloid).
  SymbolShape s;
  s.maxTurnDeg = 12;
  for (int i = 0; i <= 60; ++i) {
    double t = 2 * kPi * i / 60.0;
    s.points.push_back({t + 3 * std::sin(t), 2.5 * std::cos(t)});
    s.corner.push_back(false);
  }
  return s;
}

}  // namespace

const char* SymbolNameOf(int id) { return id > 0 && id < kIdCount ? kNames[id] : ""; }

SymbolShape SymbolShapeOf(int id) {
  switch (id) {
    case kTriangle:
      // From the top, down the left side first, as people draw it.
      return ShapeBuilder().Corners({{0.5, 0}, {0, 1}, {1, 1}, {0.5, 0}}).Done();
    case kX:
      return ShapeBuilder().Corners({{0, 0}, {1, 1}, {1, 0}, {0, 1}}).Done();
    case kRectangle:
      return ShapeBuilder().Corners({{0, 0}, {0, 0.75}, {1, 0.75}, {1, 0}, {0, 0}}).Done();
    case kCircle:
      return ShapeBuilder().Arc(0.5, 0.5, 0.5, 0.5, -90, -90 - 370).Done();
    case kCircleClockwise:
      return ShapeBuilder().Arc(0.5, 0.5, 0.5, 0.5, -90, -90 + 370).Done();
    case kCheck:
      return ShapeBuilder().Corners({{0, 0.55}, {0.3, 1}, {1, 0}}).Done();
    case kCaret:
      return ShapeBuilder().Corners({{0, 1}, {0.5, 0}, {1, 1}}).Done();
    case kV:
      return ShapeBuilder().Corners({{0, 0}, {0.5, 1}, {1, 0}}).Done();
    case kQuestionMark:
      return ShapeBuilder(12)
          .Arc(0.5, 0.27, 0.32, 0.27, 180, 360 + 60)
          .Arc(0.5, 0.62, 0.12, 0.12, -60, -180)
          .Corners({{0.38, 0.62}, {0.38, 1}})
          .Done();
    case kArrow:
      // The shaft up to the right, then the head: back to the left, to the tip again, down.
      return ShapeBuilder().Corners({{0, 1}, {1, 0}, {0.6, 0.06}, {1, 0.02}, {1, 0.42}}).Done();
    case kLeftSquareBracket:
      return ShapeBuilder().Corners({{0.7, 0}, {0, 0}, {0, 1}, {0.7, 1}}).Done();
    case kRightSquareBracket:
      return ShapeBuilder().Corners({{0, 0}, {0.7, 0}, {0.7, 1}, {0, 1}}).Done();
    case kDeleteMark:
      return ShapeBuilder().Corners({{0, 0}, {1, 1}, {0, 1}, {1, 0}}).Done();
    case kLeftCurlyBrace:
      return CurlyBrace(true);
    case kRightCurlyBrace:
      return CurlyBrace(false);
    case kStar:
      return ShapeBuilder(10)
          .Corners({{0.19, 1}, {0.5, 0}, {0.81, 1}, {0, 0.38}, {1, 0.38}, {0.19, 1}})
          .Done();
    case kPigtail:
      return Pigtail();
    case kLineRight:
      return ShapeBuilder(20).Corners({{0, 0.5}, {1, 0.5}}).Straight().Done();
    case kLineLeft:
      return ShapeBuilder(20).Corners({{1, 0.5}, {0, 0.5}}).Straight().Done();
    case kLineUp:
      return ShapeBuilder(20).Corners({{0.5, 1}, {0.5, 0}}).Straight().Done();
    case kLineDown:
      return ShapeBuilder(20).Corners({{0.5, 0}, {0.5, 1}}).Straight().Done();
    case kCornerDownRight:
      return ShapeBuilder().Corners({{0, 0}, {0, 1}, {0.8, 1}}).Done();
    case kCornerDownLeft:
      return ShapeBuilder().Corners({{0.8, 0}, {0.8, 1}, {0, 1}}).Done();
    case kCornerRightDown:
      return ShapeBuilder().Corners({{0, 0}, {0.8, 0}, {0.8, 1}}).Done();
    case kCornerLeftDown:
      return ShapeBuilder().Corners({{0.8, 0}, {0, 0}, {0, 1}}).Done();
    default:
      return {};
  }
}

}  // namespace hooklib
