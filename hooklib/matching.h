// The comparison of one stroke with one template. Both are reduced to the same form first: a
// fixed number of points evenly spaced along the stroke, lightly smoothed, centred and scaled to
// a root-mean-square radius of 1, with the direction of every step. Two such forms are compared
// point by point in drawing order, so the direction of drawing counts, after the rotation that
// brings them closest within what the template allows.
#pragma once
#include "geometry.h"

namespace hooklib {

constexpr int kFormPoints = 32;
// Features of the whole stroke that a template's class bounds: ink length, sharpest turn, gap
// between the ends (lengths in units of the normalised radius, the turn in degrees).
constexpr int kFeatureCount = 3;

struct Form {
  Pt points[kFormPoints];
  Pt heading[kFormPoints - 1];  // unit direction of each step (of a smoother copy)
  double feature[kFeatureCount];
  double turning = 0;  // total of the turns at every point of the smoother copy, radians
};

// The form of a stroke given in any units; false for a stroke without length.
bool MakeForm(const Path& stroke, Form& out);
// The form of points already reduced (resampled, smoothed, normalised), as a stored template.
void FormFromPoints(const Pt (&points)[kFormPoints], Form& out);

// The rotation a template allows, with its cosine, sine and tangent at hand.
struct TurnLimit {
  explicit TurnLimit(double radians = 0);
  double radians, cos, sin, tan;
};

// A quick likeness from a few of the points, positions only, after the best rotation within the
// limit: larger is closer, at most 1.
double CoarseLikeness(const Form& t, const Form& s, const TurnLimit& turn);

struct Alignment {
  double turn = 0;      // rotation of the stroke that brings it closest to the template
  double distance = 0;  // with the points paired in order
};
Alignment Align(const Form& t, const Form& s, double maxTurn);

// How far apart the total turning of two forms is: a brace's middle point adds turns that a
// bracket's corners do not, however close the points lie.
double TurningDifference(const Form& t, const Form& s);

// Distance after `turn` with the pairing of points allowed to shift a little along the stroke,
// so a hook at the start or an overshoot at a corner shifts the pairing instead of spoiling it.
double ElasticDistance(const Form& t, const Form& s, double turn);

}  // namespace hooklib
