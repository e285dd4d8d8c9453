// Helpers shared by the file tests: random icon images and byte comparisons.
#pragma once
#include <cstdint>
#include <random>

#include "icon_file.h"

namespace zwicon::files::test {

// An icon image with random indices and transparency over the standard palette; transparent
// pixels have index 0, as the editor stores them.
inline IconImage RandomImage(std::mt19937& rng) {
  IconImage im = BlankIconImage();
  for (int x = 0; x < 32; ++x)
    for (int y = 0; y < 32; ++y) {
      im.transparent[x][y] = rng() % 4 == 0;
      im.index[x][y] = im.transparent[x][y] ? 0 : static_cast<uint8_t>(rng() % 16);
    }
  return im;
}

inline uint8_t Byte(const std::string& b, size_t at) { return static_cast<uint8_t>(b.at(at)); }

}  // namespace zwicon::files::test
