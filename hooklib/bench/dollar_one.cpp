#include "dollar_one.h"

#include <algorithm>
#include <cmath>

namespace hooklib::bench {
namespace {

constexpr int kN = 64;
constexpr double kSize = 250;
constexpr double kPi = 3.14159265358979323846;
const double kPhi = 0.5 * (-1 + std::sqrt(5.0));

// Rotates about the origin (the points are centred).
void Rotate(const Pt* p, double a, Pt* out) {
  double cs = std::cos(a), sn = std::sin(a);
  for (int i = 0; i < kN; ++i) out[i] = {p[i].x * cs - p[i].y * sn, p[i].x * sn + p[i].y * cs};
}

void Prepare(const Path& raw, Pt* out) {
  Path p = Resample(raw, kN);
  Pt c = Centroid(p);
  for (Pt& q : p) q = {q.x - c.x, q.y - c.y};
  Rotate(p.data(), -std::atan2(-p[0].y, -p[0].x), out);
  Path r(out, out + kN);
  Box b = BoundingBox(r);
  double w = std::max(b.Width(), 1e-6), h = std::max(b.Height(), 1e-6);
  for (int i = 0; i < kN; ++i) out[i] = {out[i].x * kSize / w, out[i].y * kSize / h};
  Path s(out, out + kN);
  c = Centroid(s);
  for (int i = 0; i < kN; ++i) out[i] = {out[i].x - c.x, out[i].y - c.y};
}

double PathDistance(const Pt* a, const Pt* b) {
  double d = 0;
  for (int i = 0; i < kN; ++i) d += Distance(a[i], b[i]);
  return d / kN;
}

double DistanceAtAngle(const Pt* p, const Pt* t, double a) {
  Pt r[kN];
  Rotate(p, a, r);
  return PathDistance(r, t);
}

double DistanceAtBestAngle(const Pt* p, const Pt* t) {
  double a = -kPi / 4, b = kPi / 4, eps = 2 * kPi / 180;
  double x1 = kPhi * a + (1 - kPhi) * b, f1 = DistanceAtAngle(p, t, x1);
  double x2 = (1 - kPhi) * a + kPhi * b, f2 = DistanceAtAngle(p, t, x2);
  while (std::fabs(b - a) > eps) {
    if (f1 < f2) {
      b = x2; x2 = x1; f2 = f1;
      x1 = kPhi * a + (1 - kPhi) * b; f1 = DistanceAtAngle(p, t, x1);
    } else {
      a = x1; x1 = x2; f1 = f2;
      x2 = (1 - kPhi) * a + kPhi * b; f2 = DistanceAtAngle(p, t, x2);
    }
  }
  return std::min(f1, f2);
}

}  // namespace

DollarOne::DollarOne(const std::vector<Example>& templates) {
  for (const Example& e : templates) {
    if (e.points.size() < 2) continue;
    templates_.push_back({e.id, {}});
    Prepare(e.points, templates_.back().points);
  }
}

int DollarOne::Recognize(const Path& stroke) const {
  if (stroke.size() < 2 || PathLength(stroke) <= 0) return 0;
  Pt p[kN];
  Prepare(stroke, p);
  double best = 1e18;
  int id = 0;
  for (const Template& t : templates_) {
    double d = DistanceAtBestAngle(p, t.points);
    if (d < best) best = d, id = t.id;
  }
  double score = 1 - best / (0.5 * std::sqrt(2 * kSize * kSize));
  return score >= kMinScore ? id : 0;
}

}  // namespace hooklib::bench
