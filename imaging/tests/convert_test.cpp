// Colour depth conversion: palettes chosen, dithering to the 16 standard colours, exactness.
#include <gtest/gtest.h>

#include <set>

#include "quantize.h"
#include "sky32v3c.h"
#include "test_pictures.h"

namespace {

sky::Picture Flat(int32_t w, int32_t h, uint8_t b, uint8_t g, uint8_t r) {
  sky::Picture p;
  sky::Allocate(&p, w, h, false);
  for (size_t i = 0; i < p.pixels.size(); i += 3) p.pixels[i] = b, p.pixels[i + 1] = g, p.pixels[i + 2] = r;
  return p;
}

bool IsStandard(const RGBQUAD& q) {
  for (int i = 0; i < 16; ++i) {
    const RGBQUAD& s = sky::StandardColours()[i];
    if (s.rgbRed == q.rgbRed && s.rgbGreen == q.rgbGreen && s.rgbBlue == q.rgbBlue) return true;
  }
  return false;
}

TEST(Convert, DitheringToTheStandardColoursKeepsTheMeanColour) {
  // A dark grey between black (0) and grey (128) becomes a mix of standard colours whose mean
  // stays close to the original; without dithering every pixel takes the nearest colour.
  const sky::Picture grey = Flat(64, 64, 60, 60, 60);
  sky::Picture dithered, nearest;
  ASSERT_EQ(sky::ConvertDepth(grey, 4, true, sky::StandardColours(), 16, &dithered), 0);
  ASSERT_EQ(sky::ConvertDepth(grey, 4, false, sky::StandardColours(), 16, &nearest), 0);
  ASSERT_TRUE(dithered.indexed);
  ASSERT_EQ(dithered.palette.size(), 16u);
  long sum = 0;
  std::set<int> used;
  for (uint8_t i : dithered.pixels) {
    sum += dithered.palette[i].rgbGreen;
    used.insert(i);
  }
  EXPECT_NEAR(double(sum) / double(dithered.pixels.size()), 60.0, 3.0);
  EXPECT_GE(used.size(), 2u);
  EXPECT_EQ(std::set<int>(nearest.pixels.begin(), nearest.pixels.end()), std::set<int>{0});
  // Colours of the palette come through dithering unchanged.
  const sky::Picture exact = skytest::AsBgr(skytest::Standard16(20, 20));
  sky::Picture back;
  ASSERT_EQ(sky::ConvertDepth(exact, 4, true, sky::StandardColours(), 16, &back), 0);
  EXPECT_EQ(skytest::MaxDifference(exact, back), 0);
}

TEST(Convert, GradientDitheredTo16ColoursUsesOnlyThem) {
  sky::Picture out;
  ASSERT_EQ(sky::ConvertDepth(skytest::Gradient(50, 40), 4, true, nullptr, 0, &out), 0);
  ASSERT_EQ(out.palette.size(), 16u);
  for (const RGBQUAD& q : out.palette) EXPECT_TRUE(IsStandard(q));
  for (uint8_t i : out.pixels) EXPECT_LT(i, 16);
}

TEST(Convert, ChoosesThePicturesOwnColoursWhenTheyFit) {
  // 12 colours in a true-colour picture: an exact 12-entry palette at 4 bits.
  const sky::Picture few = skytest::AsBgr(skytest::Indexed(30, 10, 12));
  sky::Picture out;
  ASSERT_EQ(sky::ConvertDepth(few, 4, false, nullptr, 0, &out), 0);
  EXPECT_EQ(out.palette.size(), 12u);
  EXPECT_EQ(skytest::MaxDifference(few, out), 0);
  // Too many for 8 bits: the uniform palette.
  ASSERT_EQ(sky::ConvertDepth(skytest::Gradient(64, 64), 8, false, nullptr, 0, &out), 0);
  EXPECT_EQ(out.palette.size(), 256u);
  // An indexed picture within the depth keeps its indices.
  const sky::Picture idx = skytest::Indexed(9, 9, 200);
  ASSERT_EQ(sky::ConvertDepth(idx, 8, true, nullptr, 0, &out), 0);
  EXPECT_EQ(out.pixels, idx.pixels);
  // A given palette is used for indexed pictures too, limited to the depth.
  std::vector<RGBQUAD> big(256, RGBQUAD{0, 0, 0, 0});
  for (int i = 0; i < 16; ++i) big[i] = sky::StandardColours()[i];
  ASSERT_EQ(sky::ConvertDepth(skytest::Standard16(8, 8), 4, true, big.data(), 256, &out), 0);
  EXPECT_EQ(out.palette.size(), 16u);
  EXPECT_EQ(out.pixels, skytest::Standard16(8, 8).pixels);
}

TEST(Convert, SmoothingBlendsNeighbours) {
  sky::Picture p = Flat(3, 3, 0, 0, 0);
  p.Row(1)[3] = 90;  // the centre's blue
  sky::Smooth(&p, 100);
  EXPECT_EQ(p.Row(1)[3], 10);
  EXPECT_EQ(p.Row(0)[0], 90 / 4);  // a corner averages its 2 x 2 block
  sky::Picture q = Flat(3, 3, 0, 0, 0);
  q.Row(1)[3] = 90;
  sky::Smooth(&q, 0);
  EXPECT_EQ(q.Row(1)[3], 90);
}

}  // namespace
