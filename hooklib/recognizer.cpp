#include "recognizer.h"

#include <algorithm>
#include <cmath>


namespace hooklib {
namespace {

// How many templates each pass hands on to the next, finer one.
constexpr int kCoarseKeep = 60;
constexpr int kElasticKeep = 8;
// A symbol's score: the mean of its best this many templates.
constexpr int kVoters = 2;
// Weight of the difference in total turning added to the elastic distance of a recorded
// template (a designed path has none of the small turns of a hand, so it is not compared).
constexpr double kTurningWeight = 0.15;
// Added to both distances of the elastic gain, so that a nearly exact match gains nothing.
constexpr double kStretchFloor = 0.05;

struct Candidate {
  double distance;
  double turn;
  const Template* t;
  double aligned = 0;  // distance before the elastic pass
};

bool Closer(const Candidate& a, const Candidate& b) { return a.distance < b.distance; }

}  // namespace

bool WithinBounds(const ClassRule& rule, const Form& form) {
  for (int k = 0; k < kFeatureCount; ++k)
    if (form.feature[k] < rule.lo[k] || form.feature[k] > rule.hi[k]) return false;
  return true;
}

bool IsRecordedSymbol(int id) { return id >= kTriangle && id <= kPigtail; }

std::vector<Template> DesignedTemplates() {
  // People vary the proportions: each path as designed, squeezed and stretched.
  const double aspects[] = {1.0, 0.75, 1.33};
  std::vector<Template> out;
  for (int id = 1; id <= kSymbolCount; ++id) {
    if (IsRecordedSymbol(id)) continue;
    SymbolShape s = SymbolShapeOf(id);
    for (double a : aspects) {
      if (s.straight && a != 1.0) continue;
      Path p = s.points;
      for (Pt& q : p) q = {q.x * std::sqrt(a) * 100, q.y / std::sqrt(a) * 100};
      Template t;
      t.id = id;
      t.maxTurn = 2 * s.maxTurnDeg * kPi / 180;
      MakeForm(Resample(p, 240), t.form);
      out.push_back(t);
    }
  }
  return out;
}

Recognizer::Recognizer(Model model) : model_(std::move(model)) {
  for (const Template& t : model_.templates) {
    if (t.id > 0 && t.id < kIdCount) templatesOf_[t.id]++;
    turns_.push_back(TurnLimit(t.maxTurn));
  }
}

Judgement Recognizer::Judge(const Path& stroke) const {
  Judgement v;
  if (stroke.size() < 2 || PathLength(stroke) < kMinLength) return v;
  Box box = BoundingBox(stroke);
  if (std::max(box.Width(), box.Height()) < kMinLength / 2) return v;
  Form s;
  if (!MakeForm(stroke, s) || model_.templates.empty()) return v;

  // Quick pass over every template, finer passes over the closest.
  std::vector<Candidate> list;
  list.reserve(model_.templates.size());
  for (size_t i = 0; i < model_.templates.size(); ++i)
    list.push_back({-CoarseLikeness(model_.templates[i].form, s, turns_[i]), 0, &model_.templates[i]});
  size_t keep = std::min<size_t>(kCoarseKeep, list.size());
  std::partial_sort(list.begin(), list.begin() + keep, list.end(), Closer);
  list.resize(keep);
  for (Candidate& c : list) {
    Alignment al = Align(c.t->form, s, c.t->maxTurn);
    c = {al.distance, al.turn, c.t, al.distance};
  }
  keep = std::min<size_t>(kElasticKeep, list.size());
  std::partial_sort(list.begin(), list.begin() + keep, list.end(), Closer);
  list.resize(keep);
  for (Candidate& c : list)
    c.distance = ElasticDistance(c.t->form, s, c.turn) +
                 (IsRecordedSymbol(c.t->id) ? kTurningWeight * TurningDifference(c.t->form, s) : 0);
  std::sort(list.begin(), list.end(), Closer);

  // Each symbol's score: the mean of its best kVoters; a symbol with fewer among the closest
  // counts the farthest of them for the missing ones.
  double sum[kIdCount] = {};
  int votes[kIdCount] = {};
  for (const Candidate& c : list)
    if (c.t->id > 0 && c.t->id < kIdCount && votes[c.t->id] < kVoters) sum[c.t->id] += c.distance, votes[c.t->id]++;
  double worst = list.back().distance;
  v.score = v.runnerUp = 1e300;
  for (int id = 1; id < kIdCount; ++id) {
    if (!votes[id]) continue;
    int want = std::min(kVoters, templatesOf_[id]);
    double score = (sum[id] + std::max(0, want - votes[id]) * worst) / std::max(want, votes[id]);
    if (score < v.score) {
      v.runnerUp = v.score;
      v.score = score, v.id = id;
    } else if (score < v.runnerUp) {
      v.runnerUp = score;
    }
  }
  if (!v.id) return v;
  const Candidate& best = *std::find_if(list.begin(), list.end(), [&](const Candidate& c) { return c.t->id == v.id; });
  v.evidence[0] = std::min(kMaxMargin, std::log(std::max(v.runnerUp, v.score) / std::max(v.score, 1e-9)));
  v.evidence[1] = std::clamp(std::log((best.aligned + kStretchFloor) / (best.distance + kStretchFloor)), -1.0, 1.0);
  v.evidence[2] = std::fabs(best.turn);
  double w = 0;
  for (int k = 0; k < kEvidenceCount; ++k) w += model_.evidenceWeight[k] * v.evidence[k];
  v.weighed = v.score * std::exp(w);
  const ClassRule& rule = model_.rules[v.id];
  v.limit = rule.limit;
  v.withinBounds = WithinBounds(rule, s);
  return v;
}

Match Recognizer::Recognize(const Path& stroke) const {
  Judgement v = Judge(stroke);
  Match m;
  m.distance = v.score;
  m.id = v.Accepted() ? v.id : 0;
  return m;
}

}  // namespace hooklib
