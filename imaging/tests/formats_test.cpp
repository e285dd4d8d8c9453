// Round trips through files of every format at every depth it stores, and the write options.
#include <gtest/gtest.h>

#include "imaging_ops.h"
#include "sky32v3c.h"
#include "temp_dir.h"
#include "test_pictures.h"

namespace {

SkyWriteOptions Options(int bits) {
  return SkyWriteOptions{sizeof(SkyWriteOptions), bits, 0, 0, SKY_TIFF_NONE, 90, 0};
}

// Writes `pic` at `bits` and reads it back at the automatic resolution.
int RoundTrip(const sky::Picture& pic, SkyFormat format, const SkyWriteOptions& o, sky::Picture* back,
              std::string* bytes = nullptr) {
  std::string data;
  if (int e = sky::EncodePicture(pic, format, o, &data)) return e;
  const std::string file = skytest::TempFile("roundtrip.pic");
  if (int e = sky::SaveFile(file.c_str(), data)) return e;
  if (bytes) *bytes = data;
  return sky::ReadPicture(file.c_str(), format, 0, false, nullptr, 0, back);
}

struct Case {
  SkyFormat format;
  int bits;
};

TEST(Formats, LosslessRoundTripsAtEveryDepth) {
  const Case cases[] = {{SKY_FORMAT_BMP, 4},  {SKY_FORMAT_BMP, 8},  {SKY_FORMAT_BMP, 24},
                        {SKY_FORMAT_PNG, 4},  {SKY_FORMAT_PNG, 8},  {SKY_FORMAT_PNG, 24},
                        {SKY_FORMAT_TIFF, 4}, {SKY_FORMAT_TIFF, 8}, {SKY_FORMAT_TIFF, 24},
                        {SKY_FORMAT_GIF, 4},  {SKY_FORMAT_GIF, 8},  {SKY_FORMAT_PCX, 1},
                        {SKY_FORMAT_PCX, 4},  {SKY_FORMAT_PCX, 8},  {SKY_FORMAT_PCX, 24}};
  for (const Case& c : cases) {
    const sky::Picture pic = c.bits == 24  ? skytest::Gradient(37, 21)
                             : c.bits == 8 ? skytest::Indexed(37, 21, 256)
                             : c.bits == 4 ? skytest::Standard16(37, 21)
                                           : skytest::Indexed(37, 21, 2);
    sky::Picture back;
    ASSERT_EQ(RoundTrip(pic, c.format, Options(c.bits), &back), 0)
        << "format " << c.format << " bits " << c.bits;
    EXPECT_EQ(skytest::MaxDifference(pic, back), 0) << "format " << c.format << " bits " << c.bits;
    if (c.bits <= 8 && c.format != SKY_FORMAT_GIF) {
      EXPECT_EQ(back.sourceBits, c.bits) << "format " << c.format;
    }
  }
}

sky::Picture Smooth(int32_t w, int32_t h) {
  sky::Picture p = skytest::Gradient(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p.Row(y)[3 * x + 2] = uint8_t((x + y) * 2);
  return p;
}

TEST(Formats, JpegStaysWithinItsErrorAndSmoothingBlurs) {
  // A smooth picture survives within a channel error of 8; indexed pictures are written at 24
  // bits; smoothing takes the edge off a sharp line.
  sky::Picture back;
  const sky::Picture pic = Smooth(64, 48);
  SkyWriteOptions o = Options(4);
  o.jpegQuality = 25;
  ASSERT_EQ(RoundTrip(pic, SKY_FORMAT_JPEG, o, &back), 0);
  EXPECT_LE(skytest::MaxDifference(pic, back), 8);
  EXPECT_FALSE(back.indexed);
  ASSERT_EQ(RoundTrip(skytest::Standard16(16, 16), SKY_FORMAT_JPEG, o, &back), 0);
  EXPECT_FALSE(back.indexed);

  sky::Picture line = Smooth(16, 16);
  for (int32_t y = 0; y < 16; ++y) std::fill(line.Row(y), line.Row(y) + 3 * 16, y == 8 ? 255 : 0);
  sky::Picture sharp, soft;
  ASSERT_EQ(RoundTrip(line, SKY_FORMAT_JPEG, o, &sharp), 0);
  o.jpegSmoothing = 100;
  ASSERT_EQ(RoundTrip(line, SKY_FORMAT_JPEG, o, &soft), 0);
  EXPECT_GT(sharp.Row(8)[24], 200);
  EXPECT_LT(soft.Row(8)[24], 130);
  EXPECT_GT(soft.Row(7)[24], 50);
}

TEST(Formats, WritesTheRequestedOptions) {
  const sky::Picture pic = skytest::Gradient(40, 30);
  std::string bytes;
  // PNG: interlace method byte of the header chunk is 0.
  ASSERT_EQ(sky::EncodePicture(pic, SKY_FORMAT_PNG, Options(24), &bytes), 0);
  ASSERT_GT(bytes.size(), 29u);
  EXPECT_EQ(bytes[28], 0);
  // TIFF without compression holds every pixel byte.
  ASSERT_EQ(sky::EncodePicture(pic, SKY_FORMAT_TIFF, Options(24), &bytes), 0);
  EXPECT_GE(bytes.size(), 40u * 30u * 3u);
  // Options outside what the formats store are refused.
  SkyWriteOptions bad = Options(24);
  bad.pngInterlace = 1;
  EXPECT_EQ(sky::EncodePicture(pic, SKY_FORMAT_PNG, bad, &bytes), SKY_ERR_OPTION);
  bad = Options(24);
  bad.tiffCompression = 5;
  EXPECT_EQ(sky::EncodePicture(pic, SKY_FORMAT_TIFF, bad, &bytes), SKY_ERR_OPTION);
  bad = Options(24);
  bad.jpegQuality = 0;
  EXPECT_EQ(sky::EncodePicture(pic, SKY_FORMAT_JPEG, bad, &bytes), SKY_ERR_OPTION);
  EXPECT_EQ(sky::EncodePicture(pic, SKY_FORMAT_PNG, Options(1), &bytes), SKY_ERR_OPTION);
  EXPECT_EQ(sky::EncodePicture(pic, SKY_FORMAT_PNG, Options(16), &bytes), SKY_ERR_OPTION);
  EXPECT_EQ(sky::EncodePicture(pic, 9, Options(24), &bytes), SKY_ERR_PARAMETER);
}

TEST(Formats, ReadingReportsMissingAndForeignFiles) {
  sky::Picture p;
  EXPECT_EQ(
      sky::ReadPicture(skytest::TempFile("absent.bmp").c_str(), SKY_FORMAT_BMP, 0, false, nullptr, 0, &p),
      SKY_ERR_OPEN);
  // A PNG read as BMP, GIF or JPEG has the wrong magic; cut short it does not decode.
  std::string png;
  ASSERT_EQ(sky::EncodePicture(skytest::Gradient(20, 20), SKY_FORMAT_PNG, Options(24), &png), 0);
  const std::string file = skytest::TempFile("foreign.pic");
  ASSERT_EQ(sky::SaveFile(file.c_str(), png), 0);
  for (int f : {SKY_FORMAT_BMP, SKY_FORMAT_GIF, SKY_FORMAT_JPEG, SKY_FORMAT_TIFF, SKY_FORMAT_PCX})
    EXPECT_EQ(sky::ReadPicture(file.c_str(), f, 0, false, nullptr, 0, &p), SKY_ERR_FORMAT) << f;
  ASSERT_EQ(sky::SaveFile(file.c_str(), png.substr(0, 40)), 0);
  EXPECT_EQ(sky::ReadPicture(file.c_str(), SKY_FORMAT_PNG, 0, false, nullptr, 0, &p), SKY_ERR_DECODE);
}

TEST(Formats, FailedWritesKeepTheExistingFile) {
  sw::test::TempDir dir;
  const std::string file = dir.Write("keep.png", "old contents");
  const sky::Picture src = skytest::Gradient(8, 8);
  const HGLOBAL dib = sky::ToPackedDib(src, 24);
  const auto* info = static_cast<const BITMAPINFO*>(GlobalLock(dib));
  const uint8_t* bits = reinterpret_cast<const uint8_t*>(info) + sizeof(BITMAPINFOHEADER);
  SkyWriteOptions bad = Options(24);
  bad.pngInterlace = 1;
  EXPECT_EQ(sky::WritePicture(file.c_str(), SKY_FORMAT_PNG, info, bits, &bad), SKY_ERR_OPTION);
  std::string now;
  ASSERT_TRUE(sw::test::ReadFileBytes(file, &now));
  EXPECT_EQ(now, "old contents");
  const SkyWriteOptions good = Options(24);
  EXPECT_EQ(sky::WritePicture(dir.File("no\\such\\folder\\x.png").c_str(), SKY_FORMAT_PNG, info, bits, &good),
            SKY_ERR_CREATE);
  EXPECT_EQ(sky::WritePicture(file.c_str(), SKY_FORMAT_PNG, info, bits, &good), 0);
  sky::Picture back;
  ASSERT_EQ(sky::ReadPicture(file.c_str(), SKY_FORMAT_PNG, 24, false, nullptr, 0, &back), 0);
  EXPECT_EQ(skytest::MaxDifference(src, back), 0);
  GlobalUnlock(dib);
  GlobalFree(dib);
}

}  // namespace

namespace {

// A BMP file header and info header for a w x h picture at 24 bits, without pixel data.
std::string BmpHeader(int32_t w, int32_t h) {
  std::string s(54, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = char(v >> (8 * i));
  };
  s[0] = 'B', s[1] = 'M';
  put32(2, 54 + uint32_t(w) * 3 * uint32_t(h));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  s[26] = 1, s[28] = 24;
  return s;
}

TEST(Formats, PlatformReadersRefuseHugeAndTruncatedPictures) {
  sky::Picture p;
  const std::string huge = BmpHeader(100000, 100000);
  EXPECT_EQ(sky::DecodePicture(reinterpret_cast<const uint8_t*>(huge.data()), huge.size(), SKY_FORMAT_BMP, &p),
            SKY_ERR_TOO_LARGE);
  // Rows missing from the end of the file.
  const std::string cut = BmpHeader(16, 16) + std::string(16 * 3 * 4, '\x40');
  const int e = sky::DecodePicture(reinterpret_cast<const uint8_t*>(cut.data()), cut.size(), SKY_FORMAT_BMP, &p);
  EXPECT_EQ(e, SKY_ERR_DECODE);
  // Every format cut in half.
  const sky::Picture pic = skytest::Gradient(40, 40);
  for (SkyFormat f : {SKY_FORMAT_PNG, SKY_FORMAT_GIF, SKY_FORMAT_TIFF, SKY_FORMAT_JPEG, SKY_FORMAT_PCX}) {
    std::string bytes;
    ASSERT_EQ(sky::EncodePicture(pic, f, Options(f == SKY_FORMAT_GIF ? 8 : 24), &bytes), 0);
    bytes.resize(bytes.size() / 2);
    EXPECT_NE(sky::DecodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), f, &p), 0) << f;
  }
}

}  // namespace
