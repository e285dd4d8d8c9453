// Icons by index from icon files, programs and libraries, their conversion to the editor's icon
// file, and the failures: missing files, files without icons, an index past the last.
#include <gtest/gtest.h>

#include <cstring>

#include "icon_source.h"
#include "temp_dir.h"
#include "test_images.h"

using namespace zwicon::files;

namespace {

std::string Beside(const char* name) { return sw::test::BesideProgram(name); }

const int kRed = 9, kGreen = 10, kBlue = 12;

IconImage Extracted(const std::string& file, int index) {
  IconImage im{};
  HICON h = ExtractIconAt(file, index);
  EXPECT_NE(h, nullptr) << file << " #" << index;
  if (!h) return im;
  EXPECT_TRUE(IconImageFromIcon(h, im));
  DestroyIcon(h);
  return im;
}

TEST(Extract, IconsOfALibraryByIndexAndOnePastTheLastFails) {
  std::string lib = Beside("threeicons.dll");
  EXPECT_EQ(IconCount(lib), 3);
  IconImage a = Extracted(lib, 0);
  EXPECT_EQ(a.index[0][0], kBlue);
  EXPECT_EQ(a.index[7][7], kBlue);
  EXPECT_EQ(a.index[8][0], kRed);
  EXPECT_EQ(a.index[31][31], kRed);
  EXPECT_EQ(a.transparent[0][0], 0);
  IconImage b = Extracted(lib, 1);
  EXPECT_EQ(b.index[16][16], kGreen);
  IconImage c = Extracted(lib, 2);
  EXPECT_EQ(c.index[0][5], kBlue);
  EXPECT_EQ(c.transparent[0][5], 0);
  EXPECT_EQ(c.transparent[15][31], 0);
  EXPECT_EQ(c.transparent[16][0], 1);
  EXPECT_EQ(c.transparent[31][31], 1);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(c.palette[k], kStandardColours[k]);
  EXPECT_EQ(ExtractIconAt(lib, 3), nullptr);
  EXPECT_EQ(ExtractIconAt(lib, -1), nullptr);
}

TEST(Extract, TheProgramsOwnFileAndFilesWithoutIconsFail) {
  sw::test::TempDir dir;
  // The test program holds no icon.
  EXPECT_EQ(ExtractIconAt(Beside("zw_iconfile_tests.exe"), 0), nullptr);
  EXPECT_EQ(ExtractIconAt(dir.Write("text.ico", "just some text, not an icon"), 0), nullptr);
  EXPECT_EQ(ExtractIconAt(dir.Write("empty.ico", ""), 0), nullptr);
  EXPECT_EQ(ExtractIconAt(dir.File("missing.ico"), 0), nullptr);
  EXPECT_EQ(ExtractIconAt(dir.Path(), 0), nullptr);
  EXPECT_EQ(ExtractIconAt("", 0), nullptr);
  EXPECT_EQ(IconCount(dir.File("missing.ico")), 0);
}

// Our icon file with another tool's directory entry (colour count 0, planes 1, 4 bits per pixel)
// opens with the same pixels, and so does our own layout: save then reopen loses nothing.
TEST(Extract, IconFilesOpenWithEveryColourAndTransparency) {
  sw::test::TempDir dir;
  std::mt19937 rng(99);
  for (int round = 0; round < 6; ++round) {
    IconImage im = test::RandomImage(rng);
    std::string b = IconFileBytes(im);
    if (round % 2) b[8] = 0, b[10] = 1, b[12] = 4;
    std::string path = dir.Write("i" + std::to_string(round) + ".ico", b);
    IconImage back = Extracted(path, 0);
    for (int x = 0; x < 32; ++x)
      for (int y = 0; y < 32; ++y) {
        ASSERT_EQ(back.transparent[x][y], im.transparent[x][y]) << x << "," << y;
        if (!im.transparent[x][y]) { ASSERT_EQ(back.index[x][y], im.index[x][y]) << x << "," << y; }
      }
    EXPECT_EQ(ExtractIconAt(path, 1), nullptr);
  }
}

TEST(Extract, IntermediateFileReadsBackWhatTheIconShows) {
  sw::test::TempDir dir;
  std::mt19937 rng(7);
  IconImage im = test::RandomImage(rng);
  HICON h = IconFromImage(im);
  ASSERT_NE(h, nullptr);
  std::string temp = dir.File("00000001.$$$");
  ASSERT_TRUE(WriteIconAsFile(h, temp));
  DestroyIcon(h);
  IconImage back{};
  ASSERT_TRUE(ReadIconFile(temp, back));
  EXPECT_EQ(std::memcmp(back.transparent, im.transparent, sizeof im.transparent), 0);
  for (int x = 0; x < 32; ++x)
    for (int y = 0; y < 32; ++y)
      if (!im.transparent[x][y]) { ASSERT_EQ(back.index[x][y], im.index[x][y]); }
  // An intermediate file that cannot be written is reported.
  std::string held = dir.Write("held.$$$", "");
  HANDLE lock = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  h = IconFromImage(im);
  EXPECT_FALSE(WriteIconAsFile(h, held));
  DestroyIcon(h);
  CloseHandle(lock);
}

}  // namespace
