// The PCX codec: round trips of every kind, files laid out by hand, and malformed input.
#include <gtest/gtest.h>

#include "pcx_codec.h"
#include "sky32v3c.h"
#include "test_pictures.h"

namespace {

using namespace std::string_literals;
using skytest::MaxDifference;

int Decode(const std::string& bytes, sky::Picture* out) {
  return sky::PcxDecode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
}

// A 128-byte header for a w x h picture.
std::string Header(int w, int h, int bpp, int planes, int bytesPerLine) {
  std::string s(128, '\0');
  s[0] = 0x0A, s[1] = 5, s[2] = 1, s[3] = char(bpp);
  s[8] = char((w - 1) & 0xFF), s[9] = char((w - 1) >> 8);
  s[10] = char((h - 1) & 0xFF), s[11] = char((h - 1) >> 8);
  s[65] = char(planes);
  s[66] = char(bytesPerLine & 0xFF), s[67] = char(bytesPerLine >> 8);
  return s;
}

std::string GreyPalette256() {
  std::string s(1, '\x0C');
  for (int i = 0; i < 256; ++i) s += std::string(3, char(i));
  return s;
}

TEST(Pcx, RoundTripsEveryKindExactlyAtOddWidths) {
  for (int32_t w : {1, 7, 9, 33, 130}) {
    const sky::Picture mono = skytest::Indexed(w, 5, 2);
    const sky::Picture sixteen = skytest::Standard16(w, 6);
    const sky::Picture many = skytest::Indexed(w, 4, 256);
    const sky::Picture rgb = skytest::Gradient(w, 3);
    const std::pair<const sky::Picture*, int> cases[] = {{&mono, 1}, {&sixteen, 4}, {&many, 8}, {&rgb, 24}};
    for (const auto& [pic, bits] : cases) {
      std::string bytes;
      ASSERT_EQ(sky::PcxEncode(*pic, bits, &bytes), 0);
      sky::Picture back;
      ASSERT_EQ(Decode(bytes, &back), 0) << "width " << w << " bits " << bits;
      EXPECT_EQ(back.sourceBits, bits);
      EXPECT_EQ(MaxDifference(*pic, back), 0) << "width " << w << " bits " << bits;
      if (bits <= 8) {
        EXPECT_EQ(back.pixels, pic->pixels) << "indices must survive, width " << w;
      }
    }
  }
}

TEST(Pcx, EncodesLongRunsAndHighLiteralBytes) {
  // A row of 200 equal bytes needs several runs of at most 63; bytes 0xC0 and up must be escaped.
  sky::Picture p = skytest::Indexed(200, 2, 256);
  for (int32_t x = 0; x < 200; ++x) p.Row(0)[x] = 0xC5, p.Row(1)[x] = uint8_t(0xC0 + x % 64);
  std::string bytes;
  ASSERT_EQ(sky::PcxEncode(p, 8, &bytes), 0);
  sky::Picture back;
  ASSERT_EQ(Decode(bytes, &back), 0);
  EXPECT_EQ(back.pixels, p.pixels);
}

TEST(Pcx, ReadsHandMadeFilesOfEachLayout) {
  // 8 x 1 at 4 bits in four planes: pixel x has index x * 2 + 1 (bit n of the index in plane n).
  {
    std::string f = Header(8, 1, 1, 4, 2);
    for (int i = 0; i < 16; ++i) f[16 + 3 * i] = char(i * 16);  // red = index * 16
    uint8_t planes[4] = {};
    for (int x = 0; x < 8; ++x)
      for (int pl = 0; pl < 4; ++pl)
        if (((x * 2 + 1) >> pl) & 1) planes[pl] |= uint8_t(0x80 >> x);
    for (int pl = 0; pl < 4; ++pl) {
      if (planes[pl] >= 0xC0) f += '\xC1';  // a run of one for bytes that look like counts
      f += std::string{char(planes[pl]), '\0'};
    }
    sky::Picture p;
    ASSERT_EQ(Decode(f, &p), 0);
    ASSERT_EQ(p.width, 8);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(p.Row(0)[x], x * 2 + 1);
    EXPECT_EQ(p.palette[3].rgbRed, 48);
  }
  // 4 x 1 packed 4 bits in one plane.
  {
    std::string f = Header(4, 1, 4, 1, 2) + "\x12\x3F"s;
    sky::Picture p;
    ASSERT_EQ(Decode(f, &p), 0);
    EXPECT_EQ(std::vector<uint8_t>(p.pixels), (std::vector<uint8_t>{1, 2, 3, 15}));
  }
  // 1 bit with a zeroed header palette is black and white.
  {
    std::string f = Header(8, 1, 1, 1, 2) + "\xC2\xA5"s;  // a run of two 0xA5 bytes
    sky::Picture p;
    ASSERT_EQ(Decode(f, &p), 0);
    EXPECT_EQ(p.pixels, (std::vector<uint8_t>{1, 0, 1, 0, 0, 1, 0, 1}));
    EXPECT_EQ(p.palette[1].rgbGreen, 255);
  }
  // 24 bits: planes red, green, blue; a run may continue across the end of a line.
  {
    std::string f = Header(2, 2, 8, 3, 2) + "\xCC\x10"s;  // all 12 bytes 0x10
    sky::Picture p;
    ASSERT_EQ(Decode(f, &p), 0);
    EXPECT_EQ(p.pixels, std::vector<uint8_t>(12, 0x10));
  }
  // 8 bits with the trailing palette.
  {
    std::string f = Header(3, 1, 8, 1, 4) + "\x05\x06\x07\x00"s + GreyPalette256();
    sky::Picture p;
    ASSERT_EQ(Decode(f, &p), 0);
    EXPECT_EQ(p.pixels, (std::vector<uint8_t>{5, 6, 7}));
    EXPECT_EQ(p.palette[6].rgbBlue, 6);
  }
}

TEST(Pcx, RejectsMalformedFilesWithTheirErrorNumbers) {
  const std::string good8 = Header(3, 1, 8, 1, 4) + "\x05\x06\x07\x00"s + GreyPalette256();
  sky::Picture p;
  EXPECT_EQ(Decode(good8.substr(0, 100), &p), SKY_ERR_TRUNCATED);
  EXPECT_EQ(Decode("", &p), SKY_ERR_TRUNCATED);
  std::string wrongMagic = good8;
  wrongMagic[0] = 'B';
  EXPECT_EQ(Decode(wrongMagic, &p), SKY_ERR_FORMAT);
  // Pixel data ends early.
  EXPECT_EQ(Decode(Header(3, 4, 8, 1, 4) + "\x05\x06"s, &p), SKY_ERR_TRUNCATED);
  // A run of 63 bytes where 4 remain.
  EXPECT_EQ(Decode(Header(3, 1, 8, 1, 4) + "\xFF\x01"s + GreyPalette256(), &p), SKY_ERR_RLE);
  // The 256-colour palette is missing, cut short, or lacks its marker.
  EXPECT_EQ(Decode(Header(3, 1, 8, 1, 4) + "\x05\x06\x07\x00"s, &p), SKY_ERR_PALETTE);
  EXPECT_EQ(Decode(good8.substr(0, good8.size() - 10), &p), SKY_ERR_PALETTE);
  std::string noMarker = good8;
  noMarker[good8.size() - 769] = 0;
  EXPECT_EQ(Decode(noMarker, &p), SKY_ERR_PALETTE);
  // Huge dimensions fail before any allocation.
  EXPECT_EQ(Decode(Header(65535, 65535, 8, 1, 65535) + "\x00"s, &p), SKY_ERR_TOO_LARGE);
  // A line too short for the width, an inverted window, and unknown layouts.
  EXPECT_EQ(Decode(Header(40, 1, 8, 1, 4) + std::string(4, '\x01'), &p), SKY_ERR_FORMAT);
  std::string inverted = Header(3, 1, 8, 1, 4);
  inverted[4] = 9;  // xmin 9 > xmax 2
  EXPECT_EQ(Decode(inverted + "\x01\x01\x01\x01"s, &p), SKY_ERR_FORMAT);
  EXPECT_EQ(Decode(Header(3, 1, 2, 2, 4) + std::string(8, '\x01'), &p), SKY_ERR_DEPTH);
}

TEST(Pcx, RefusesPicturesItCannotStore) {
  std::string out;
  EXPECT_EQ(sky::PcxEncode(skytest::Gradient(4, 4), 8, &out), SKY_ERR_PARAMETER);
  EXPECT_EQ(sky::PcxEncode(skytest::Standard16(4, 4), 24, &out), SKY_ERR_PARAMETER);
}

}  // namespace
