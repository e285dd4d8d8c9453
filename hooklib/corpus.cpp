#include "corpus.h"

#include <algorithm>
#include <cmath>

#include "symbols.h"

namespace hooklib {
namespace {


Pt Lerp(Pt a, Pt b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

// Catmull-Rom curve through the control points.
Path Smooth(const Path& c, int stepsPerSpan) {
  Path out;
  for (size_t i = 0; i + 1 < c.size(); ++i) {
    Pt p0 = c[i ? i - 1 : 0], p1 = c[i], p2 = c[i + 1], p3 = c[std::min(i + 2, c.size() - 1)];
    for (int s = 0; s < stepsPerSpan; ++s) {
      double t = (double)s / stepsPerSpan, t2 = t * t, t3 = t2 * t;
      auto f = [&](double a, double b, double cc, double d) {
        return 0.5 * (2 * b + (-a + cc) * t + (2 * a - 5 * b + 4 * cc - d) * t2 +
                      (-a + 3 * b - 3 * cc + d) * t3);
      };
      out.push_back({f(p0.x, p1.x, p2.x, p3.x), f(p0.y, p1.y, p2.y, p3.y)});
    }
  }
  out.push_back(c.back());
  return out;
}

}  // namespace

uint32_t Random::Next() {
  // xorshift64*
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return (uint32_t)((state_ * 0x2545F4914F6CDD1Dull) >> 32);
}

double Random::Uniform(double lo, double hi) { return lo + (hi - lo) * (Next() / 4294967296.0); }

double Random::Normal() {
  double u = (Next() + 1.0) / 4294967297.0, v = Next() / 4294967296.0;
  return std::sqrt(-2 * std::log(u)) * std::cos(2 * kPi * v);
}

int Random::Int(int lo, int hi) { return lo + (int)(Next() % (uint32_t)(hi - lo + 1)); }

Path Corpus::Variation(int id) {
  SymbolShape s = SymbolShapeOf(id);
  if (s.points.empty()) return {};

  // Overshoot: the hand runs a little past some corners before turning.
  Path p;
  for (size_t i = 0; i < s.points.size(); ++i) {
    Pt q = s.points[i];
    if (s.corner[i] && i > 0 && rnd_.Uniform(0, 1) < 0.5) {
      Pt in = s.points[i - 1];
      double len = Distance(in, q);
      double o = rnd_.Uniform(0.02, 0.08) / std::max(len, 1e-9);
      p.push_back({q.x + (q.x - in.x) * o, q.y + (q.y - in.y) * o});
    } else {
      p.push_back(q);
    }
  }
  Path dense = Resample(p, 240);

  // Wobble (slow sideways drift) and a hook where the pen starts.
  double amp = rnd_.Uniform(0.0, 0.035);
  double f1 = rnd_.Uniform(0.5, 2.5), f2 = rnd_.Uniform(0.5, 2.5);
  double ph1 = rnd_.Uniform(0, 2 * kPi), ph2 = rnd_.Uniform(0, 2 * kPi);
  double hook = rnd_.Uniform(0, 0.06), hookDir = rnd_.Uniform(0, 2 * kPi);
  for (size_t i = 0; i < dense.size(); ++i) {
    double u = (double)i / (dense.size() - 1);
    dense[i].x += amp * std::sin(2 * kPi * f1 * u + ph1);
    dense[i].y += amp * std::sin(2 * kPi * f2 * u + ph2);
    if (u < 0.06) {
      double k = hook * (1 - u / 0.06);
      dense[i].x += k * std::cos(hookDir);
      dense[i].y += k * std::sin(hookDir);
    }
  }

  // Proportions and slant within what keeps the meaning, then size 0.3x to 3x of 100 pixels.
  double aspect = s.straight ? 1.0 : std::exp(rnd_.Uniform(-std::log(1.3), std::log(1.3)));
  double turn = rnd_.Uniform(-s.maxTurnDeg, s.maxTurnDeg) * kPi / 180;
  Pt c = Centroid(dense);
  double cs = std::cos(turn), sn = std::sin(turn);
  for (Pt& q : dense) {
    double x = (q.x - c.x) * std::sqrt(aspect), y = (q.y - c.y) / std::sqrt(aspect);
    q = {x * cs - y * sn, x * sn + y * cs};
  }
  Box b = BoundingBox(dense);
  double size = 100 * std::exp(rnd_.Uniform(std::log(0.3), std::log(3.0)));
  double k = size / std::max({b.Width(), b.Height(), 1e-9});
  Pt at{rnd_.Uniform(150, 850), rnd_.Uniform(150, 600)};
  for (Pt& q : dense) q = {at.x + q.x * k, at.y + q.y * k};
  return Sample(dense, size);
}

Path Corpus::Scribble() {
  // Points far enough apart that the stroke wanders instead of collapsing into a tick or a line.
  int n = rnd_.Int(5, 9);
  double size = 100 * std::exp(rnd_.Uniform(std::log(0.4), std::log(3.0)));
  Pt at{rnd_.Uniform(150, 850), rnd_.Uniform(150, 600)};
  Path ctrl;
  while ((int)ctrl.size() < n) {
    Pt q{at.x + rnd_.Uniform(-0.5, 0.5) * size, at.y + rnd_.Uniform(-0.5, 0.5) * size};
    if (ctrl.empty() || Distance(ctrl.back(), q) >= 0.35 * size) ctrl.push_back(q);
  }
  Path dense = rnd_.Uniform(0, 1) < 0.5 ? Smooth(ctrl, 16) : ctrl;
  return Sample(Resample(dense, 240), size);
}

Path Corpus::Walk() {
  int n = rnd_.Int(30, 120);
  Path p(n);
  for (int i = 1; i < n; ++i) p[i] = {p[i - 1].x + rnd_.Normal(), p[i - 1].y + rnd_.Normal()};
  // Fifteen passes of a [1 2 1] filter, ends kept: a Gaussian of about 2.7 steps.
  for (int pass = 0; pass < 15; ++pass) {
    Pt prev = p[0];
    for (int i = 1; i + 1 < n; ++i) {
      Pt cur = p[i];
      p[i] = {(prev.x + 2 * cur.x + p[i + 1].x) / 4, (prev.y + 2 * cur.y + p[i + 1].y) / 4};
      prev = cur;
    }
  }
  Box b = BoundingBox(p);
  double k = rnd_.Uniform(80, 400) / std::max({b.Width(), b.Height(), 1e-9});
  Pt at{rnd_.Uniform(200, 800), rnd_.Uniform(200, 550)};
  for (Pt& q : p) q = {std::round(at.x + (q.x - b.left) * k), std::round(at.y + (q.y - b.top) * k)};
  return p;
}

Path Corpus::Sample(const Path& dense, double size) {
  // Speed varies slowly along the stroke; a report comes every 8 to 16 ms.
  double total = PathLength(dense);
  double base = size * rnd_.Uniform(0.6, 3.0);  // pixels per second
  double vf = rnd_.Uniform(0.5, 2), vp = rnd_.Uniform(0, 2 * kPi);
  double jitter = rnd_.Uniform(0.2, 1.2);
  Path out;
  double walked = 0;
  size_t seg = 0;
  double segStart = 0;
  while (true) {
    // Position `walked` along the dense path.
    while (seg + 1 < dense.size() && segStart + Distance(dense[seg], dense[seg + 1]) < walked) {
      segStart += Distance(dense[seg], dense[seg + 1]);
      ++seg;
    }
    Pt q = dense.back();
    if (seg + 1 < dense.size()) {
      double d = Distance(dense[seg], dense[seg + 1]);
      q = Lerp(dense[seg], dense[seg + 1], d > 0 ? (walked - segStart) / d : 0);
    }
    q.x = std::round(q.x + jitter * rnd_.Normal());
    q.y = std::round(q.y + jitter * rnd_.Normal());
    out.push_back(q);
    if (walked >= total) break;
    double u = walked / std::max(total, 1e-9);
    double speed = base * (0.35 + 0.65 * std::sin(kPi * std::min(1.0, 0.1 + u))) *
                   (1 + 0.4 * std::sin(2 * kPi * vf * u + vp));
    walked = std::min(total, walked + std::max(0.5, speed * rnd_.Uniform(0.008, 0.016)));
  }
  return out;
}

}  // namespace hooklib
