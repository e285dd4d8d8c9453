// The built library as its callers bind it: ordinal-only exports, the packed bitmap it returns,
// and a text in its string table for every error number.
#include <gtest/gtest.h>

#include <cstring>

#include "sky32v3c.h"
#include "test_pictures.h"

namespace {

class Library : public ::testing::Test {
 protected:
  void SetUp() override {
    lib_ = LoadLibraryA(SKY_DLL_PATH);
    ASSERT_NE(lib_, nullptr) << SKY_DLL_PATH;
    read_ = reinterpret_cast<SkyReadPictureFn>(
        reinterpret_cast<void*>(GetProcAddress(lib_, MAKEINTRESOURCEA(SKY_ORD_READ_PICTURE))));
    write_ = reinterpret_cast<SkyWritePictureFn>(
        reinterpret_cast<void*>(GetProcAddress(lib_, MAKEINTRESOURCEA(SKY_ORD_WRITE_PICTURE))));
    ASSERT_NE(read_, nullptr);
    ASSERT_NE(write_, nullptr);
  }
  void TearDown() override {
    if (lib_) FreeLibrary(lib_);
  }
  HMODULE lib_ = nullptr;
  SkyReadPictureFn read_ = nullptr;
  SkyWritePictureFn write_ = nullptr;
};

TEST_F(Library, ExportsByOrdinalOnlyAndHasATextForEveryError) {
  EXPECT_NE(GetProcAddress(lib_, MAKEINTRESOURCEA(SKY_ORD_READ_RESOURCE)), nullptr);
  EXPECT_EQ(GetProcAddress(lib_, MAKEINTRESOURCEA(4)), nullptr);
  EXPECT_EQ(GetProcAddress(lib_, "SkyReadPicture"), nullptr);
  for (int n = 0; n <= SKY_ERR_LAST; ++n) {
    char text[256] = "";
    EXPECT_GT(LoadStringA(lib_, UINT(n), text, sizeof text), 5) << "error " << n;
  }
}

TEST_F(Library, WritesAndReadsPackedBitmapsWithPalettes) {
  // A 16-colour picture written as 4-bit PCX comes back at 4 bits: header, 16-entry colour table,
  // rows bottom-up, and a logical palette of the same colours.
  const sky::Picture pic = skytest::Standard16(19, 7);
  HGLOBAL src = sky::ToPackedDib(pic, 4);
  const auto* info = static_cast<const BITMAPINFO*>(GlobalLock(src));
  const auto* srcBits =
      reinterpret_cast<const uint8_t*>(info) + sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD);
  const std::string file = skytest::TempFile("lib.pcx");
  const SkyWriteOptions o = {sizeof(SkyWriteOptions), 0, 0, 0, SKY_TIFF_NONE, 75, 0};
  EXPECT_GT(write_(file.c_str(), SKY_FORMAT_PCX, info, srcBits, &o), 0);

  HGLOBAL dib = nullptr;
  HPALETTE pal = nullptr;
  ASSERT_GT(read_(file.c_str(), SKY_FORMAT_PCX, 0, 1, nullptr, 0, &dib, &pal), 0);
  const auto* got = static_cast<const uint8_t*>(GlobalLock(dib));
  const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(got);
  EXPECT_EQ(h->biWidth, 19);
  EXPECT_EQ(h->biHeight, 7);
  EXPECT_EQ(h->biBitCount, 4);
  EXPECT_EQ(h->biClrUsed, 16u);
  EXPECT_EQ(std::memcmp(got, info, sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD) + 4 * 7), 0);
  PALETTEENTRY entries[16];
  ASSERT_EQ(GetPaletteEntries(pal, 0, 16, entries), 16u);
  EXPECT_EQ(entries[9].peRed, 255);
  EXPECT_EQ(entries[9].peGreen, 0);
  GlobalUnlock(dib);
  GlobalFree(dib);
  DeleteObject(pal);

  // At 24 bits there is no colour table and no palette; 8 bits keeps a 16-colour table.
  ASSERT_GT(read_(file.c_str(), SKY_FORMAT_PCX, 24, 0, nullptr, 0, &dib, &pal), 0);
  h = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
  EXPECT_EQ(h->biBitCount, 24);
  EXPECT_EQ(h->biClrUsed, 0u);
  EXPECT_EQ(pal, nullptr);
  GlobalUnlock(dib);
  GlobalFree(dib);
  ASSERT_GT(read_(file.c_str(), SKY_FORMAT_PCX, 8, 0, nullptr, 0, &dib, &pal), 0);
  h = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
  EXPECT_EQ(h->biBitCount, 8);
  EXPECT_EQ(h->biClrUsed, 16u);
  GlobalUnlock(dib);
  GlobalFree(dib);
  DeleteObject(pal);
  GlobalUnlock(src);
  GlobalFree(src);
}

TEST_F(Library, ReportsFailuresAsNegativeErrorNumbers) {
  HGLOBAL dib = reinterpret_cast<HGLOBAL>(1);
  HPALETTE pal = reinterpret_cast<HPALETTE>(1);
  EXPECT_EQ(read_(skytest::TempFile("none.bmp").c_str(), SKY_FORMAT_BMP, 0, 0, nullptr, 0, &dib, &pal),
            -SKY_ERR_OPEN);
  EXPECT_EQ(dib, nullptr);
  EXPECT_EQ(pal, nullptr);
  EXPECT_EQ(read_(nullptr, SKY_FORMAT_BMP, 0, 0, nullptr, 0, &dib, &pal), -SKY_ERR_PARAMETER);
  EXPECT_EQ(read_("x.bmp", SKY_FORMAT_BMP, 0, 0, nullptr, 0, nullptr, nullptr), -SKY_ERR_PARAMETER);
  EXPECT_EQ(write_("x.bmp", SKY_FORMAT_BMP, nullptr, nullptr, nullptr), -SKY_ERR_PARAMETER);
  const std::string bad = skytest::TempFile("bad.pcx");
  FILE* f = std::fopen(bad.c_str(), "wb");
  std::fputs("not a picture", f);
  std::fclose(f);
  EXPECT_EQ(read_(bad.c_str(), SKY_FORMAT_PCX, 0, 0, nullptr, 0, &dib, &pal), -SKY_ERR_FORMAT);
  EXPECT_EQ(read_(bad.c_str(), SKY_FORMAT_PCX, 16, 0, nullptr, 0, &dib, &pal), -SKY_ERR_PARAMETER);
}

}  // namespace
