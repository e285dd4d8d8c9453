// Strokes of known symbols recorded from people, one a line:
//   class person speed x1 y1 x2 y2 ...
// with the class named as in the recordings ("left_sq_bracket"), the person as "s02", the speed
// "slow", "medium" or "fast", and the points in pixels in drawing order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "geometry.h"

namespace hooklib {

struct Example {
  int id = 0;      // symbol
  int person = 0;  // 2 for "s02"
  int speed = 0;   // 0 slow, 1 medium, 2 fast
  Path points;
};

// Lines longer than this, or with more points, are skipped.
constexpr size_t kMaxStrokeLine = 65536;
constexpr size_t kMaxExamplePoints = 4096;

// The symbol id of a class name of the recordings, 0 for an unknown name.
int SymbolOfClassName(const std::string& name);

// Appends the well-formed lines of the file to `out`; false when the file cannot be read.
bool ReadStrokeFile(const std::string& path, std::vector<Example>& out);
// FNV-1a hash of a file's bytes, to tell which recordings a model was learned from.
uint32_t HashBytes(const void* data, size_t size, uint32_t hash = 2166136261u);

// The same for text already in memory (one stroke a line).
void ParseStrokeLines(const std::string& text, std::vector<Example>& out);

}  // namespace hooklib
