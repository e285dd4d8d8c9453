#include "matching.h"

#include <algorithm>
#include <cmath>

namespace hooklib {
namespace {

// Weight of the direction term against the position term.
constexpr double kHeadingWeight = 0.6;
// How far the elastic pairing may shift, in points.
constexpr int kBand = 4;
// The quick likeness uses every kCoarseStride-th point.
constexpr int kCoarseStride = 4;
// Span, in points, over which the sharpest turn is measured.
constexpr int kTurnSpan = 2;

// One pass of a [1 2 1] filter, ends kept: takes the pixel steps and tremor out.
void SmoothInPlace(Pt (&p)[kFormPoints]) {
  Pt prev = p[0];
  for (int i = 1; i + 1 < kFormPoints; ++i) {
    Pt cur = p[i];
    p[i] = {(prev.x + 2 * cur.x + p[i + 1].x) / 4, (prev.y + 2 * cur.y + p[i + 1].y) / 4};
    prev = cur;
  }
}

void Normalise(Pt (&p)[kFormPoints]) {
  double cx = 0, cy = 0;
  for (Pt q : p) cx += q.x, cy += q.y;
  cx /= kFormPoints, cy /= kFormPoints;
  double sum = 0;
  for (Pt& q : p) {
    q.x -= cx, q.y -= cy;
    sum += q.x * q.x + q.y * q.y;
  }
  double rms = std::sqrt(sum / kFormPoints);
  if (rms <= 1e-12) return;
  for (Pt& q : p) q.x /= rms, q.y /= rms;
}

double Turn(Pt a, Pt b, Pt c) {
  double ax = b.x - a.x, ay = b.y - a.y, bx = c.x - b.x, by = c.y - b.y;
  double la = std::sqrt(ax * ax + ay * ay), lb = std::sqrt(bx * bx + by * by);
  if (la < 1e-9 || lb < 1e-9) return 0;
  return std::acos(std::clamp((ax * bx + ay * by) / (la * lb), -1.0, 1.0)) * 180 / kPi;
}

}  // namespace

void FormFromPoints(const Pt (&points)[kFormPoints], Form& f) {
  std::copy(points, points + kFormPoints, f.points);
  Pt soft[kFormPoints];
  std::copy(points, points + kFormPoints, soft);
  SmoothInPlace(soft);
  double ink = 0, sharpest = 0;
  for (int i = 0; i + 1 < kFormPoints; ++i) {
    double dx = soft[i + 1].x - soft[i].x, dy = soft[i + 1].y - soft[i].y;
    double len = std::sqrt(dx * dx + dy * dy);
    f.heading[i] = len > 1e-12 ? Pt{dx / len, dy / len} : Pt{0, 0};
    ink += Distance(points[i], points[i + 1]);
  }
  for (int i = kTurnSpan; i + kTurnSpan < kFormPoints; ++i)
    sharpest = std::max(sharpest, Turn(soft[i - kTurnSpan], soft[i], soft[i + kTurnSpan]));
  f.feature[0] = ink;
  f.feature[1] = sharpest;
  f.feature[2] = Distance(points[0], points[kFormPoints - 1]);
  double turning = 0;
  for (int i = 1; i + 1 < kFormPoints; ++i) {
    double ax = soft[i].x - soft[i - 1].x, ay = soft[i].y - soft[i - 1].y;
    double bx = soft[i + 1].x - soft[i].x, by = soft[i + 1].y - soft[i].y;
    turning += std::fabs(std::atan2(ax * by - ay * bx, ax * bx + ay * by));
  }
  f.turning = turning;
}

bool MakeForm(const Path& stroke, Form& f) {
  if (stroke.size() < 2 || PathLength(stroke) <= 0) return false;
  Path r = Resample(stroke, kFormPoints);
  Pt p[kFormPoints];
  // Relative to the first point, so screen coordinates far out lose no precision.
  for (int i = 0; i < kFormPoints; ++i) p[i] = {r[i].x - r[0].x, r[i].y - r[0].y};
  SmoothInPlace(p);
  Normalise(p);
  FormFromPoints(p, f);
  return true;
}

TurnLimit::TurnLimit(double r)
    : radians(r), cos(std::cos(r)), sin(std::sin(r)), tan(r < kPi / 2 ? std::tan(r) : 1e300) {}

double CoarseLikeness(const Form& t, const Form& s, const TurnLimit& turn) {
  // Rotating the stroke by phi gives sum(t . R s) = a cos(phi) + b sin(phi), largest at
  // atan2(b, a) where it is sqrt(a^2 + b^2); beyond the limit, at the limit. Both forms have a
  // mean squared radius of 1.
  double a = 0, b = 0;
  for (int i = 0; i < kFormPoints; i += kCoarseStride) {
    a += t.points[i].x * s.points[i].x + t.points[i].y * s.points[i].y;
    b += t.points[i].y * s.points[i].x - t.points[i].x * s.points[i].y;
  }
  bool within = a > 0 && std::fabs(b) <= a * turn.tan;
  double c = within ? std::sqrt(a * a + b * b) : a * turn.cos + std::fabs(b) * turn.sin;
  return c / (kFormPoints / kCoarseStride);
}

Alignment Align(const Form& t, const Form& s, double maxTurn) {
  double a = 0, b = 0, ha = 0, hb = 0;
  for (int i = 0; i < kFormPoints; ++i) {
    a += t.points[i].x * s.points[i].x + t.points[i].y * s.points[i].y;
    b += t.points[i].y * s.points[i].x - t.points[i].x * s.points[i].y;
  }
  for (int i = 0; i < kFormPoints - 1; ++i) {
    ha += t.heading[i].x * s.heading[i].x + t.heading[i].y * s.heading[i].y;
    hb += t.heading[i].y * s.heading[i].x - t.heading[i].x * s.heading[i].y;
  }
  Alignment al;
  al.turn = std::clamp(std::atan2(b + kHeadingWeight * hb, a + kHeadingWeight * ha), -maxTurn, maxTurn);
  double cs = std::cos(al.turn), sn = std::sin(al.turn);
  // Mean squared distance of the points: 2 - 2 (a cos + b sin) / n.
  double pos = std::max(0.0, 2 - 2 * (a * cs + b * sn) / kFormPoints);
  double head = std::max(0.0, 1 - (ha * cs + hb * sn) / (kFormPoints - 1));
  al.distance = std::sqrt(pos) + kHeadingWeight * head;
  return al;
}

double TurningDifference(const Form& t, const Form& s) {
  // Relative, with half a radian added so that nearly straight strokes differ little.
  return std::fabs(std::log((s.turning + 0.5) / (t.turning + 0.5)));
}

double ElasticDistance(const Form& t, const Form& s, double turn) {
  constexpr int n = kFormPoints;
  double cs = std::cos(turn), sn = std::sin(turn);
  Pt r[n], rh[n - 1];
  for (int i = 0; i < n; ++i) {
    r[i] = {s.points[i].x * cs - s.points[i].y * sn, s.points[i].x * sn + s.points[i].y * cs};
    if (i < n - 1)
      rh[i] = {s.heading[i].x * cs - s.heading[i].y * sn, s.heading[i].x * sn + s.heading[i].y * cs};
  }
  // Point i of the template pairs with points i - kBand .. i + kBand of the stroke.
  constexpr double kInf = 1e18;
  double prev[n], cur[n];
  std::fill(prev, prev + n, kInf);
  for (int i = 0; i < n; ++i) {
    int lo = std::max(0, i - kBand), hi = std::min(n - 1, i + kBand);
    std::fill(cur, cur + n, kInf);
    int ti = std::min(i, n - 2);
    for (int j = lo; j <= hi; ++j) {
      double best = 0;
      if (i || j) {
        best = prev[j];
        if (j > 0) best = std::min({best, cur[j - 1], prev[j - 1]});
      }
      double dx = t.points[i].x - r[j].x, dy = t.points[i].y - r[j].y;
      int sj = std::min(j, n - 2);
      double h = 1 - (t.heading[ti].x * rh[sj].x + t.heading[ti].y * rh[sj].y);
      cur[j] = best + std::sqrt(dx * dx + dy * dy) + kHeadingWeight * h;
    }
    std::copy(cur, cur + n, prev);
  }
  return prev[n - 1] / n;
}

}  // namespace hooklib
