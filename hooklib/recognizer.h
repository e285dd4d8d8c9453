// The stroke recognizer: nearest templates with direction. The sixteen symbols that people were
// recorded drawing have many templates each, strokes of real people; lines, corners and the
// clockwise circle have their designed paths. A stroke is compared with all of them (matching.h):
// a quick pass keeps the likeliest, a finer one ranks those, an elastic one scores the closest
// few, and each symbol's score is the mean of its two best. The best symbol's score is weighed
// with what else the match shows (how far behind the next symbol is, how much the elastic pairing
// gained, how far the stroke had to be turned), and the symbol is taken only when that is within
// its limit and the stroke's length, sharpest turn and end gap lie within what was seen of it;
// otherwise the stroke is rejected (id 0). Limits and bounds are
// learned from strokes of people the templates did not come from (learning.h).
#pragma once
#include <vector>

#include "matching.h"
#include "symbols.h"

namespace hooklib {

struct Match {
  int id = 0;            // 0: rejected
  double distance = 0;   // score of the best symbol (smaller is closer)
};

struct Template {
  int id = 0;
  double maxTurn = 0;  // radians the stroke may be turned to match
  Form form;
};

// What a symbol's strokes must meet to be taken for it.
struct ClassRule {
  double limit = 0;  // largest score accepted; 0: the symbol is never taken
  double lo[kFeatureCount] = {};
  double hi[kFeatureCount] = {};
};

// Whether whole-stroke features lie within a symbol's bounds.
bool WithinBounds(const ClassRule& rule, const Form& form);

// The evidence of a match beside its score: the logarithm of the runner-up's score over the
// best's (at most kMaxMargin), of the best template's distance before the elastic pass over its
// distance after it (both a little raised, within -1 .. 1), and the rotation of the stroke for
// that template in radians.
constexpr int kEvidenceCount = 3;
constexpr double kMaxMargin = 3;

struct Model {
  std::vector<Template> templates;
  ClassRule rules[kIdCount];
  // The score is multiplied by exp(sum of weight times evidence) before the limit decides.
  double evidenceWeight[kEvidenceCount] = {};
};

// The closest symbol before the rule decides, for tuning and the benchmark.
struct Judgement {
  int id = 0;            // closest symbol, 0 for a click or a stroke without length
  double score = 0;
  double runnerUp = 0;   // score of the next closest symbol (1e300 when none)
  double evidence[kEvidenceCount] = {};
  double weighed = 0;    // the score weighed with the evidence: what the limit bounds
  double limit = 0;      // of that symbol
  bool withinBounds = false;
  bool Accepted(double limitScale = 1) const { return id && withinBounds && weighed <= limit * limitScale; }
};

class Recognizer {
 public:
  // Strokes shorter than this many pixels are clicks, not symbols.
  static constexpr double kMinLength = 12;

  Recognizer();  // the model learned from all recorded people, built into the library
  explicit Recognizer(Model model);

  Match Recognize(const Path& stroke) const;
  Judgement Judge(const Path& stroke) const;
  const Model& model() const { return model_; }

 private:
  Model model_;
  int templatesOf_[kIdCount] = {};
  std::vector<TurnLimit> turns_;  // of each template
};

// Rotation a recorded stroke may be given to match, in degrees.
constexpr double kRecordedTurnDeg = 30;

// The designed templates of the symbols without recordings of people (lines, corners, clockwise
// circle), each also squeezed and stretched a little.
std::vector<Template> DesignedTemplates();
// Whether a symbol's templates are strokes of people (the rest are designed).
bool IsRecordedSymbol(int id);

// One recognizer for the whole process, built on first use.
const Recognizer& SharedRecognizer();

}  // namespace hooklib
