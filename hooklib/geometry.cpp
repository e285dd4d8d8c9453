#include "geometry.h"

#include <algorithm>
#include <cmath>

namespace hooklib {

double Distance(Pt a, Pt b) {
  // Plain square root: std::hypot's care for overflow costs more than the whole comparison.
  double dx = a.x - b.x, dy = a.y - b.y;
  return std::sqrt(dx * dx + dy * dy);
}

double PathLength(const Path& p) {
  double len = 0;
  for (size_t i = 1; i < p.size(); ++i) len += Distance(p[i - 1], p[i]);
  return len;
}

Path Resample(const Path& p, int n) {
  Path out;
  if (p.empty() || n < 2) return out;
  out.reserve(n);
  double total = PathLength(p);
  if (total <= 0) return Path(n, p.front());
  double step = total / (n - 1);
  out.push_back(p.front());
  double carried = 0;  // distance walked since the last emitted point
  Pt prev = p.front();
  for (size_t i = 1; i < p.size() && (int)out.size() < n - 1; ++i) {
    Pt cur = p[i];
    double d = Distance(prev, cur);
    while (d > 0 && carried + d >= step && (int)out.size() < n - 1) {
      double t = (step - carried) / d;
      Pt q{prev.x + t * (cur.x - prev.x), prev.y + t * (cur.y - prev.y)};
      out.push_back(q);
      prev = q;
      d = Distance(prev, cur);
      carried = 0;
    }
    carried += d;
    prev = cur;
  }
  while ((int)out.size() < n) out.push_back(p.back());
  return out;
}

Pt Centroid(const Path& p) {
  Pt c;
  if (p.empty()) return c;
  for (Pt q : p) {
    c.x += q.x;
    c.y += q.y;
  }
  c.x /= p.size();
  c.y /= p.size();
  return c;
}

Box BoundingBox(const Path& p) {
  Box b;
  if (p.empty()) return b;
  b.left = b.right = p[0].x;
  b.top = b.bottom = p[0].y;
  for (Pt q : p) {
    b.left = std::min(b.left, q.x);
    b.right = std::max(b.right, q.x);
    b.top = std::min(b.top, q.y);
    b.bottom = std::max(b.bottom, q.y);
  }
  return b;
}

void NormaliseInPlace(Path& p) {
  if (p.empty()) return;
  Pt c = Centroid(p);
  double sum = 0;
  for (Pt& q : p) {
    q.x -= c.x;
    q.y -= c.y;
    sum += q.x * q.x + q.y * q.y;
  }
  double rms = std::sqrt(sum / p.size());
  if (rms <= 1e-12) return;
  for (Pt& q : p) {
    q.x /= rms;
    q.y /= rms;
  }
}

}  // namespace hooklib
