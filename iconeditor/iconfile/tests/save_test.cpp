// Saving over an existing icon with a backup, Save As in the five picture formats through the
// imaging library, and Paste's road of the clipboard bitmap through a BMP file.
#include <gtest/gtest.h>

#include "bmp_reader.h"
#include "file_copy.h"
#include "canvas.h"
#include "icon_file.h"
#include "imaging_component.h"
#include "normalize.h"
#include "paste_file.h"
#include "picture_save.h"
#include "save_backup.h"
#include "temp_dir.h"

using namespace zwicon::files;

namespace {

std::string Content(const std::string& path) {
  std::string b;
  return ReadWholeFile(path, b, 1u << 20) ? b : "<unreadable>";
}
bool Exists(const std::string& p) { return GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WriteIcon(const std::string& path) { return WriteIconFile(path, BlankIconImage()); }

TEST(SaveWithBackup, AFileHeldWithoutSharingKeepsItsContentAndTheAlertSaysSo) {
  sw::test::TempDir dir;
  std::string file = dir.Write("A.ICO", "previous icon");
  std::string temp = dir.Write("00000001.$$$", "");
  // The write truncates the file and then fails, as a write to a full disk would.
  auto failing = [](const std::string& f) {
    WriteWholeFile(f, "half");
    return false;
  };
  EXPECT_EQ(SaveWithBackup(file, temp, failing), SaveOutcome::Restored);
  EXPECT_EQ(Content(file), "previous icon");
  EXPECT_EQ(SaveFailureText(SaveOutcome::Restored, file, temp),
            "An error has occurred in saving " + file + "\rThe previous file has been restored.");
  // Held open by another program without sharing: neither the write nor the restore can touch it.
  HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  SaveOutcome o = SaveWithBackup(file, temp, WriteIcon);
  CloseHandle(h);
  EXPECT_EQ(o, SaveOutcome::Unchanged);
  EXPECT_EQ(Content(file), "previous icon");
  // The write damages the file and then another program holds it: the backup stays, and the
  // alert names it.
  HANDLE holder = INVALID_HANDLE_VALUE;
  auto damaging = [&](const std::string& f) {
    WriteWholeFile(f, "half");
    holder = CreateFileA(f.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return false;
  };
  EXPECT_EQ(SaveWithBackup(file, temp, damaging), SaveOutcome::NotRestored);
  CloseHandle(holder);
  EXPECT_EQ(Content(temp), "previous icon");
  EXPECT_EQ(SafeCopyFile(temp, file), CopyResult::Ok);
  // A good write replaces it and the temporary file stays writable for the next operation.
  EXPECT_EQ(SaveWithBackup(file, temp, WriteIcon), SaveOutcome::Saved);
  EXPECT_EQ(Content(file).size(), 766u);
  EXPECT_TRUE(WriteIcon(temp));
}

TEST(SaveWithBackup, ANewNameThatFailsLeavesNoStaleFileBehind) {
  sw::test::TempDir dir;
  std::string temp = dir.Write("00000001.$$$", "");
  // An earlier save left another icon's backup in the temporary file.
  std::string other = dir.Write("OTHER.ICO", "other icon");
  EXPECT_EQ(SaveWithBackup(other, temp, WriteIcon), SaveOutcome::Saved);
  EXPECT_EQ(Content(temp), "other icon");
  std::string fresh = dir.File("NEW.ICO");
  auto failing = [](const std::string& f) {
    WriteWholeFile(f, "partial");
    return false;
  };
  EXPECT_EQ(SaveWithBackup(fresh, temp, failing), SaveOutcome::Removed);
  EXPECT_FALSE(Exists(fresh));
  EXPECT_EQ(SaveWithBackup(dir.File("missing\\NEW.ICO"), temp, WriteIcon), SaveOutcome::Removed);
  // When the restore fails too, the alert names the kept backup.
  EXPECT_EQ(SaveFailureText(SaveOutcome::NotRestored, "A.ICO", "C:\\T\\00000001.$$$"),
            "An error has occurred in saving A.ICO\rThe previous file could not be restored;\rits copy is kept in "
            "C:\\T\\00000001.$$$.");
}

// Records the imaging component's boxes instead of showing them.
struct RecordingHost : sw::TPMultiImage::Host {
  std::vector<std::string> boxes;
  void ErrorBox(const std::string& t) override { boxes.push_back(t); }
  void InfoBox(const std::string& t) override { boxes.push_back(t); }
};

zw::Bitmap Picture16() {
  zw::Bitmap b(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) b.Set(x, y, kStandardColours[(x / 8 + 4 * (y / 8)) & 15]);
  return b;
}

TEST(SaveAsPicture, FiveFormatsReadBackAs32By32WithTheDocumentsColours) {
  sw::test::TempDir dir;
  EXPECT_EQ(SaveKindFor("C:\\X\\a.bmp"), SaveKind::Bmp);
  EXPECT_EQ(SaveKindFor("a.Png"), SaveKind::Png);
  EXPECT_EQ(SaveKindFor("a.JPG"), SaveKind::Jpeg);
  EXPECT_EQ(SaveKindFor("a.tif"), SaveKind::Tiff);
  EXPECT_EQ(SaveKindFor("a.pcx"), SaveKind::Pcx);
  EXPECT_EQ(SaveKindFor("a.ico"), SaveKind::Icon);
  EXPECT_EQ(SaveKindFor("a.gif"), SaveKind::Unknown);
  EXPECT_EQ(SaveKindFor("a.jpeg"), SaveKind::Unknown);
  EXPECT_EQ(SaveKindFor("C:\\dir.bmp\\name"), SaveKind::Unknown);
  zw::Bitmap pic = Picture16();
  TPMultiImageComponent c;
  RecordingHost host;
  c.image.SetHost(&host);
  for (const char* name : {"p.bmp", "p.png", "p.jpg", "p.tif", "p.pcx"}) {
    std::string file = dir.File(name);
    ASSERT_TRUE(WritePicture(c.image, pic, SaveKindFor(file), file)) << name;
    EXPECT_TRUE(c.image.Dithering());  // writes without dithering, reads keep it
    sw::TPMultiImage reader;
    reader.SetHost(&host);
    reader.SetReadResolution(sw::TPMultiImage::Resolution::TrueColor);
    reader.SetImageName(file);
    ASSERT_FALSE(reader.Empty()) << name;
    EXPECT_EQ(reader.Width(), 32);
    EXPECT_EQ(reader.Height(), 32);
    zw::Bitmap back;
    ASSERT_TRUE(back.AssignHandle(reader.Bitmap()));
    const int tolerance = std::string(name) == "p.jpg" ? 48 : 0;
    // Block centres (JPEG smears the block edges).
    for (int y = 3; y < 32; y += 8)
      for (int x = 3; x < 32; x += 8) {
        COLORREF want = pic.Get(x, y), got = back.Get(x, y);
        EXPECT_NEAR(GetRValue(got), GetRValue(want), tolerance) << name << " " << x << "," << y;
        EXPECT_NEAR(GetGValue(got), GetGValue(want), tolerance) << name << " " << x << "," << y;
        EXPECT_NEAR(GetBValue(got), GetBValue(want), tolerance) << name << " " << x << "," << y;
      }
  }
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_FALSE(WritePicture(c.image, pic, SaveKind::Unknown, dir.File("p.gif")));
  EXPECT_FALSE(Exists(dir.File("p.gif")));
}

TEST(SaveAsPicture, AMissingImagingLibraryIsNamedInTheBoxes) {
  sw::test::TempDir dir;
  TPMultiImageComponent c;
  RecordingHost host;
  c.image.SetHost(&host);
  c.image.SetLibraryPath(dir.File("SKY32V3C.DLL"));
  zw::Bitmap pic = Picture16();
  EXPECT_FALSE(WritePicture(c.image, pic, SaveKind::Png, dir.File("p.png")));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_NE(host.boxes[0].find("SKY32V3C.DLL"), std::string::npos) << host.boxes[0];
  EXPECT_EQ(host.boxes[1], "Writing png file failed");
  EXPECT_FALSE(Exists(dir.File("p.png")));
}

TEST(SaveAsPicture, DescriptionPropertiesSetTheComponent) {
  TPMultiImageComponent c;
  EXPECT_EQ(c.image.JpegQuality(), 25);
  EXPECT_TRUE(c.image.Dithering());
  zw::PropValue n;
  n.number = 60;
  EXPECT_EQ(c.SetProperty("JpegQuality", n), zw::PropResult::Ok);
  EXPECT_EQ(c.image.JpegQuality(), 60);
  zw::PropValue f;
  f.kind = zw::PropValue::Ident;
  f.text = "False";
  EXPECT_EQ(c.SetProperty("Dithering", f), zw::PropResult::Ok);
  EXPECT_FALSE(c.image.Dithering());
  f.text = "Colors16";
  EXPECT_EQ(c.SetProperty("WriteResolution", f), zw::PropResult::Ok);
  EXPECT_EQ(c.image.WriteResolution(), sw::TPMultiImage::Resolution::Colors16);
  f.text = "Lots";
  EXPECT_EQ(c.SetProperty("ReadResolution", f), zw::PropResult::BadValue);
  EXPECT_EQ(c.SetProperty("NoSuchThing", n), zw::PropResult::Unknown);
}

void PutOnClipboard(HBITMAP b) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  if (b) SetClipboardData(CF_BITMAP, b);
  CloseClipboard();
}

TEST(PasteFile, ClipboardBitmapComesBackThroughTheTemporaryFile) {
  sw::test::TempDir dir;
  std::string temp = dir.Write("00000001.$$$", "");
  PutOnClipboard(nullptr);
  HDC screen = GetDC(nullptr);
  HBITMAP out = nullptr;
  EXPECT_EQ(ReadClipboardThroughFile(nullptr, temp, screen, nullptr, out), PasteRead::NoBitmap);
  // 100 x 50: left half the palette's extra green (normalised to white later), right half red.
  HBITMAP ddb = CreateCompatibleBitmap(screen, 100, 50);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ o = SelectObject(dc, ddb);
  RECT l{0, 0, 50, 50}, r{50, 0, 100, 50};
  HBRUSH g = CreateSolidBrush(RGB(192, 220, 192)), red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &l, g);
  FillRect(dc, &r, red);
  DeleteObject(g);
  DeleteObject(red);
  SelectObject(dc, o);
  DeleteDC(dc);
  PutOnClipboard(ddb);
  ASSERT_EQ(ReadClipboardThroughFile(nullptr, temp, screen, nullptr, out), PasteRead::Ok);
  zw::Bitmap b;
  ASSERT_TRUE(b.AssignHandle(out));
  DeleteObject(out);
  EXPECT_EQ(b.Width(), 100);
  EXPECT_EQ(b.Height(), 50);
  NormalizePicture(b);
  EXPECT_EQ(b.Get(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(b.Get(31, 31), RGB(255, 255, 255));
  EXPECT_EQ(b.Get(60, 10), RGB(255, 0, 0));
  EXPECT_EQ(b.Get(40, 40), RGB(192, 220, 192));  // outside the top-left 32 x 32
  // A temporary file that cannot be written makes the paste fail with the reading alert's case.
  HANDLE h = CreateFileA(temp.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(ReadClipboardThroughFile(nullptr, temp, screen, nullptr, out), PasteRead::Unreadable);
  EXPECT_EQ(out, nullptr);
  CloseHandle(h);
  ReleaseDC(nullptr, screen);
  PutOnClipboard(nullptr);
}

}  // namespace
