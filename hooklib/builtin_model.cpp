#include "builtin_model.h"

#include <cmath>

namespace hooklib {
namespace {
#include "model_data.inc"
}  // namespace

Model BuiltInModel() {
  Model m;
  m.templates = DesignedTemplates();
  for (int i = 0; i < kModelTemplateCount; ++i) {
    Template t;
    t.id = kModelTemplateIds[i];
    t.maxTurn = kRecordedTurnDeg * kPi / 180;
    Pt p[kFormPoints];
    for (int k = 0; k < kFormPoints; ++k)
      p[k] = {kModelPointScale * kModelTemplatePoints[i][2 * k], kModelPointScale * kModelTemplatePoints[i][2 * k + 1]};
    FormFromPoints(p, t.form);
    m.templates.push_back(t);
  }
  for (int id = 0; id < kIdCount; ++id) {
    ClassRule& r = m.rules[id];
    r.limit = kModelRules[id][0];
    for (int k = 0; k < kFeatureCount; ++k) r.lo[k] = kModelRules[id][1 + 2 * k], r.hi[k] = kModelRules[id][2 + 2 * k];
  }
  for (int k = 0; k < kEvidenceCount; ++k) m.evidenceWeight[k] = kModelEvidenceWeights[k];
  return m;
}

uint32_t BuiltInModelSource() { return kModelSourceHash; }

// The library's recognizer is the one with the built-in model.
Recognizer::Recognizer() : Recognizer(BuiltInModel()) {}

const Recognizer& SharedRecognizer() {
  static const Recognizer r;
  return r;
}

}  // namespace hooklib
