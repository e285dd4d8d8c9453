// The symbol catalogue: ids, short English names and the one-stroke path of each symbol as people
// draw it, in a unit box with y pointing down. The symbol pictures and the corpus generator are
// made from these paths, and so are the recognizer's templates of the symbols without recordings
// of people (lines, corners, clockwise circle).
#pragma once
#include <string>

#include "geometry.h"

namespace hooklib {

// Id 0 is "no symbol"; symbols are 1 .. kSymbolCount.
constexpr int kSymbolCount = 25;
// Number of ids including 0: what DataExchange(1, 0) answers and how many pictures there are.
constexpr int kIdCount = kSymbolCount + 1;

enum SymbolId {
  kTriangle = 1, kX, kRectangle, kCircle, kCheck, kCaret, kQuestionMark, kArrow,
  kLeftSquareBracket, kRightSquareBracket, kV, kDeleteMark, kLeftCurlyBrace, kRightCurlyBrace,
  kStar, kPigtail, kLineRight, kLineLeft, kLineUp, kLineDown, kCornerDownRight, kCornerDownLeft,
  kCornerRightDown, kCornerLeftDown, kCircleClockwise
};

struct SymbolShape {
  Path points;              // the stroke, first point where drawing starts
  std::vector<bool> corner; // per point: a sharp turn a hand may overshoot
  double maxTurnDeg = 15;   // rotation a person may give it and still mean this symbol
  bool straight = false;    // a single straight line: its width says nothing
};

// Name of a symbol ("triangle", "line right"); empty for 0 and for ids outside the catalogue.
const char* SymbolNameOf(int id);

// The path of symbol `id` (1 .. kSymbolCount); an empty shape otherwise.
SymbolShape SymbolShapeOf(int id);

}  // namespace hooklib
