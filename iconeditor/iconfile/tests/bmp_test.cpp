// Bitmap files for Paste: a clipboard-sized bitmap written and read back, palette files, and
// damaged or hostile files refused without a crash, an overrun or a huge allocation.
#include <gtest/gtest.h>

#include <random>

#include "bmp_reader.h"
#include "byte_writer.h"
#include "canvas.h"
#include "temp_dir.h"

using namespace zwicon::files;

namespace {

// A bitmap file at 1, 4 or 8 bits (with a colour table of `colours` entries) or 24 bits, rows of
// `pattern(x, y)` (an index, or 0x00RRGGBB at 24 bits).
template <typename F>
std::string MakeBmp(int w, int h, int bits, const std::vector<COLORREF>& colours, F pattern) {
  uint32_t stride = ((bits * w + 31) / 32) * 4;
  ByteWriter px;
  for (int row = 0; row < h; ++row) {
    int y = h - 1 - row;
    std::string line(stride, '\0');
    for (int x = 0; x < w; ++x) {
      uint32_t v = pattern(x, y);
      if (bits == 24) {
        line[3 * x] = static_cast<char>(v), line[3 * x + 1] = static_cast<char>(v >> 8), line[3 * x + 2] = static_cast<char>(v >> 16);
      } else {
        int bit = x * bits;
        line[bit / 8] = static_cast<char>(line[bit / 8] | (v << (8 - bits - bit % 8)));
      }
    }
    px.Bytes(line.data(), line.size());
  }
  uint32_t off = 14 + 40 + 4 * static_cast<uint32_t>(colours.size());
  ByteWriter w2;
  w2.Byte('B'), w2.Byte('M'), w2.DWord(off + px.Size()), w2.DWord(0), w2.DWord(off);
  w2.DWord(40), w2.DWord(w), w2.DWord(h), w2.Word(1), w2.Word(bits), w2.DWord(0), w2.DWord(px.Size());
  w2.DWord(0), w2.DWord(0), w2.DWord(static_cast<uint32_t>(colours.size())), w2.DWord(0);
  for (COLORREF c : colours) w2.Byte(GetBValue(c)), w2.Byte(GetGValue(c)), w2.Byte(GetRValue(c)), w2.Byte(0);
  return w2.Data() + px.Data();
}

zw::Bitmap Loaded(const std::string& bytes) {
  zw::Bitmap out;
  HDC screen = GetDC(nullptr);
  HBITMAP h = BitmapFromBytes(bytes, screen, nullptr);
  ReleaseDC(nullptr, screen);
  EXPECT_NE(h, nullptr);
  if (h) {
    out.AssignHandle(h);
    DeleteObject(h);
  }
  return out;
}

COLORREF Pattern(int x, int y) { return RGB((x * 5) & 255, (y * 9) & 255, (x + y) & 1 ? 255 : 0); }

TEST(BitmapFile, ClipboardSizedBitmapWrittenAndReadBackKeepsEveryPixel) {
  sw::test::TempDir dir;
  zw::Bitmap src(100, 50);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x) src.Set(x, y, Pattern(x, y));
  // The clipboard holds device bitmaps: copy into one first.
  HDC screen = GetDC(nullptr);
  HBITMAP ddb = CreateCompatibleBitmap(screen, 100, 50);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ o = SelectObject(dc, ddb);
  BitBlt(dc, 0, 0, 100, 50, src.DC(), 0, 0, SRCCOPY);
  SelectObject(dc, o);
  DeleteDC(dc);
  std::string path = dir.File("paste.bmp");
  ASSERT_TRUE(WriteBitmapFile(ddb, path));
  DeleteObject(ddb);
  HBITMAP back = ReadBitmapFile(path, screen, nullptr);
  ReleaseDC(nullptr, screen);
  ASSERT_NE(back, nullptr);
  zw::Bitmap b;
  ASSERT_TRUE(b.AssignHandle(back));
  DeleteObject(back);
  ASSERT_EQ(b.Width(), 100);
  ASSERT_EQ(b.Height(), 50);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(b.Get(x, y), Pattern(x, y)) << x << "," << y;
  EXPECT_EQ(ReadBitmapFile(dir.File("missing.bmp"), nullptr, nullptr), nullptr);
  EXPECT_FALSE(WriteBitmapFile(nullptr, path));
}

TEST(BitmapFile, PaletteFilesAtOneFourAndEightBitsAndTopDownRows) {
  std::vector<COLORREF> two = {RGB(0, 0, 0), RGB(255, 255, 255)};
  zw::Bitmap a = Loaded(MakeBmp(9, 3, 1, two, [](int x, int y) { return (x + y) & 1; }));
  EXPECT_EQ(a.Get(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(a.Get(1, 0), RGB(255, 255, 255));
  EXPECT_EQ(a.Get(8, 2), RGB(0, 0, 0));
  std::vector<COLORREF> four = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};  // a short table
  zw::Bitmap b = Loaded(MakeBmp(5, 2, 4, four, [](int x, int y) { return (x + y) % 3; }));
  EXPECT_EQ(b.Get(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(b.Get(1, 0), RGB(0, 255, 0));
  EXPECT_EQ(b.Get(1, 1), RGB(0, 0, 255));
  std::vector<COLORREF> many;
  for (int i = 0; i < 256; ++i) many.push_back(RGB(i, 255 - i, 128));
  zw::Bitmap c = Loaded(MakeBmp(16, 16, 8, many, [](int x, int y) { return x * 16 + y; }));
  EXPECT_EQ(c.Get(3, 4), RGB(52, 203, 128));
  // Rows stored top-down (negative height).
  std::string td = MakeBmp(2, 2, 24, {}, [](int x, int y) { return y ? 0x0000FFu : 0xFF0000u; });
  std::string bytes = td;
  bytes[22] = static_cast<char>(0xFE), bytes[23] = bytes[24] = bytes[25] = static_cast<char>(0xFF);
  zw::Bitmap d = Loaded(bytes);
  EXPECT_EQ(d.Get(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(d.Get(0, 1), RGB(255, 0, 0));
}

// Sets a little-endian field of `size` bytes at `at`.
std::string With(std::string b, size_t at, uint32_t v, int size) {
  for (int i = 0; i < size; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
  return b;
}

TEST(BitmapFile, DamagedHeadersAreRefused) {
  std::string good = MakeBmp(8, 8, 24, {}, [](int, int) { return 0x808080u; });
  BitmapFileLayout l;
  ASSERT_TRUE(ParseBitmapFile(good, l));
  EXPECT_EQ(l.pixelBytes, 8u * 24);
  for (uint32_t bits : {0u, 2u, 3u, 7u, 64u, 65535u}) EXPECT_FALSE(ParseBitmapFile(With(good, 28, bits, 2), l)) << bits;
  EXPECT_FALSE(ParseBitmapFile(good.substr(0, good.size() - 1), l));               // truncated pixels
  EXPECT_FALSE(ParseBitmapFile(good.substr(0, 30), l));                            // truncated header
  EXPECT_FALSE(ParseBitmapFile("", l));
  EXPECT_FALSE(ParseBitmapFile(With(good, 0, 'X', 1), l));                         // not "BM"
  EXPECT_FALSE(ParseBitmapFile(With(good, 10, 0xFFFFFFF0u, 4), l));                // offset past the end
  EXPECT_FALSE(ParseBitmapFile(With(good, 10, 20, 4), l));                         // pixels inside the header
  EXPECT_FALSE(ParseBitmapFile(With(good, 18, 0x7FFFFFFF, 4), l));                 // huge width
  EXPECT_FALSE(ParseBitmapFile(With(good, 18, 0, 4), l));
  EXPECT_FALSE(ParseBitmapFile(With(good, 18, 0x80000000u, 4), l));                // negative width
  EXPECT_FALSE(ParseBitmapFile(With(good, 22, 0x80000000u, 4), l));                // most negative height
  EXPECT_FALSE(ParseBitmapFile(With(good, 22, 0, 4), l));
  EXPECT_FALSE(ParseBitmapFile(With(good, 22, 9000, 4), l));                       // rows past the end
  EXPECT_FALSE(ParseBitmapFile(With(good, 14, 12, 4), l));                         // old short header
  EXPECT_FALSE(ParseBitmapFile(With(good, 14, 0xFFFFFFFF, 4), l));
  EXPECT_FALSE(ParseBitmapFile(With(good, 30, BI_RLE8, 4), l));
  EXPECT_FALSE(ParseBitmapFile(With(good, 26, 2, 2), l));                          // planes
  std::string pal = MakeBmp(4, 4, 8, std::vector<COLORREF>(256, 0), [](int, int) { return 1u; });
  ASSERT_TRUE(ParseBitmapFile(pal, l));
  EXPECT_FALSE(ParseBitmapFile(With(pal, 46, 257, 4), l));                         // more colours than 8 bits hold
  EXPECT_FALSE(ParseBitmapFile(With(pal, 10, 14 + 40 + 100, 4), l));              // table runs into the pixels
  // A stated image size that lies is ignored: the computed size counts.
  EXPECT_TRUE(ParseBitmapFile(With(good, 34, 0, 4), l));
  EXPECT_TRUE(ParseBitmapFile(With(good, 34, 0xFFFFFFFF, 4), l));
}

TEST(BitmapFile, ThousandsOfMutatedFilesNeverCrashTheReader) {
  std::mt19937 rng(1996);
  std::vector<std::string> bases = {
      MakeBmp(33, 17, 24, {}, [](int x, int y) { return static_cast<uint32_t>(x * 7919 + y * 31); }),
      MakeBmp(20, 20, 8, std::vector<COLORREF>(256, 0x336699), [](int x, int y) { return (x * y) & 255u; }),
      MakeBmp(31, 9, 4, std::vector<COLORREF>(16, 0x102030), [](int x, int) { return x & 15u; }),
      MakeBmp(13, 5, 1, {0, 0xFFFFFF}, [](int x, int) { return x & 1u; })};
  const size_t fields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46};
  HDC screen = GetDC(nullptr);
  HPALETTE pal = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  int made = 0;
  for (int i = 0; i < 4000; ++i) {
    std::string b = bases[i % bases.size()];
    switch (rng() % 5) {
      case 0: b.resize(rng() % (b.size() + 1)); break;
      case 1:
        for (int k = 0, n = 1 + rng() % 8; k < n; ++k) b[rng() % b.size()] = static_cast<char>(rng());
        break;
      case 2: {  // a hostile value in a header field
        static const uint32_t hostile[] = {0, 1, 3, 64, 0x7FFF, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFF};
        b = With(b, fields[rng() % std::size(fields)], hostile[rng() % std::size(hostile)], 4);
        break;
      }
      case 3: b = With(b, 28, rng() % 70, 2); break;  // any bit count
      default: b += std::string(rng() % 3000, static_cast<char>(rng()));
    }
    HBITMAP h = BitmapFromBytes(b, screen, pal);
    if (h) {
      ++made;
      BITMAP bm{};
      ASSERT_TRUE(GetObjectA(h, sizeof bm, &bm));
      ASSERT_LE(bm.bmWidth, kMaxBitmapSide);
      DeleteObject(h);
    }
  }
  ReleaseDC(nullptr, screen);
  EXPECT_GT(made, 100);  // the undamaged mutations still load
}

}  // namespace
