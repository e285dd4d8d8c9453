// The 766-byte icon file: its layout, reading it back at the fixed offsets, and refusing short or
// unwritable files.
#include <gtest/gtest.h>

#include <cstring>

#include "byte_writer.h"
#include "icon_file.h"
#include "temp_dir.h"
#include "test_images.h"

using namespace zwicon::files;
using zwicon::files::test::Byte;

namespace {

TEST(IconFile, BlankImageHasTheFixedHeaderStandardColoursAndFullMask) {
  std::string b = IconFileBytes(BlankIconImage());
  ASSERT_EQ(b.size(), 766u);
  const uint8_t header[62] = {0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 0, 0, 0, 0, 0xE8, 2, 0, 0, 22, 0, 0, 0,
                              40, 0, 0, 0, 32, 0, 0, 0, 64, 0, 0, 0, 1, 0, 4, 0, 0, 0, 0, 0, 0x80, 2, 0, 0,
                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (size_t i = 0; i < 62; ++i) EXPECT_EQ(Byte(b, i), header[i]) << "offset " << i;
  for (int k = 0; k < 16; ++k) {
    COLORREF c = kStandardColours[k];
    EXPECT_EQ(Byte(b, 62 + 4 * k), GetBValue(c));
    EXPECT_EQ(Byte(b, 63 + 4 * k), GetGValue(c));
    EXPECT_EQ(Byte(b, 64 + 4 * k), GetRValue(c));
    EXPECT_EQ(Byte(b, 65 + 4 * k), 0);
  }
  EXPECT_EQ(ReadDWord(b, 62 + 4 * 7), 0x808080u);
  EXPECT_EQ(ReadDWord(b, 62 + 4 * 8), 0xC0C0C0u);
  for (size_t i = 126; i < 638; ++i) ASSERT_EQ(Byte(b, i), 0) << "offset " << i;
  for (size_t i = 638; i < 766; ++i) ASSERT_EQ(Byte(b, i), 0xFF) << "offset " << i;
}

TEST(IconFile, TopLeftRedPixelLandsInTheLastRowsHighNibbleAndMaskBit) {
  IconImage im = BlankIconImage();
  im.index[0][0] = 9;
  im.transparent[0][0] = 0;
  std::string b = IconFileBytes(im);
  EXPECT_EQ(Byte(b, 622), 0x90);
  EXPECT_EQ(Byte(b, 762), 0x7F);
  // Nothing else changed from the blank file.
  std::string blank = IconFileBytes(BlankIconImage());
  for (size_t i = 0; i < b.size(); ++i)
    if (i != 622 && i != 762) { ASSERT_EQ(b[i], blank[i]) << "offset " << i; }
  // The right-hand neighbour goes to the low nibble, the bottom-right pixel to the file's start.
  im = BlankIconImage();
  im.index[1][0] = 12;
  im.index[31][31] = 5;
  im.transparent[31][31] = 0;
  b = IconFileBytes(im);
  EXPECT_EQ(Byte(b, 622), 0x0C);
  EXPECT_EQ(Byte(b, 126 + 15), 0x05);
  EXPECT_EQ(Byte(b, 638 + 3), 0xFE);
}

TEST(IconFile, WrittenFilesReadBackExactlyForRandomPictures) {
  sw::test::TempDir dir;
  std::mt19937 rng(16);
  for (int round = 0; round < 20; ++round) {
    IconImage im = test::RandomImage(rng);
    // A palette of its own, to show the palette is read too.
    for (auto& c : im.palette) c = rng() & 0xFFFFFF;
    std::string path = dir.File("r" + std::to_string(round) + ".ico");
    ASSERT_TRUE(WriteIconFile(path, im));
    IconImage back{};
    ASSERT_TRUE(ReadIconFile(path, back));
    EXPECT_EQ(std::memcmp(back.palette, im.palette, sizeof im.palette), 0);
    EXPECT_EQ(std::memcmp(back.index, im.index, sizeof im.index), 0);
    EXPECT_EQ(std::memcmp(back.transparent, im.transparent, sizeof im.transparent), 0);
  }
}

TEST(IconFile, ShortOrMissingFileIsRefusedAndLeavesTheImageAlone) {
  sw::test::TempDir dir;
  std::string full = IconFileBytes(BlankIconImage());
  IconImage im{};
  im.palette[3] = 0x123456;
  const IconImage before = im;
  EXPECT_FALSE(ReadIconFile(dir.File("none.ico"), im));
  EXPECT_FALSE(ReadIconFile(dir.Write("empty.ico", ""), im));
  EXPECT_FALSE(ReadIconFile(dir.Write("short.ico", full.substr(0, 765)), im));
  EXPECT_FALSE(ReadIconFile(dir.Write("header.ico", full.substr(0, 100)), im));
  EXPECT_EQ(std::memcmp(&im, &before, sizeof im), 0);
  // Trailing bytes do not matter; the header is not looked at.
  std::string other = full + "tail";
  other[2] = 7;
  EXPECT_TRUE(ReadIconFile(dir.Write("long.ico", other), im));
}

TEST(IconFile, WriteFailsOnAFileHeldWithoutSharingOrInAMissingFolder) {
  sw::test::TempDir dir;
  std::string held = dir.Write("held.ico", "old");
  HANDLE h = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteIconFile(held, BlankIconImage()));
  CloseHandle(h);
  EXPECT_FALSE(WriteIconFile(dir.File("no\\such\\folder.ico"), BlankIconImage()));
  EXPECT_TRUE(WriteIconFile(held, BlankIconImage()));
}

TEST(IconFile, MutatedFilesNeverCrashTheReader) {
  sw::test::TempDir dir;
  std::mt19937 rng(4);
  std::string base = IconFileBytes(test::RandomImage(rng));
  std::string path = dir.File("m.ico");
  int accepted = 0;
  for (int i = 0; i < 2000; ++i) {
    std::string b = base;
    switch (rng() % 3) {
      case 0: b.resize(rng() % (b.size() + 1)); break;
      case 1: b += std::string(rng() % 5000, static_cast<char>(rng())); break;
      default:
        for (int k = 0; k < 20; ++k) b[rng() % b.size()] = static_cast<char>(rng());
    }
    IconImage im;
    bool ok = ParseIconFile(b, im);
    EXPECT_EQ(ok, b.size() >= 766u);
    if (i % 50 == 0) {
      ASSERT_TRUE(WriteWholeFile(path, b));
      EXPECT_EQ(ReadIconFile(path, im), ok);
    }
    accepted += ok;
    for (int x = 0; ok && x < 32; ++x)
      for (int y = 0; y < 32; ++y) ASSERT_TRUE(im.index[x][y] < 16 && im.transparent[x][y] < 2);
  }
  EXPECT_GT(accepted, 0);
}

}  // namespace
