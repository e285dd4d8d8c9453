// Shaping the recognizer from recorded strokes of people: which of their strokes become
// templates, and each symbol's limit and bounds. Limits come from strokes of people left out
// of the templates, so they hold for people the recognizer has never seen; the designed
// symbols take theirs from generated drawings.
#pragma once
#include <cstdint>
#include <vector>

#include "recognizer.h"
#include "stroke_file.h"

namespace hooklib {

struct LearningOptions {
  int templatesPerPerson = 8;   // per symbol
  // A symbol's limit is the score that gains most accuracy (on the left-out people) for the
  // random walks it lets through, each walk weighted by walkWeight against one stroke; at
  // least this share of the symbol's strokes falls within it; times the scale.
  double walkWeight = 0.5;
  uint64_t walkSeed = 2000;
  int walks = 2000;
  double limitShare = 0.95;
  double limitScale = 1.05;
  // Then all limits are lowered together until at most this share of the walks gets through.
  double maxWalkShare = 0.025;
  // The same floor for the designed symbols, on their generated drawings.
  double designedShare = 0.95;
  // Bounds of the whole-stroke features: the range seen, widened by this share of it.
  double boundSlack = 0.5;
  // Generated drawings of each designed symbol for its limit and bounds.
  uint64_t corpusSeed = 1000;
  int corpusPerSymbol = 200;
};

// The template of one recorded stroke.
Template RecordedTemplate(const Example& e);

// `perSymbol` templates of each recorded symbol that together lie closest to all its strokes
// (greedy facility location); all of them where there are fewer.
std::vector<Template> ChooseTemplates(const std::vector<Example>& strokes, int perSymbol);

Model LearnModel(const std::vector<Example>& people, const LearningOptions& options = {});

}  // namespace hooklib
