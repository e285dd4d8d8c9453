// The library's pictures, drawn from geometry so they come out the same on every build: the
// 32 x 32 picture of each symbol (made from the recognizer's own paths, with a dot where the
// stroke starts and a head where it ends) and the five status icons. Pictures are indices into
// the 16 standard colours, rows from the top.
#pragma once
#include <cstdint>
#include <vector>

namespace hooklib {

struct Rgb {
  uint8_t r, g, b;
};
// The 16 standard colours in palette order.
extern const Rgb kPalette[16];

struct IndexedImage {
  int size = 0;                    // width and height
  std::vector<uint8_t> pixels;     // palette indices, size * size, top row first
  std::vector<uint8_t> clear;      // 1 where an icon is transparent (empty for bitmaps)
  uint8_t At(int x, int y) const { return pixels[y * size + x]; }
};

constexpr int kPictureSize = 32;
// Picture of symbol id; id 0 (and any id outside the catalogue) gives the blank picture.
IndexedImage SymbolPicture(int id);

enum class Status { kReady, kNotRecognized, kRecognized, kNotInScheme, kDisabled };
constexpr int kStatusCount = 5;
// A status icon at 16 or 32 pixels.
IndexedImage StatusIcon(Status s, int size);

}  // namespace hooklib
