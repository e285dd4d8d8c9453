// TPMultiImage over the built imaging library: readers by extension, the status texts, the
// failure boxes, the written depths, and the boxes of the default host.
#include "multi_image.h"

#include <gtest/gtest.h>

#include <set>

#include "dialog_answerer.h"
#include "temp_dir.h"

namespace {

using sw::TPMultiImage;

// Records the boxes and plays a display of a chosen depth.
class RecordingHost : public TPMultiImage::Host {
 public:
  void ErrorBox(const std::string& text) override { boxes.push_back("error: " + text); }
  void InfoBox(const std::string& text) override { boxes.push_back("info: " + text); }
  int DisplayBits() override { return displayBits; }
  std::vector<std::string> boxes;
  int displayBits = 24;
};

std::string Sample(const std::string& name) { return std::string(SKY_SAMPLES_DIR) + "\\" + name; }

std::string Copy(const sw::test::TempDir& dir, const std::string& sample, const std::string& as) {
  const std::string to = dir.File(as);
  CopyFileA(Sample(sample).c_str(), to.c_str(), FALSE);
  return to;
}

COLORREF PixelOf(const TPMultiImage& image, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, image.Bitmap());
  const COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

// The bit count stored in a BMP file's header.
int BmpBits(const std::string& file) {
  std::string bytes;
  return sw::test::ReadFileBytes(file, &bytes) && bytes.size() > 30 ? uint8_t(bytes[28]) : -1;
}

class MultiImage : public ::testing::Test {
 protected:
  void SetUp() override {
    image.SetHost(&host);
    image.SetLibraryPath(SKY_DLL_PATH);
  }
  RecordingHost host;
  TPMultiImage image;
  sw::test::TempDir dir;
};

TEST_F(MultiImage, ChoosesTheReaderByTheUpperCasedExtension) {
  const std::pair<const char*, const char*> files[] = {
      {"gradient24.bmp", "a.bmp"}, {"gradient24.bmp", "b.THB"}, {"gradient.jpg", "c.Jpg"},
      {"gradient.jpg", "d.thj"},   {"gradient24.png", "e.png"}, {"gradient.gif", "f.GIF"},
      {"gradient.tif", "g.tif"},   {"gradient24.pcx", "h.pcx"}};
  for (const auto& [sample, name] : files) {
    image.SetImageName(Copy(dir, sample, name));
    EXPECT_FALSE(image.Empty()) << name;
    EXPECT_EQ(image.Width(), 64) << name;
    EXPECT_EQ(image.Height(), 48) << name;
    EXPECT_EQ(image.StatusText(), "") << name;
  }
  EXPECT_TRUE(host.boxes.empty());
  // A ".PCX" file holding a BMP is read as PCX and fails there.
  image.SetImageName(Copy(dir, "gradient24.bmp", "wrong.PCX"));
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(host.boxes, (std::vector<std::string>{"error: The file is not a picture of this format",
                                                  "info: Reading pcx file failed"}));
}

TEST_F(MultiImage, ReadsAt16ColoursThroughTheGivenPalette) {
  // The caller's palette: black except the 16 standard colours in entries 0 ... 15.
  static const COLORREF standard[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                        0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                        0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  struct {
    WORD version, count;
    PALETTEENTRY e[256];
  } lp = {0x300, 256, {}};
  for (int i = 0; i < 16; ++i)
    lp.e[i] = PALETTEENTRY{GetRValue(standard[i]), GetGValue(standard[i]), GetBValue(standard[i]), 0};
  HPALETTE pal = CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
  image.SetReadPalette(pal);
  image.SetReadResolution(TPMultiImage::Resolution::Colors16);
  image.SetDithering(true);
  image.SetImageName(Sample("gradient.jpg"));
  ASSERT_FALSE(image.Empty());
  EXPECT_EQ(image.BitsPerPixel(), 4);
  std::set<COLORREF> seen;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) seen.insert(PixelOf(image, x, y));
  for (COLORREF c : seen)
    EXPECT_NE(std::find(std::begin(standard), std::end(standard), c), std::end(standard)) << std::hex << c;
  EXPECT_GE(seen.size(), 3u);
  DeleteObject(pal);
}

TEST_F(MultiImage, MissingFilesAndOtherExtensionsLoadNothing) {
  image.SetImageName(Sample("gradient24.bmp"));
  ASSERT_FALSE(image.Empty());
  image.SetImageName(dir.File("absent.png"));
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.StatusText(), "file not found");
  image.SetImageName(dir.Write("notes.txt", "text"));
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.StatusText(), "");
  EXPECT_TRUE(host.boxes.empty());
  // A name longer than a path is cut to one.
  image.SetImageName(std::string(400, 'a') + ".bmp");
  EXPECT_EQ(image.ImageName().size(), size_t(MAX_PATH - 1));
  EXPECT_EQ(image.StatusText(), "file not found");
}

TEST_F(MultiImage, EveryReaderReportsItsFailureInTwoBoxes) {
  const std::pair<const char*, const char*> cases[] = {
      {"bad.bmp", "bmp"}, {"bad.thb", "bmp"}, {"bad.jpg", "jpg"}, {"bad.png", "png"},
      {"bad.gif", "gif"}, {"bad.tif", "tif"}, {"bad.pcx", "pcx"}};
  for (const auto& [name, kind] : cases) {
    host.boxes.clear();
    image.SetImageName(dir.Write(name, "garbage that is no picture at all"));
    EXPECT_TRUE(image.Empty());
    ASSERT_EQ(host.boxes.size(), 2u) << name;
    EXPECT_EQ(host.boxes[0], "error: The file is not a picture of this format") << name;
    EXPECT_EQ(host.boxes[1], std::string("info: Reading ") + kind + " file failed");
    EXPECT_EQ(image.StatusText(), "The file is not a picture of this format");
  }
}

TEST_F(MultiImage, ReadsResourcesIconsAndMetafiles) {
  image.SetImageName("C:\\anywhere\\picture.res");  // no file needed
  ASSERT_FALSE(image.Empty());
  EXPECT_EQ(image.Width(), 12);
  EXPECT_EQ(PixelOf(image, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(PixelOf(image, 11, 9), RGB(255, 0, 0));
  image.SetImageName("nothing.RES");
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(host.boxes, (std::vector<std::string>{"error: No bitmap resource of that name",
                                                  "info: Reading resource file failed"}));
  host.boxes.clear();

  image.SetImageName(Sample("icon.ico"));
  EXPECT_EQ(image.StatusText(), "Non TIF, JPeg, BMP, GIF, PNG or PCX Image");
  ASSERT_FALSE(image.Empty());
  EXPECT_EQ(image.Width(), 32);
  EXPECT_EQ(PixelOf(image, 2, 2), RGB(0, 0, 128));
  EXPECT_EQ(PixelOf(image, 30, 2), RGB(255, 255, 0));
  // A metafile drawing one filled rectangle, with a placeable header of 1 inch square.
  HDC mdc = CreateMetaFileA(nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(mdc, red);
  SetWindowExtEx(mdc, 1440, 1440, nullptr);
  Rectangle(mdc, 0, 0, 1440, 1440);
  HMETAFILE mf = CloseMetaFile(mdc);
  DeleteObject(red);
  std::string bits(GetMetaFileBitsEx(mf, 0, nullptr), '\0');
  GetMetaFileBitsEx(mf, UINT(bits.size()), bits.data());
  DeleteMetaFile(mf);
  std::string header = std::string("\xD7\xCD\xC6\x9A\0\0\0\0\0\0\xA0\x05\xA0\x05\xA0\x05\0\0\0\0\0\0", 22);
  image.SetImageName(dir.Write("drawing.wmf", header + bits));
  EXPECT_EQ(image.StatusText(), "Non TIF, JPeg, BMP, GIF, PNG or PCX Image");
  ASSERT_FALSE(image.Empty());
  EXPECT_EQ(image.Width(), 96);
  EXPECT_EQ(PixelOf(image, 48, 48), RGB(255, 0, 0));
  // Files of these kinds that hold no picture load nothing, quietly.
  image.SetImageName(dir.Write("junk.wmf", std::string(64, '\x01')));
  EXPECT_TRUE(image.Empty());
  image.SetImageName(dir.Write("junk.ico", "not an icon"));
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.StatusText(), "Non TIF, JPeg, BMP, GIF, PNG or PCX Image");
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(MultiImage, WritesAtTheDisplaysDepthUnlessAResolutionIsSet) {
  EXPECT_EQ(sw::WriteDepthForDisplay(1), 4);
  EXPECT_EQ(sw::WriteDepthForDisplay(4), 4);
  EXPECT_EQ(sw::WriteDepthForDisplay(5), 8);
  EXPECT_EQ(sw::WriteDepthForDisplay(15), 8);
  EXPECT_EQ(sw::WriteDepthForDisplay(16), 24);
  EXPECT_EQ(sw::WriteDepthForDisplay(32), 24);

  image.SetImageName(Sample("blocks4.bmp"));
  ASSERT_FALSE(image.Empty());
  image.SetDithering(false);
  for (int display : {4, 8, 16}) {
    host.displayBits = display;
    const std::string out = dir.File("out" + std::to_string(display) + ".bmp");
    ASSERT_TRUE(image.WriteBmp(out));
    EXPECT_EQ(BmpBits(out), sw::WriteDepthForDisplay(display));
  }
  image.SetWriteResolution(TPMultiImage::Resolution::Colors256);
  ASSERT_TRUE(image.WriteBmp(dir.File("fixed.bmp")));
  EXPECT_EQ(BmpBits(dir.File("fixed.bmp")), 8);
  // PCX at 4 bits is planar; JPEG is true colour whatever the resolution.
  image.SetWriteResolution(TPMultiImage::Resolution::Automatic);
  host.displayBits = 4;
  ASSERT_TRUE(image.WritePcx(dir.File("out.pcx")));
  std::string pcx;
  ASSERT_TRUE(sw::test::ReadFileBytes(dir.File("out.pcx"), &pcx));
  EXPECT_EQ(pcx[3], 1);
  EXPECT_EQ(pcx[65], 4);
  ASSERT_TRUE(image.WriteJpeg(dir.File("out.jpg")));
  ASSERT_TRUE(image.WritePng(dir.File("out.png")));
  ASSERT_TRUE(image.WriteTiff(dir.File("out.tif")));
  ASSERT_TRUE(image.WriteGif(dir.File("out.gif")));
  EXPECT_TRUE(host.boxes.empty());

  // Each written file reads back with the same pixels (JPEG aside).
  TPMultiImage back;
  back.SetHost(&host);
  back.SetLibraryPath(SKY_DLL_PATH);
  for (const char* name : {"out4.bmp", "out8.bmp", "out16.bmp", "out.pcx", "out.png", "out.tif", "out.gif"}) {
    back.SetImageName(dir.File(name));
    ASSERT_FALSE(back.Empty()) << name;
    for (int y = 0; y < 30; y += 3)
      for (int x = 0; x < 40; x += 3)
        ASSERT_EQ(PixelOf(back, x, y), PixelOf(image, x, y)) << name << " " << x << "," << y;
  }
}

TEST_F(MultiImage, CopiesABitmapAndReportsWriteFailures) {
  HDC screen = GetDC(nullptr);
  HBITMAP source = CreateCompatibleBitmap(screen, 32, 32);
  ReleaseDC(nullptr, screen);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, source);
  RECT all = {0, 0, 32, 32}, corner = {0, 0, 1, 1};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &corner, red);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(red);
  ASSERT_TRUE(image.Assign(source));
  DeleteObject(source);
  EXPECT_EQ(image.Width(), 32);
  EXPECT_EQ(PixelOf(image, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(image, 1, 0), RGB(255, 255, 255));

  EXPECT_FALSE(image.WriteTiff(dir.File("missing\\folder\\x.tif")));
  EXPECT_EQ(host.boxes, (std::vector<std::string>{"error: The picture file cannot be created or written",
                                                  "info: Writing tif file failed"}));
  host.boxes.clear();
  TPMultiImage empty;
  empty.SetHost(&host);
  empty.SetLibraryPath(SKY_DLL_PATH);
  EXPECT_FALSE(empty.WritePng(dir.File("empty.png")));
  EXPECT_EQ(host.boxes.back(), "info: Writing png file failed");
}

TEST_F(MultiImage, AMissingLibraryIsReportedInTheDefaultBoxes) {
  sw::test::DialogAnswerer answers;
  TPMultiImage lonely;
  lonely.SetLibraryPath(dir.File("SKY32V3C.DLL"));
  lonely.SetImageName(Sample("gradient24.png"));
  EXPECT_TRUE(lonely.Empty());
  ASSERT_EQ(answers.Count(), 2u);
  EXPECT_EQ(answers.Seen()[0].caption, "Error");
  EXPECT_EQ(answers.Seen()[0].text, "The imaging library SKY32V3C.DLL could not be loaded.");
  EXPECT_EQ(answers.Seen()[1].caption, "Information");
  EXPECT_EQ(answers.Seen()[1].text, "Reading png file failed");
  EXPECT_FALSE(lonely.WriteJpeg(dir.File("x.jpg")));
  ASSERT_EQ(answers.Count(), 4u);
  EXPECT_EQ(answers.Seen()[3].text, "Writing jpg file failed");
}

}  // namespace
