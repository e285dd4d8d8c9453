// Mutated files for a fixed budget: no reader may crash or read past the end of its input. Each
// input is placed so that it ends at a page that cannot be read, so any over-read faults.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <random>

#include "imaging_ops.h"
#include "pcx_codec.h"
#include "test_pictures.h"

namespace {

// A buffer whose last byte lies just before an inaccessible page.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(size_t capacity) {
    pages_ = (capacity + 4095) / 4096 + 1;
    base_ =
        static_cast<uint8_t*>(VirtualAlloc(nullptr, pages_ * 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(base_ + (pages_ - 1) * 4096, 4096, PAGE_NOACCESS, &old);
  }
  ~GuardedBuffer() { VirtualFree(base_, 0, MEM_RELEASE); }
  const uint8_t* Place(const std::string& bytes) {
    uint8_t* at = base_ + (pages_ - 1) * 4096 - bytes.size();
    std::memcpy(at, bytes.data(), bytes.size());
    return at;
  }

 private:
  size_t pages_;
  uint8_t* base_;
};

std::string Mutate(const std::string& seed, std::mt19937& rng) {
  std::string s = seed;
  const int edits = 1 + int(rng() % 8);
  for (int i = 0; i < edits && !s.empty(); ++i) {
    const size_t at = rng() % s.size();
    switch (rng() % 6) {
      case 0:
        s[at] = char(rng());
        break;  // random byte
      case 1:
        s[at] = char(s[at] ^ (1 << (rng() % 8)));
        break;  // flipped bit
      case 2:
        s.resize(at);
        break;  // truncated
      case 3:
        s.insert(at, std::string(1 + rng() % 16, char(rng())));
        break;  // inserted bytes
      case 4:
        s[at] = char(0xC0 | (rng() % 64));
        break;  // a run count
      case 5:
        if (at + 1 < s.size()) s[at + 1] = char(0xFF);
        break;  // large header fields
    }
  }
  return s;
}

std::vector<std::string> Seeds(SkyFormat format) {
  std::vector<std::string> seeds;
  const sky::Picture pics[] = {skytest::Indexed(13, 7, 2), skytest::Standard16(21, 9),
                               skytest::Indexed(17, 5, 256), skytest::Gradient(11, 6)};
  const int bits[] = {1, 4, 8, 24};
  for (int i = 0; i < 4; ++i) {
    if (bits[i] == 1 && format != SKY_FORMAT_PCX) continue;
    std::string out;
    const SkyWriteOptions o = {sizeof(SkyWriteOptions), bits[i], 0, 0, SKY_TIFF_NONE, 75, 0};
    if (sky::EncodePicture(pics[i], format, o, &out) == 0) seeds.push_back(out);
  }
  return seeds;
}

// Runs `iterations` mutated inputs through the decoder; every result must be an error number or
// a picture of sane size.
void Fuzz(SkyFormat format, int iterations, uint32_t seed) {
  const std::vector<std::string> seeds = Seeds(format);
  ASSERT_FALSE(seeds.empty());
  std::mt19937 rng(seed);
  GuardedBuffer buffer(1 << 16);
  int decoded = 0;
  for (int i = 0; i < iterations; ++i) {
    const std::string input = Mutate(seeds[rng() % seeds.size()], rng);
    if (input.size() > (1 << 16)) continue;
    sky::Picture pic;
    const int e = sky::DecodePicture(buffer.Place(input), input.size(), format, &pic);
    ASSERT_GE(e, 0);
    ASSERT_LE(e, SKY_ERR_LAST);
    if (e == 0) {
      ++decoded;
      ASSERT_EQ(pic.pixels.size(), pic.RowBytes() * size_t(pic.height));
      for (uint8_t v : pic.indexed ? pic.pixels : std::vector<uint8_t>()) ASSERT_LT(v, pic.palette.size());
    }
  }
  ::testing::Test::RecordProperty("decoded", decoded);
}

TEST(Fuzz, PcxReaderSurvivesMutatedFiles) { Fuzz(SKY_FORMAT_PCX, 30000, 20261207); }

TEST(Fuzz, PlatformReadersSurviveMutatedFiles) {
  for (SkyFormat f : {SKY_FORMAT_BMP, SKY_FORMAT_PNG, SKY_FORMAT_GIF, SKY_FORMAT_TIFF, SKY_FORMAT_JPEG}) {
    SCOPED_TRACE(f);
    Fuzz(f, 300, 77 + f);
  }
}

}  // namespace
