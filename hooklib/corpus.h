// A seeded generator of strokes as people draw them, for tests and the benchmark: variations of
// each catalogue symbol (size, proportions, slant, wobble, overshoot at corners, a hook where the
// pen starts, uneven speed and sampling, jitter, whole-pixel points) and random scribbles that
// mean nothing. The same seed always gives the same strokes.
#pragma once
#include <cstdint>

#include "geometry.h"

namespace hooklib {

// A small deterministic random source (the same numbers on every compiler and library).
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}
  uint32_t Next();
  double Uniform(double lo, double hi);  // [lo, hi)
  double Normal();                       // mean 0, deviation 1
  int Int(int lo, int hi);               // [lo, hi]

 private:
  uint64_t state_;
};

class Corpus {
 public:
  explicit Corpus(uint64_t seed) : rnd_(seed) {}
  // A drawing of symbol `id` in screen pixels.
  Path Variation(int id);
  // A stroke through 5 to 9 random points well apart, smooth or jagged.
  Path Scribble();
  // A smoothed random walk of 30 to 120 points, 80 to 400 pixels across: the meaningless
  // wandering drags that must not perform an action.
  Path Walk();

 private:
  // Walks the path at an uneven speed, reporting a point now and then, as a mouse does.
  Path Sample(const Path& dense, double size);
  Random rnd_;
};

}  // namespace hooklib
