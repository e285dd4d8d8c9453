// Prints read and write times per format for a 32 x 32 and a 1024 x 768 picture: the mean of
// several runs of the library's own read and write paths through a temporary file.
#include <windows.h>

#include <cstdio>
#include <string>

#include "imaging_ops.h"

namespace {

// A picture with smooth gradients and a few hard edges, like a scanned drawing.
sky::Picture MakePicture(int32_t w, int32_t h) {
  sky::Picture p;
  sky::Allocate(&p, w, h, false);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = p.Row(y);
    for (int32_t x = 0; x < w; ++x) {
      const bool band = ((x / 16) + (y / 16)) % 5 == 0;
      row[3 * x] = uint8_t(band ? 255 : x * 255 / w);
      row[3 * x + 1] = uint8_t(y * 255 / h);
      row[3 * x + 2] = uint8_t(band ? 0 : (x + y) * 255 / (w + h));
    }
  }
  p.sourceBits = 24;
  return p;
}

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) / double(f.QuadPart);
}

struct Format {
  const char* name;
  SkyFormat format;
  int bits;
};

}  // namespace

int main() {
  const Format formats[] = {{"BMP", SKY_FORMAT_BMP, 24},  {"PCX", SKY_FORMAT_PCX, 24},
                            {"PCX-8", SKY_FORMAT_PCX, 8}, {"JPEG", SKY_FORMAT_JPEG, 24},
                            {"PNG", SKY_FORMAT_PNG, 24},  {"GIF", SKY_FORMAT_GIF, 8},
                            {"TIFF", SKY_FORMAT_TIFF, 24}};
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string file = std::string(dir) + "sky_bench.tmp";
  std::printf("%-6s %-10s %6s %12s %12s %10s\n", "format", "size", "depth", "write ms", "read ms", "bytes");
  for (const auto& size : {std::pair<int, int>{32, 32}, std::pair<int, int>{1024, 768}}) {
    const sky::Picture pic = MakePicture(size.first, size.second);
    const int runs = size.first == 32 ? 50 : 5;
    for (const Format& f : formats) {
      SkyWriteOptions o = {sizeof(SkyWriteOptions), f.bits, 1, 0, SKY_TIFF_NONE, 75, 0};
      double t0 = Now();
      std::string bytes;
      int err = 0;
      for (int i = 0; i < runs && !err; ++i) {
        bytes.clear();
        err = sky::EncodePicture(pic, f.format, o, &bytes);
        if (!err) err = sky::SaveFile(file.c_str(), bytes);
      }
      const double write = (Now() - t0) / runs * 1000.0;
      t0 = Now();
      for (int i = 0; i < runs && !err; ++i) {
        sky::Picture back;
        err = sky::ReadPicture(file.c_str(), f.format, 24, false, nullptr, 0, &back);
      }
      const double read = (Now() - t0) / runs * 1000.0;
      char dims[32];
      std::snprintf(dims, sizeof dims, "%dx%d", size.first, size.second);
      if (err)
        std::printf("%-6s %-10s %6d  error %d\n", f.name, dims, f.bits, err);
      else
        std::printf("%-6s %-10s %6d %12.2f %12.2f %10u\n", f.name, dims, f.bits, write, read,
                    unsigned(bytes.size()));
    }
  }
  DeleteFileA(file.c_str());
  return 0;
}
