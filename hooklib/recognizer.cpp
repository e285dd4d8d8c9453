#include "recognizer.h"

#include <algorithm>
#include <cmath>

#include "symbols.h"

namespace hooklib {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Weight of the direction term against the position term.
constexpr double kHeadingWeight = 0.35;
// How far the elastic alignment may shift the pairing of points.
constexpr int kBand = 5;
// How many of the rigidly closest templates get the elastic comparison.
constexpr int kShortlist = 5;

std::vector<Pt> Headings(const std::vector<Pt>& p) {
  std::vector<Pt> h(p.size() - 1);
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    double dx = p[i + 1].x - p[i].x, dy = p[i + 1].y - p[i].y;
    double len = std::sqrt(dx * dx + dy * dy);
    h[i] = len > 1e-12 ? Pt{dx / len, dy / len} : Pt{0, 0};
  }
  return h;
}

}  // namespace

Recognizer::Recognizer() {
  // Each symbol as drawn and squeezed or stretched a little, since people vary the proportions.
  const double aspects[] = {1.0, 0.75, 1.33};
  for (int id = 1; id <= kSymbolCount; ++id) {
    SymbolShape s = SymbolShapeOf(id);
    for (double a : aspects) {
      if (s.straight && a != 1.0) continue;
      Path p = s.points;
      for (Pt& q : p) {
        q.x *= std::sqrt(a);
        q.y /= std::sqrt(a);
      }
      Template t;
      t.id = id;
      t.maxTurn = 2 * s.maxTurnDeg * kPi / 180;
      t.points = Resample(p, kPoints);
      NormaliseInPlace(t.points);
      t.heading = Headings(t.points);
      templates_.push_back(std::move(t));
    }
  }
}

Recognizer::Alignment Recognizer::Align(const Template& t, const Stroke& s) const {
  // Rotating the stroke by phi gives sum(t . R c) = a cos(phi) + b sin(phi); the best phi is
  // atan2(b, a), held to the turn the symbol allows. Headings join in with their weight.
  double a = 0, b = 0;
  for (int i = 0; i < kPoints; ++i) {
    a += t.points[i].x * s.points[i].x + t.points[i].y * s.points[i].y;
    b += t.points[i].y * s.points[i].x - t.points[i].x * s.points[i].y;
  }
  double ha = 0, hb = 0;
  for (int i = 0; i < kPoints - 1; ++i) {
    ha += t.heading[i].x * s.heading[i].x + t.heading[i].y * s.heading[i].y;
    hb += t.heading[i].y * s.heading[i].x - t.heading[i].x * s.heading[i].y;
  }
  Alignment al;
  al.turn = std::clamp(std::atan2(b + kHeadingWeight * hb, a + kHeadingWeight * ha), -t.maxTurn,
                       t.maxTurn);
  double cs = std::cos(al.turn), sn = std::sin(al.turn);
  // Both point sets have a root-mean-square radius of 1, so the mean squared distance is
  // 2 - 2 (a cos + b sin) / n.
  double pos = std::max(0.0, 2 - 2 * (a * cs + b * sn) / kPoints);
  double head = std::max(0.0, 1 - (ha * cs + hb * sn) / (kPoints - 1));
  al.distance = std::sqrt(pos) + kHeadingWeight * head;
  return al;
}

double Recognizer::Elastic(const Template& t, const Stroke& s, double turn) const {
  double cs = std::cos(turn), sn = std::sin(turn);
  Pt r[kPoints], rh[kPoints - 1];
  for (int i = 0; i < kPoints; ++i) {
    r[i] = {s.points[i].x * cs - s.points[i].y * sn, s.points[i].x * sn + s.points[i].y * cs};
    if (i < kPoints - 1)
      rh[i] = {s.heading[i].x * cs - s.heading[i].y * sn, s.heading[i].x * sn + s.heading[i].y * cs};
  }
  // Point i of the template may pair with points i - kBand .. i + kBand of the stroke, so a hook
  // at the start or an overshoot at a corner shifts the pairing instead of spoiling it.
  constexpr double kInf = 1e18;
  double prev[kPoints], cur[kPoints];
  std::fill(prev, prev + kPoints, kInf);
  for (int i = 0; i < kPoints; ++i) {
    int lo = std::max(0, i - kBand), hi = std::min(kPoints - 1, i + kBand);
    std::fill(cur, cur + kPoints, kInf);
    int ti = std::min(i, kPoints - 2);
    for (int j = lo; j <= hi; ++j) {
      double best = 0;
      if (i || j) {
        best = prev[j];
        if (j > 0) best = std::min({best, cur[j - 1], prev[j - 1]});
      }
      double dx = t.points[i].x - r[j].x, dy = t.points[i].y - r[j].y;
      int sj = std::min(j, kPoints - 2);
      double h = 1 - (t.heading[ti].x * rh[sj].x + t.heading[ti].y * rh[sj].y);
      cur[j] = best + std::sqrt(dx * dx + dy * dy) + kHeadingWeight * h;
    }
    std::copy(cur, cur + kPoints, prev);
  }
  return prev[kPoints - 1] / kPoints;
}

Match Recognizer::Recognize(const Path& stroke) const {
  Match m;
  if (stroke.size() < 2 || PathLength(stroke) < kMinLength) return m;
  Box box = BoundingBox(stroke);
  if (std::max(box.Width(), box.Height()) < kMinLength / 2) return m;
  Stroke s;
  s.points = Resample(stroke, kPoints);
  NormaliseInPlace(s.points);
  s.heading = Headings(s.points);

  // Rigid comparison with every template, elastic comparison with the closest few.
  struct Candidate {
    double distance;
    double turn;
    const Template* t;
  };
  Candidate list[kShortlist];
  int listed = 0;
  for (const Template& t : templates_) {
    Alignment al = Align(t, s);
    Candidate c{al.distance, al.turn, &t};
    if (listed < kShortlist) {
      list[listed++] = c;
    } else {
      Candidate* worst = std::max_element(list, list + listed, [](auto& x, auto& y) { return x.distance < y.distance; });
      if (c.distance < worst->distance) *worst = c;
    }
  }
  m.distance = 1e9;
  int bestId = 0;
  for (int i = 0; i < listed; ++i) {
    double d = Elastic(*list[i].t, s, list[i].turn);
    if (d < m.distance) {
      m.distance = d;
      bestId = list[i].t->id;
    }
  }
  m.id = m.distance <= kRejectDistance ? bestId : 0;
  return m;
}

const Recognizer& SharedRecognizer() {
  static const Recognizer r;
  return r;
}

}  // namespace hooklib
