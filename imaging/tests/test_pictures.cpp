#include "test_pictures.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "quantize.h"
#include "temp_dir.h"

namespace skytest {

sky::Picture Gradient(int32_t w, int32_t h) {
  sky::Picture p;
  sky::Allocate(&p, w, h, false);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      uint8_t* px = p.Row(y) + 3 * x;
      px[0] = uint8_t(x * 255 / (w > 1 ? w - 1 : 1));
      px[1] = uint8_t(y * 255 / (h > 1 ? h - 1 : 1));
      px[2] = uint8_t((x * 3 + y * 5) & 0xFF);
    }
  p.sourceBits = 24;
  return p;
}

sky::Picture Standard16(int32_t w, int32_t h) {
  sky::Picture p;
  sky::Allocate(&p, w, h, true);
  p.palette.assign(sky::StandardColours(), sky::StandardColours() + 16);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p.Row(y)[x] = uint8_t((x + 3 * y) % 16);
  p.sourceBits = 4;
  return p;
}

sky::Picture Indexed(int32_t w, int32_t h, int colours) {
  sky::Picture p;
  sky::Allocate(&p, w, h, true);
  for (int i = 0; i < colours; ++i)
    p.palette.push_back(RGBQUAD{uint8_t(i * 37), uint8_t(255 - i), uint8_t((i * 101) & 0xFF), 0});
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p.Row(y)[x] = uint8_t((x * 7 + y) % colours);
  p.sourceBits = colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
  return p;
}

sky::Picture AsBgr(const sky::Picture& p) {
  sky::Picture out;
  sky::ConvertDepth(p, 24, false, nullptr, 0, &out);
  return out;
}

int MaxDifference(const sky::Picture& a, const sky::Picture& b) {
  if (a.width != b.width || a.height != b.height) return -1;
  const sky::Picture x = AsBgr(a), y = AsBgr(b);
  int worst = 0;
  for (size_t i = 0; i < x.pixels.size(); ++i)
    worst = std::max(worst, std::abs(int(x.pixels[i]) - int(y.pixels[i])));
  return worst;
}

bool ReadPpm(const std::string& path, sky::Picture* out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  int w = 0, h = 0, max = 0;
  const bool ok = std::fscanf(f, "P6 %d %d %d", &w, &h, &max) == 3 && max == 255 && std::fgetc(f) != EOF &&
                  sky::Allocate(out, w, h, false) == 0;
  bool read = false;
  if (ok) {
    read = std::fread(out->pixels.data(), 1, out->pixels.size(), f) == out->pixels.size();
    for (size_t i = 0; i + 2 < out->pixels.size(); i += 3) std::swap(out->pixels[i], out->pixels[i + 2]);
  }
  std::fclose(f);
  return read;
}

std::string TempFile(const std::string& name) {
  static sw::test::TempDir dir;
  return dir.File(name);
}

}  // namespace skytest
