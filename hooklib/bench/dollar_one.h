// A plain $1 unistroke recognizer (resample to 64 points, rotate to the indicative angle, scale
// to a 250 square, centre, golden-section search over +-45 degrees), the published baseline the
// benchmark compares against. One template per symbol, from the same catalogue.
#pragma once
#include <vector>

#include "geometry.h"

namespace hooklib::bench {

class DollarOne {
 public:
  // Scores below this are rejected (the usual choice with $1).
  static constexpr double kMinScore = 0.8;
  DollarOne();
  int Recognize(const Path& stroke) const;  // 0 when rejected

 private:
  struct Template {
    int id;
    Path points;
  };
  std::vector<Template> templates_;
};

}  // namespace hooklib::bench
