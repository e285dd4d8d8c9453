// A plain $1 unistroke recognizer (resample to 64 points, rotate to the indicative angle, scale
// to a 250 square, centre, golden-section search over +-45 degrees), the published baseline the
// benchmark compares against, with the strokes it is given as templates.
#pragma once
#include <vector>

#include "stroke_file.h"

namespace hooklib::bench {

class DollarOne {
 public:
  // Scores below this are rejected (the usual choice with $1).
  static constexpr double kMinScore = 0.8;
  explicit DollarOne(const std::vector<Example>& templates);
  int Recognize(const Path& stroke) const;  // 0 when rejected

 private:
  static constexpr int kN = 64;
  struct Template {
    int id;
    Pt points[kN];
  };
  std::vector<Template> templates_;
};

}  // namespace hooklib::bench
