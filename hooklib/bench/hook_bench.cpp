// Benchmark of the recognizer against a plain $1 baseline on one seeded corpus: top-1 accuracy
// per symbol and overall, false accepts on scribbles, median and 99th-percentile time per
// stroke.  hook_bench [seed] [drawings per symbol] [scribbles]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "corpus.h"
#include "dollar_one.h"
#include "recognizer.h"
#include "symbols.h"

using namespace hooklib;

namespace {

struct Tally {
  std::vector<int> right = std::vector<int>(kIdCount, 0);
  int falseAccepts = 0;
  std::vector<double> micros;
  double Percentile(double q) {
    std::sort(micros.begin(), micros.end());
    return micros.empty() ? 0 : micros[std::min(micros.size() - 1, (size_t)(q * micros.size()))];
  }
};

// Runs f five times and records the fastest: the cost of the stroke itself, without the
// interruptions other processes on a busy machine cause.
template <class F>
int Timed(F&& f, Tally& t) {
  int id = 0;
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    auto start = std::chrono::steady_clock::now();
    id = f();
    auto end = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::micro>(end - start).count());
  }
  t.micros.push_back(best);
  return id;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned seed = argc > 1 ? (unsigned)std::strtoul(argv[1], nullptr, 10) : 1;
  int perSymbol = argc > 2 ? std::atoi(argv[2]) : 200;
  int scribbles = argc > 3 ? std::atoi(argv[3]) : 2000;
  perSymbol = std::clamp(perSymbol, 1, 100000);
  scribbles = std::clamp(scribbles, 0, 1000000);

  const Recognizer& ours = SharedRecognizer();
  bench::DollarOne baseline;
  Corpus corpus(seed);
  Tally a, b;
  std::vector<std::vector<int>> confusion(kIdCount, std::vector<int>(kIdCount, 0));
  for (int id = 1; id <= kSymbolCount; ++id) {
    for (int i = 0; i < perSymbol; ++i) {
      Path s = corpus.Variation(id);
      int got = Timed([&] { return ours.Recognize(s).id; }, a);
      confusion[id][got]++;
      if (got == id) a.right[id]++;
      if (Timed([&] { return baseline.Recognize(s); }, b) == id) b.right[id]++;
    }
  }
  for (int i = 0; i < scribbles; ++i) {
    Path s = corpus.Scribble();
    if (Timed([&] { return ours.Recognize(s).id; }, a) != 0) a.falseAccepts++;
    if (Timed([&] { return baseline.Recognize(s); }, b) != 0) b.falseAccepts++;
  }

  std::printf("corpus: seed %u, %d drawings per symbol, %d scribbles\n\n", seed, perSymbol, scribbles);
  std::printf("%-3s %-22s %9s %9s   most often taken for\n", "id", "symbol", "ours", "$1");
  int totalA = 0, totalB = 0;
  for (int id = 1; id <= kSymbolCount; ++id) {
    totalA += a.right[id];
    totalB += b.right[id];
    int worst = -1, worstCount = 0;
    for (int j = 0; j < kIdCount; ++j)
      if (j != id && confusion[id][j] > worstCount) worst = j, worstCount = confusion[id][j];
    std::printf("%-3d %-22s %8.1f%% %8.1f%%", id, SymbolNameOf(id), 100.0 * a.right[id] / perSymbol,
                100.0 * b.right[id] / perSymbol);
    if (worst >= 0) std::printf("   %s (%d)", worst ? SymbolNameOf(worst) : "rejected", worstCount);
    std::printf("\n");
  }
  int n = perSymbol * kSymbolCount;
  std::printf("\n%-26s %9s %9s %s\n", "", "ours", "$1", "goal");
  std::printf("%-26s %8.2f%% %8.2f%%  >= 99%%\n", "top-1 accuracy", 100.0 * totalA / n, 100.0 * totalB / n);
  std::printf("%-26s %8.2f%% %8.2f%%  <= 3%%\n", "false accepts (scribbles)",
              scribbles ? 100.0 * a.falseAccepts / scribbles : 0.0,
              scribbles ? 100.0 * b.falseAccepts / scribbles : 0.0);
  std::printf("%-26s %8.1fus %8.1fus\n", "median time (best of 5)", a.Percentile(0.5), b.Percentile(0.5));
  std::printf("%-26s %8.1fus %8.1fus  < 200us\n", "99th percentile (best of 5)", a.Percentile(0.99), b.Percentile(0.99));
  return 0;
}
