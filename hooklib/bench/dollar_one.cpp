#include "dollar_one.h"

#include <algorithm>
#include <cmath>

#include "symbols.h"

namespace hooklib::bench {
namespace {

constexpr int kN = 64;
constexpr double kSize = 250;
constexpr double kPi = 3.14159265358979323846;
const double kPhi = 0.5 * (-1 + std::sqrt(5.0));

Path RotateBy(const Path& p, double a) {
  Pt c = Centroid(p);
  double cs = std::cos(a), sn = std::sin(a);
  Path out;
  for (Pt q : p)
    out.push_back({(q.x - c.x) * cs - (q.y - c.y) * sn + c.x, (q.x - c.x) * sn + (q.y - c.y) * cs + c.y});
  return out;
}

Path Prepare(const Path& raw) {
  Path p = Resample(raw, kN);
  Pt c = Centroid(p);
  p = RotateBy(p, -std::atan2(c.y - p[0].y, c.x - p[0].x));
  Box b = BoundingBox(p);
  double w = std::max(b.Width(), 1e-6), h = std::max(b.Height(), 1e-6);
  for (Pt& q : p) q = {q.x * kSize / w, q.y * kSize / h};
  c = Centroid(p);
  for (Pt& q : p) q = {q.x - c.x, q.y - c.y};
  return p;
}

double PathDistance(const Path& a, const Path& b) {
  double d = 0;
  for (size_t i = 0; i < a.size(); ++i) d += Distance(a[i], b[i]);
  return d / a.size();
}

double DistanceAtBestAngle(const Path& p, const Path& t) {
  double a = -kPi / 4, b = kPi / 4, eps = 2 * kPi / 180;
  double x1 = kPhi * a + (1 - kPhi) * b, f1 = PathDistance(RotateBy(p, x1), t);
  double x2 = (1 - kPhi) * a + kPhi * b, f2 = PathDistance(RotateBy(p, x2), t);
  while (std::fabs(b - a) > eps) {
    if (f1 < f2) {
      b = x2; x2 = x1; f2 = f1;
      x1 = kPhi * a + (1 - kPhi) * b; f1 = PathDistance(RotateBy(p, x1), t);
    } else {
      a = x1; x1 = x2; f1 = f2;
      x2 = (1 - kPhi) * a + kPhi * b; f2 = PathDistance(RotateBy(p, x2), t);
    }
  }
  return std::min(f1, f2);
}

}  // namespace

DollarOne::DollarOne() {
  for (int id = 1; id <= kSymbolCount; ++id) templates_.push_back({id, Prepare(SymbolShapeOf(id).points)});
}

int DollarOne::Recognize(const Path& stroke) const {
  if (stroke.size() < 2) return 0;
  Path p = Prepare(stroke);
  double best = 1e18;
  int id = 0;
  for (const Template& t : templates_) {
    double d = DistanceAtBestAngle(p, t.points);
    if (d < best) {
      best = d;
      id = t.id;
    }
  }
  double score = 1 - best / (0.5 * std::sqrt(2 * kSize * kSize));
  return score >= kMinScore ? id : 0;
}

}  // namespace hooklib::bench
