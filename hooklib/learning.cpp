#include "learning.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "corpus.h"

namespace hooklib {
namespace {

// Beyond this distance a stroke counts as not served at all by a template.
constexpr double kServedWithin = 1.0;
// Rungs of the limits AllotLimits chooses from, in the logarithm of the score.
constexpr double kLadderStep = 0.01;
// Walks farther than this above a symbol's farthest learning stroke, in the logarithm of the
// score, take no part in weighing the evidence; the ridge keeps its weights small.
constexpr double kNearWalk = 0.4;
constexpr double kRidge = 1;

// A model that takes the closest symbol whatever its score: for collecting scores.
Model Permissive(std::vector<Template> templates) {
  Model m;
  m.templates = std::move(templates);
  for (ClassRule& r : m.rules) {
    r.limit = 1e300;
    for (int k = 0; k < kFeatureCount; ++k) r.lo[k] = -1e300, r.hi[k] = 1e300;
  }
  return m;
}

void SetBounds(ClassRule& r, const std::vector<Form>& forms, double slack) {
  for (int k = 0; k < kFeatureCount; ++k) {
    double lo = 1e300, hi = -1e300;
    for (const Form& f : forms) lo = std::min(lo, f.feature[k]), hi = std::max(hi, f.feature[k]);
    if (forms.empty()) lo = hi = 0;
    double w = hi - lo;
    r.lo[k] = lo - slack * w;
    r.hi[k] = hi + slack * w;
  }
}

std::vector<Template> TemplatesFrom(const std::vector<Example>& strokes, int perPerson) {
  std::set<int> people;
  for (const Example& e : strokes) people.insert(e.person);
  std::vector<Template> t = DesignedTemplates();
  std::vector<Template> chosen = ChooseTemplates(strokes, perPerson * (int)people.size());
  t.insert(t.end(), chosen.begin(), chosen.end());
  return t;
}


// Limits for all symbols together. A symbol's share of strokes taken in at a limit is read from
// its learning strokes smoothed in the logarithm of the score, so that it keeps growing a little
// past the farthest of them: people not seen yet draw farther from the templates than the ones
// seen. Each step raises the limit of the one symbol that gains the most share for the walks it
// lets through, until the walks let through reach the budget. A limit then reaches halfway to
// the next walk above it, at most a fifth farther.
void AllotLimits(const std::vector<std::vector<double>>& right, std::vector<std::vector<double>> walks,
                 const LearningOptions& o, Model& model) {
  struct Ladder {
    std::vector<double> limit, share;
    std::vector<size_t> walks;
    size_t at = 0;  // rungs taken; 0: the symbol is never taken
  };
  std::vector<Ladder> ladders(kIdCount);
  for (int id = 1; id < kIdCount; ++id) {
    if (right[id].empty()) continue;
    std::sort(walks[id].begin(), walks[id].end());
    std::vector<double> u;
    for (double r : right[id]) u.push_back(std::log(std::max(r, 1e-9)));
    auto [lo, hi] = std::minmax_element(u.begin(), u.end());
    double h = o.scoreSpread, weight = IsRecordedSymbol(id) ? 1.0 : o.designedWeight;
    Ladder& l = ladders[id];
    l.limit.push_back(0), l.share.push_back(0), l.walks.push_back(0);
    for (double g = *lo - 3 * h; g <= *hi + 4 * h; g += kLadderStep) {
      double share = 0;
      for (double x : u) share += 0.5 * std::erfc((x - g) / (h * std::sqrt(2.0)));
      l.limit.push_back(std::exp(g));
      l.share.push_back(weight * share / u.size());
      l.walks.push_back(std::upper_bound(walks[id].begin(), walks[id].end(), l.limit.back()) - walks[id].begin());
    }
  }
  double spent = 0, budget = o.maxWalkShare * o.walks;
  while (true) {
    int bestId = 0;
    size_t bestAt = 0;
    double bestRatio = 1e-6, bestCost = 0;
    for (int id = 1; id < kIdCount; ++id) {
      const Ladder& l = ladders[id];
      for (size_t step : {1, 2, 3, 5, 8, 13, 21, 34}) {
        size_t n = l.at + step;
        if (n >= l.limit.size()) break;
        double cost = double(l.walks[n] - l.walks[l.at]);
        if (spent + cost > budget) break;
        double ratio = (l.share[n] - l.share[l.at]) / (cost + 0.01);
        if (ratio > bestRatio) bestRatio = ratio, bestId = id, bestAt = n, bestCost = cost;
      }
    }
    if (!bestId) break;
    ladders[bestId].at = bestAt;
    spent += bestCost;
  }
  for (int id = 1; id < kIdCount; ++id) {
    const Ladder& l = ladders[id];
    double limit = l.at ? l.limit[l.at] : 0;
    auto next = std::upper_bound(walks[id].begin(), walks[id].end(), limit);
    double roof = next != walks[id].end() ? *next : limit * 1.2;
    model.rules[id].limit = limit + 0.5 * (std::min(roof, limit * 1.2) - limit);
  }
}

// Solves a x = b for a small symmetric positive definite a (Gaussian elimination).
template <int N>
void Solve(double (&a)[N][N], double (&b)[N]) {
  for (int c = 0; c < N; ++c) {
    for (int r = c + 1; r < N; ++r) {
      double f = a[r][c] / a[c][c];
      for (int k = c; k < N; ++k) a[r][k] -= f * a[c][k];
      b[r] -= f * b[c];
    }
  }
  for (int c = N - 1; c >= 0; --c) {
    for (int k = c + 1; k < N; ++k) b[c] -= a[c][k] * b[k];
    b[c] /= a[c][c];
  }
}

// The weights of the evidence beside the score: a logistic regression of people's strokes (each
// scored against templates of other people) against the walks near them, over the logarithm of
// the score (taken relative to the symbol's median) and the evidence. Its weights, divided by the
// score's, say how much each piece of evidence is worth in the logarithm of the score.
void WeighEvidence(const std::vector<std::vector<Judgement>>& right, const std::vector<std::vector<Judgement>>& walks,
                   Model& model) {
  constexpr int n = 2 + kEvidenceCount;
  struct Row {
    double x[n];
    bool person;
  };
  std::vector<Row> rows;
  size_t people = 0;
  for (int id = 1; id < kIdCount; ++id) {
    if (right[id].empty()) continue;
    std::vector<double> u;
    for (const Judgement& v : right[id]) u.push_back(std::log(std::max(v.score, 1e-9)));
    std::sort(u.begin(), u.end());
    double median = u[u.size() / 2], farthest = u.back();
    auto add = [&](const Judgement& v, bool person) {
      Row r{{1, std::log(std::max(v.score, 1e-9)) - median}, person};
      for (int k = 0; k < kEvidenceCount; ++k) r.x[2 + k] = v.evidence[k];
      rows.push_back(r);
    };
    for (const Judgement& v : right[id]) add(v, true), people++;
    for (const Judgement& v : walks[id])
      if (std::log(std::max(v.score, 1e-9)) < farthest + kNearWalk) add(v, false);
  }
  if (!people || people == rows.size()) return;
  // Standardised columns, both sides weighing the same in all.
  double mean[n] = {}, dev[n] = {};
  for (const Row& r : rows)
    for (int k = 1; k < n; ++k) mean[k] += r.x[k] / rows.size();
  for (const Row& r : rows)
    for (int k = 1; k < n; ++k) dev[k] += (r.x[k] - mean[k]) * (r.x[k] - mean[k]) / rows.size();
  dev[0] = 1;
  for (int k = 1; k < n; ++k) dev[k] = dev[k] > 1e-18 ? std::sqrt(dev[k]) : 1;
  for (Row& r : rows)
    for (int k = 1; k < n; ++k) r.x[k] = (r.x[k] - mean[k]) / dev[k];
  double personWeight = double(rows.size() - people) / people;
  double beta[n] = {};
  for (int iteration = 0; iteration < 12; ++iteration) {
    double g[n], h[n][n] = {};
    for (int i = 0; i < n; ++i) g[i] = kRidge * beta[i], h[i][i] = kRidge;
    for (const Row& r : rows) {
      double z = 0;
      for (int i = 0; i < n; ++i) z += beta[i] * r.x[i];
      double p = 1 / (1 + std::exp(-std::clamp(z, -30.0, 30.0))), w = r.person ? personWeight : 1;
      double e = (p - (r.person ? 1 : 0)) * w, c = p * (1 - p) * w;
      for (int i = 0; i < n; ++i) {
        g[i] += e * r.x[i];
        for (int j = 0; j < n; ++j) h[i][j] += c * r.x[i] * r.x[j];
      }
    }
    Solve(h, g);
    for (int i = 0; i < n; ++i) beta[i] -= g[i];
  }
  double perScore = beta[1] / dev[1];
  if (perScore >= 0) return;  // the score does not tell them apart: no weights
  for (int k = 0; k < kEvidenceCount; ++k) model.evidenceWeight[k] = beta[2 + k] / dev[2 + k] / perScore;
}

}  // namespace

Template RecordedTemplate(const Example& e) {
  Template t;
  t.id = e.id;
  t.maxTurn = kRecordedTurnDeg * kPi / 180;
  MakeForm(e.points, t.form);
  return t;
}

std::vector<Template> ChooseTemplates(const std::vector<Example>& strokes, int perSymbol) {
  std::vector<Template> out;
  for (int id = 1; id <= kSymbolCount; ++id) {
    std::vector<Template> all;
    for (const Example& e : strokes)
      if (e.id == id && e.points.size() >= 2 && PathLength(e.points) > 0) all.push_back(RecordedTemplate(e));
    size_t n = all.size();
    if ((int)n <= perSymbol) {
      out.insert(out.end(), all.begin(), all.end());
      continue;
    }
    // d[j * n + i]: stroke i against template j.
    std::vector<double> d(n * n);
    for (size_t j = 0; j < n; ++j)
      for (size_t i = 0; i < n; ++i)
        d[j * n + i] = i == j ? 0 : Align(all[j].form, all[i].form, all[j].maxTurn).distance;
    std::vector<double> nearest(n, kServedWithin);
    std::vector<bool> taken(n, false);
    for (int k = 0; k < perSymbol; ++k) {
      size_t best = 0;
      double bestGain = -1;
      for (size_t j = 0; j < n; ++j) {
        if (taken[j]) continue;
        double gain = 0;
        for (size_t i = 0; i < n; ++i) gain += std::max(0.0, nearest[i] - d[j * n + i]);
        if (gain > bestGain) bestGain = gain, best = j;
      }
      taken[best] = true;
      out.push_back(all[best]);
      for (size_t i = 0; i < n; ++i) nearest[i] = std::min(nearest[i], d[best * n + i]);
    }
  }
  return out;
}

Model LearnModel(const std::vector<Example>& people, const LearningOptions& o) {
  std::set<int> persons;
  for (const Example& e : people) persons.insert(e.person);
  Model model = Permissive(TemplatesFrom(people, o.templatesPerPerson));

  // Strokes of each person against templates of the others, where they were right.
  std::vector<std::vector<Judgement>> right(kIdCount);
  for (int p : persons) {
    std::vector<Example> others, own;
    for (const Example& e : people) (e.person == p ? own : others).push_back(e);
    if (others.empty()) others = own;  // one person only: nobody to leave out
    Recognizer r(Permissive(TemplatesFrom(others, o.templatesPerPerson)));
    for (const Example& e : own) {
      Judgement v = r.Judge(e.points);
      if (v.id == e.id) right[e.id].push_back(v);
    }
  }
  std::vector<std::vector<Form>> forms(kIdCount);
  for (const Example& e : people) {
    Form f;
    if (e.id > 0 && e.id < kIdCount && MakeForm(e.points, f)) forms[e.id].push_back(f);
  }

  // The designed symbols: generated drawings against the whole model.
  Recognizer whole(model);
  Corpus corpus(o.corpusSeed);
  for (int id = 1; id <= kSymbolCount; ++id) {
    if (IsRecordedSymbol(id)) continue;
    for (int i = 0; i < o.corpusPerSymbol; ++i) {
      Path s = corpus.Variation(id);
      Judgement v = whole.Judge(s);
      if (v.id == id) right[id].push_back(v);
      Form f;
      if (MakeForm(s, f)) forms[id].push_back(f);
    }
  }
  for (int id = 1; id < kIdCount; ++id) SetBounds(model.rules[id], forms[id], o.boundSlack);

  // Random walks within a symbol's bounds that the model takes for it.
  std::vector<std::vector<Judgement>> walks(kIdCount);
  Corpus walker(o.walkSeed);
  for (int i = 0; i < o.walks; ++i) {
    Path w = walker.Walk();
    Judgement v = whole.Judge(w);
    Form f;
    if (v.id && MakeForm(w, f) && WithinBounds(model.rules[v.id], f)) walks[v.id].push_back(v);
  }
  WeighEvidence(right, walks, model);
  auto weighed = [&](const std::vector<std::vector<Judgement>>& judged) {
    std::vector<std::vector<double>> out(kIdCount);
    for (int id = 1; id < kIdCount; ++id)
      for (const Judgement& v : judged[id]) {
        double w = 0;
        for (int k = 0; k < kEvidenceCount; ++k) w += model.evidenceWeight[k] * v.evidence[k];
        out[id].push_back(v.score * std::exp(w));
      }
    return out;
  };
  AllotLimits(weighed(right), weighed(walks), o, model);
  model.rules[0] = ClassRule();
  return model;
}

}  // namespace hooklib
