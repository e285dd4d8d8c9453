// The stroke recognizer: template matching with direction. A stroke is resampled to a fixed
// number of points, centred and scaled, then compared point by point, in drawing order, with
// every template of the catalogue after the best rotation within what the symbol allows. The
// order of the points makes the direction count: a line drawn to the left never matches the
// line to the right. A stroke too far from every template is rejected (id 0).
#pragma once
#include <vector>

#include "geometry.h"

namespace hooklib {

struct Match {
  int id = 0;            // 0: rejected
  double distance = 0;   // of the best template (smaller is closer)
};

class Recognizer {
 public:
  static constexpr int kPoints = 40;
  // Strokes whose best distance is above this are rejected.
  static constexpr double kRejectDistance = 0.42;
  // Strokes shorter than this many pixels are clicks, not symbols.
  static constexpr double kMinLength = 12;

  Recognizer();
  Match Recognize(const Path& stroke) const;

 private:
  struct Template {
    int id;
    double maxTurn;           // radians
    std::vector<Pt> points;   // normalised
    std::vector<Pt> heading;  // unit direction of each step
  };
  struct Stroke {
    std::vector<Pt> points;
    std::vector<Pt> heading;
  };
  struct Alignment {
    double turn = 0;      // rotation that brings the stroke closest to the template
    double distance = 0;  // with the points paired in order
  };
  Alignment Align(const Template& t, const Stroke& s) const;
  // Distance with the pairing of points allowed to shift a little along the stroke.
  double Elastic(const Template& t, const Stroke& s, double turn) const;
  std::vector<Template> templates_;
};

// One recognizer for the whole process, built on first use.
const Recognizer& SharedRecognizer();

}  // namespace hooklib
