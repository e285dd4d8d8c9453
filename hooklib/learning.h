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
  int templatesPerPerson = 8;  // per symbol
  // Random walks that the limits are set against, and the share of them that may get through
  // all limits together (see AllotLimits in learning.cpp).
  uint64_t walkSeed = 2000;
  int walks = 24000;
  double maxWalkShare = 0.025;
  // Spread, in the logarithm of the score, given to each learning stroke's score when limits
  // are weighed (see AllotLimits), and the weight of a designed symbol's strokes against a
  // recorded one's.
  double scoreSpread = 0.15;
  double designedWeight = 1.0;
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
