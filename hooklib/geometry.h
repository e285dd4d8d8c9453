// Plane geometry for strokes: points, path length, resampling by arc length and normalisation.
// Plain code without Windows types, shared by the recognizer, the corpus and the art generator.
#pragma once
#include <vector>

namespace hooklib {

constexpr double kPi = 3.14159265358979323846;

struct Pt {
  double x = 0;
  double y = 0;
};

using Path = std::vector<Pt>;

double Distance(Pt a, Pt b);
double PathLength(const Path& p);

// `n` points spaced evenly along the path (n >= 2). A path of one point, or one whose length is
// zero, gives n copies of its first point.
Path Resample(const Path& p, int n);

Pt Centroid(const Path& p);

struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
};
Box BoundingBox(const Path& p);

// Moves the centroid to the origin and scales so the root-mean-square distance of the points
// from it is 1. A path whose points all coincide is only moved.
void NormaliseInPlace(Path& p);

}  // namespace hooklib
