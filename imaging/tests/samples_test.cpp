// Pictures made by another tool (ImageMagick) read as that tool reads them.
#include <gtest/gtest.h>

#include "imaging_ops.h"
#include "test_pictures.h"

namespace {

struct Sample {
  const char* file;
  SkyFormat format;
  int tolerance;  // largest channel difference allowed
  int ownBits;    // the depth the picture keeps when read at the automatic resolution
};

TEST(Samples, ReadLikeTheToolThatMadeThem) {
  const Sample samples[] = {
      {"blocks4.bmp", SKY_FORMAT_BMP, 0, 4},     {"gradient8.bmp", SKY_FORMAT_BMP, 0, 0},
      {"gradient24.bmp", SKY_FORMAT_BMP, 0, 24}, {"blocks8.png", SKY_FORMAT_PNG, 0, 0},
      {"gradient24.png", SKY_FORMAT_PNG, 0, 24},  {"alpha.png", SKY_FORMAT_PNG, 1, 24}, {"gradient48.png", SKY_FORMAT_PNG, 1, 24},
      {"gradient.gif", SKY_FORMAT_GIF, 0, 8},    {"blocks.gif", SKY_FORMAT_GIF, 0, 0},
      {"gradient.tif", SKY_FORMAT_TIFF, 0, 24},  {"blocks-lzw.tif", SKY_FORMAT_TIFF, 0, 0},
      {"gradient.jpg", SKY_FORMAT_JPEG, 8, 24},  {"blocks8.pcx", SKY_FORMAT_PCX, 0, 0},
      {"gradient8.pcx", SKY_FORMAT_PCX, 0, 8},   {"gradient24.pcx", SKY_FORMAT_PCX, 0, 24},
  };
  for (const Sample& s : samples) {
    const std::string path = std::string(SKY_SAMPLES_DIR) + "\\" + s.file;
    sky::Picture expected, own, rgb;
    ASSERT_TRUE(skytest::ReadPpm(path + ".ppm", &expected)) << s.file;
    ASSERT_EQ(sky::ReadPicture(path.c_str(), s.format, 24, false, nullptr, 0, &rgb), 0) << s.file;
    EXPECT_LE(skytest::MaxDifference(expected, rgb), s.tolerance) << s.file;
    ASSERT_EQ(sky::ReadPicture(path.c_str(), s.format, 0, false, nullptr, 0, &own), 0) << s.file;
    EXPECT_LE(skytest::MaxDifference(expected, own), s.tolerance) << s.file;
    if (s.ownBits) {
      EXPECT_EQ(sky::AutomaticBits(own), s.ownBits) << s.file;
    }
  }
}

TEST(Samples, ColourPictureReadAt16ColoursUsesOnlyTheGivenPalette) {
  const std::string path = std::string(SKY_SAMPLES_DIR) + "\\gradient.jpg";
  std::vector<RGBQUAD> palette(256, RGBQUAD{0, 0, 0, 0});
  for (int i = 0; i < 16; ++i)
    palette[i] = RGBQUAD{uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i * 8), 0};
  sky::Picture p;
  ASSERT_EQ(sky::ReadPicture(path.c_str(), SKY_FORMAT_JPEG, 4, true, palette.data(), 256, &p), 0);
  ASSERT_EQ(p.palette.size(), 16u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(p.palette[i].rgbBlue, i * 16);
  for (uint8_t i : p.pixels) ASSERT_LT(i, 16);
}

}  // namespace
