// The editor's window-free logic: colour matching, settings values, the temporary file, the
// icon file's bytes, shape boxes and lines.
#include <gtest/gtest.h>

#include "icon_model.h"
#include "settings.h"
#include "temp_dir.h"

using namespace zwicon;

namespace {

TEST(Model, PaletteMatchingHasToleranceBelowOnlyAndTheLastMatchWins) {
  EXPECT_EQ(MatchPaletteIndex(kStandardPalette, RGB(128, 0, 0), 3), 1);
  EXPECT_EQ(MatchPaletteIndex(kStandardPalette, RGB(109, 0, 0), 3), 1);   // 19 below maroon
  EXPECT_EQ(MatchPaletteIndex(kStandardPalette, RGB(100, 0, 0), 3), 3);   // 28 below: keeps its index
  EXPECT_EQ(MatchPaletteIndex(kStandardPalette, RGB(129, 0, 0), 3), 3);   // above: no match
  COLORREF twice[16];
  std::copy(kStandardPalette, kStandardPalette + 16, twice);
  twice[14] = RGB(128, 0, 0);  // a second maroon: the later entry wins
  EXPECT_EQ(MatchPaletteIndex(twice, RGB(120, 0, 0), 0), 14);
}

TEST(Model, SettingsNumbersAndWindowFields) {
  long long n = 0;
  EXPECT_TRUE(ParseNumber("0x10", n));
  EXPECT_EQ(n, 16);
  EXPECT_TRUE(ParseNumber("-5", n));
  EXPECT_EQ(n, -5);
  EXPECT_FALSE(ParseNumber("12abc", n));
  EXPECT_FALSE(ParseNumber("", n));
  EXPECT_EQ(SplitFields("10, 20 ,30,40"), (std::vector<std::string>{"10", "20", "30", "40"}));
  EXPECT_EQ(SplitFields("\"1 00\" 200"), (std::vector<std::string>{"100", "200"}));
  EXPECT_EQ(SplitFields("5,,7"), (std::vector<std::string>{"5", "", "7"}));
  SIZE screen{1024, 768};
  RECT w{0, 0, 640, 480};
  ApplyWindowValue("100,50", w, screen);  // two numbers: the size stays
  EXPECT_EQ(w.left, 100);
  EXPECT_EQ(w.top, 50);
  EXPECT_EQ(w.right, 640);
  ApplyWindowValue("1000,\"2 0\",300,200", w, screen);  // beyond the right edge minus 30
  EXPECT_EQ(w.left, 0);
  EXPECT_EQ(w.top, 20);
  EXPECT_EQ(w.right, 300);
  ApplyWindowValue("x,99999,-5,0x100", w, screen);  // damaged and insane fields keep their values
  EXPECT_EQ(w.left, 0);
  EXPECT_EQ(w.top, 20);
  EXPECT_EQ(w.right, 300);
  EXPECT_EQ(w.bottom, 256);
}

TEST(Model, TemporaryFilesAreNumberedAndNeverReused) {
  sw::test::TempDir dir;
  EXPECT_EQ(CreateNumberedTempFile(dir.Path()), dir.File("00000001.$$$"));
  EXPECT_EQ(CreateNumberedTempFile(dir.Path() + "\\"), dir.File("00000002.$$$"));
  EXPECT_EQ(CreateNumberedTempFile(dir.Path() + "\\missing"), "");
  std::string sys = CreateSystemTempFile();
  EXPECT_FALSE(sys.empty());
  EXPECT_TRUE(sw::test::FileExists(sys));
  DeleteFileA(sys.c_str());
}

TEST(Model, IconFileHasTheFixedLayout) {
  files::IconImage d{};
  std::copy(kStandardPalette, kStandardPalette + 16, d.palette);
  d.index[0][31] = 9;  // bottom-left pixel, red
  d.index[1][31] = 12;
  d.transparent[0][0] = 1;  // top-left
  std::string b = files::IconFileBytes(d);
  ASSERT_EQ(b.size(), 766u);
  EXPECT_EQ(b[2], 1);
  EXPECT_EQ(static_cast<unsigned char>(b[8]), 16);
  EXPECT_EQ(static_cast<unsigned char>(b[14]), 744 & 0xFF);
  EXPECT_EQ(b[18], 22);
  EXPECT_EQ(b[30], 64);
  EXPECT_EQ(b[36], 4);
  EXPECT_EQ(static_cast<unsigned char>(b[62 + 4 * 9 + 2]), 255);  // red entry's red byte
  EXPECT_EQ(static_cast<unsigned char>(b[126]), 0x9C);            // bottom row first, high nibble left
  EXPECT_EQ(static_cast<unsigned char>(b[638 + 31 * 4]), 0x80);    // top row last, leftmost bit
}

TEST(Model, ShapeBoxesCoverBothEndsInEveryDirection) {
  auto eq = [](RECT a, RECT b) { return EqualRect(&a, &b); };
  EXPECT_TRUE(eq(ShapeBox(2, 2, 5, 6), RECT{2, 2, 6, 7}));
  EXPECT_TRUE(eq(ShapeBox(5, 2, 2, 6), RECT{6, 2, 2, 7}));
  EXPECT_TRUE(eq(ShapeBox(2, 6, 5, 2), RECT{2, 7, 6, 2}));
  EXPECT_TRUE(eq(ShapeBox(5, 6, 2, 2), RECT{6, 7, 2, 2}));
  EXPECT_TRUE(eq(ShapeBox(3, 4, 9, 4), RECT{3, 4, 9, 4}));  // along a row: zero height
}

std::vector<std::pair<int, int>> Cells(int x0, int y0, int x1, int y1) {
  std::vector<std::pair<int, int>> v;
  for (POINT p : LineCells(x0, y0, x1, y1)) v.emplace_back(p.x, p.y);
  return v;
}

TEST(Model, LinesFollowTheIntegerAlgorithmWithItsTies) {
  using C = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Cells(0, 0, 4, 1), (C{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}));
  EXPECT_EQ(Cells(0, 1, 4, 0), (C{{0, 1}, {1, 1}, {2, 1}, {3, 0}, {4, 0}}));
  EXPECT_EQ(Cells(3, 3, 3, 3), (C{{3, 3}}));
  EXPECT_EQ(Cells(0, 0, 3, 3), (C{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
}

// The algorithm written out independently: every octant, both drawing directions.
std::vector<std::pair<int, int>> Reference(int x0, int y0, int x1, int y1) {
  int dx = x1 - x0, dy = y1 - y0, adx = std::abs(dx), ady = std::abs(dy);
  bool rising = (dx > 0 && dy >= 0) || (dx <= 0 && dy < 0);
  std::vector<std::pair<int, int>> v;
  bool xMajor = ady < adx;
  int a = xMajor ? (dx > 0 ? x0 : x1) : (dy > 0 ? y0 : y1);       // major start
  int b = xMajor ? (dx > 0 ? y0 : y1) : (dy > 0 ? x0 : x1);       // minor start
  int end = xMajor ? (dx > 0 ? x1 : x0) : (dy > 0 ? y1 : y0);
  int dMaj = xMajor ? adx : ady, dMin = xMajor ? ady : adx;
  int e = 2 * dMin - dMaj;
  for (; a <= end; ++a) {
    v.push_back(xMajor ? std::make_pair(a, b) : std::make_pair(b, a));
    bool step = rising ? e >= 0 : e > 0;
    if (step) {
      b += rising ? 1 : -1;
      e += 2 * (dMin - dMaj);
    } else {
      e += 2 * dMin;
    }
  }
  return v;
}

TEST(Model, LinesInAllEightOctantsMatchTheWrittenOutAlgorithm) {
  for (int x1 = 0; x1 <= 12; ++x1)
    for (int y1 = 0; y1 <= 12; ++y1) {
      auto got = Cells(6, 6, x1, y1);
      EXPECT_EQ(got, Reference(6, 6, x1, y1)) << x1 << "," << y1;
      EXPECT_EQ(static_cast<int>(got.size()), std::max(std::abs(x1 - 6), std::abs(y1 - 6)) + 1);
    }
}

}  // namespace
