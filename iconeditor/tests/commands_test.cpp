// The main window's file commands on real, hidden windows: opening icons by index (and failing),
// saving over a file that cannot be written, Save As in every format, Paste, minimising, and the
// command line's files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <random>

#include "application.h"
#include "bmp_reader.h"
#include "dialog_answerer.h"
#include "icon_form.h"
#include "icon_source.h"
#include "imaging_component.h"
#include "main_form.h"
#include "message_boxes.h"
#include "multi_image.h"
#include "pump.h"
#include "registry_scope.h"
#include "temp_dir.h"
#include "test_images.h"
#include "zwicon.h"

using namespace zwicon;
using sw::test::DialogAnswerer;

namespace {

std::string Beside(const char* name) { return sw::test::BesideProgram(name); }

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string Content(const std::string& path) {
  std::string b;
  return files::ReadWholeFile(path, b, 1u << 20) ? b : "<unreadable>";
}

class Commands : public ::testing::Test {
 protected:
  sw::test::TempDir dir;
  sw::test::RegistryScope reg{HKEY_CURRENT_USER, "Software\\Strokewise\\Tests\\ZwIconFiles"};
  DialogAnswerer answer;
  std::unique_ptr<TMainForm> main;
  std::deque<std::string> chosen;  // what the file browser answers, in turn
  std::vector<files::FileChoice> asked;

  void SetUp() override {
    zw::App().Initialize(GetModuleHandleA(nullptr));
    zw::App().title = "Zonware Icon Editor";
    ResetEditor();
    TheEditor().settingsKey = reg.Path();
    sw::test::SetRegString(HKEY_CURRENT_USER, reg.Path() + "\\Icon Editor", "IconDir", dir.Path());
    TheEditor().seams.chooseFile = [this](files::FileChoice& c) {
      asked.push_back(c);
      if (chosen.empty()) return false;
      c.fileName = chosen.front();
      chosen.pop_front();
      c.folder = files::FolderOf(c.fileName);
      return true;
    };
    answer.AlsoAnswer("ZwDialog");
    main = std::make_unique<TMainForm>();
    ASSERT_TRUE(main->Make());
  }
  void TearDown() override {
    for (zw::Form* f : main->MdiChildren())
      if (auto* d = dynamic_cast<TIconForm*>(f)) d->doc.modified = false;
    main.reset();
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  TIconForm* Doc(size_t i) {
    auto& kids = main->MdiChildren();
    return i < kids.size() ? dynamic_cast<TIconForm*>(kids[i]) : nullptr;
  }
  std::string Write(const std::string& name, const files::IconImage& im) {
    std::string p = dir.File(name);
    EXPECT_TRUE(files::WriteIconFile(p, im));
    return p;
  }
  // The document's pixels as an icon image.
  static files::IconImage Image(const TIconForm& d) {
    return d.doc.image;
  }
  // Colour and transparency at every pixel agree (indices may follow another palette order).
  static void ExpectSamePicture(const files::IconImage& a, const files::IconImage& b) {
    for (int x = 0; x < 32; ++x)
      for (int y = 0; y < 32; ++y) {
        ASSERT_EQ(a.transparent[x][y], b.transparent[x][y]) << x << "," << y;
        if (!a.transparent[x][y]) { ASSERT_EQ(a.palette[a.index[x][y]], b.palette[b.index[x][y]]) << x << "," << y; }
      }
  }
};

TEST_F(Commands, IconsByIndexFromALibraryAndOnePastTheLastGivesTheAlertAndANewDocument) {
  std::string lib = Beside("threeicons.dll");
  main->OpenFile(lib, 1);
  ASSERT_NE(Doc(0), nullptr);
  EXPECT_EQ(Doc(0)->caption, lib);
  EXPECT_TRUE(Doc(0)->doc.modified);
  EXPECT_EQ(Doc(0)->doc.image.palette[Doc(0)->doc.image.index[16][16]], RGB(0, 255, 0));
  EXPECT_EQ(Doc(0)->Picture().Get(16, 16), RGB(0, 255, 0));
  EXPECT_TRUE(main->ToolPanel->visible);
  main->OpenFile(lib, 2);  // left half blue, right half transparent
  TIconForm* half = Doc(1);
  ASSERT_NE(half, nullptr);
  EXPECT_EQ(half->doc.image.transparent[3][3], 0);
  EXPECT_EQ(half->doc.image.transparent[20][3], 1);
  EXPECT_EQ(half->Mask().Get(20, 3), RGB(255, 255, 255));
  EXPECT_EQ(half->doc.image.palette[half->doc.image.index[3][3]], RGB(0, 0, 255));
  EXPECT_EQ(answer.Count(), 0u);
  main->OpenFile(lib, 3);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Error in loading...");
  EXPECT_EQ(answer.Seen()[0].text, "An error has occurred in loading " + lib + "\rIcon may be missing or corrupted.");
  ASSERT_NE(Doc(2), nullptr);
  EXPECT_EQ(Doc(2)->caption, "Untitled");
  EXPECT_EQ(Doc(3), nullptr);
}

TEST_F(Commands, SavedIconReopensWithTheSameColourAndTransparencyEverywhere) {
  std::mt19937 rng(14);
  files::IconImage im = files::test::RandomImage(rng);
  std::string a = Write("A.ICO", im);
  main->OpenFile(a, 0);
  TIconForm* d = Doc(0);
  ASSERT_NE(d, nullptr);
  ExpectSamePicture(im, Image(*d));
  // Save asks to replace, writes 766 bytes, and the reopened file shows the same picture.
  answer.Queue(IDYES);
  main->SaveDocument(d);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Save");
  EXPECT_EQ(answer.Seen()[0].text, "Replace existing: " + a + "?");
  EXPECT_FALSE(d->doc.modified);
  EXPECT_EQ(Content(a).size(), 766u);
  main->OpenFile(a, 0);
  ASSERT_NE(Doc(1), nullptr);
  ExpectSamePicture(im, Image(*Doc(1)));
}

TEST_F(Commands, SaveOntoAFileHeldOpenRestoresItAlertsAndKeepsTheDocumentModified) {
  std::mt19937 rng(3);
  files::IconImage first = files::test::RandomImage(rng), second = files::test::RandomImage(rng);
  std::string a = Write("A.ICO", first), b = Write("B.ICO", second);
  const std::string before = Content(a);
  main->OpenFile(a, 0);
  TIconForm* d = Doc(0);
  ASSERT_NE(d, nullptr);
  HANDLE lock = CreateFileA(a.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  answer.Queue(IDYES);
  main->SaveDocument(d);
  CloseHandle(lock);
  ASSERT_EQ(answer.Count(), 2u);
  EXPECT_EQ(answer.Seen()[1].caption, "Error in Saving...");
  EXPECT_EQ(answer.Seen()[1].text, "An error has occurred in saving " + a + "\rThe file has not been changed.");
  EXPECT_TRUE(d->doc.modified);
  EXPECT_EQ(Content(a), before);
  // The next Open of another icon opens that icon, not the backup.
  main->OpenFile(b, 0);
  ASSERT_NE(Doc(1), nullptr);
  ExpectSamePicture(second, Image(*Doc(1)));
}

TEST_F(Commands, SaveAsWritesEveryPictureFormatAndRefusesOthers) {
  main->OpenFile(Beside("threeicons.dll"), 0);  // red with a blue corner
  TIconForm* d = Doc(0);
  ASSERT_NE(d, nullptr);
  for (const char* name : {"P.BMP", "P.PNG", "P.JPG", "P.TIF", "P.PCX"}) {
    d->doc.modified = true;
    chosen.push_back(dir.File(name));
    main->SaveAsDocument(d);
    EXPECT_FALSE(d->doc.modified) << name;
    sw::TPMultiImage reader;
    reader.SetReadResolution(sw::TPMultiImage::Resolution::TrueColor);
    reader.SetImageName(dir.File(name));
    ASSERT_FALSE(reader.Empty()) << name;
    EXPECT_EQ(reader.Width(), 32);
    EXPECT_EQ(reader.Height(), 32);
    zw::Bitmap back;
    ASSERT_TRUE(back.AssignHandle(reader.Bitmap()));
    int tol = std::string(name) == "P.JPG" ? 48 : 0;
    COLORREF blue = back.Get(2, 2), red = back.Get(20, 20);
    EXPECT_NEAR(GetBValue(blue), 255, tol) << name;
    EXPECT_NEAR(GetRValue(blue), 0, tol) << name;
    EXPECT_NEAR(GetRValue(red), 255, tol) << name;
    EXPECT_NEAR(GetBValue(red), 0, tol) << name;
  }
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked[0].title, "Save " + Beside("threeicons.dll") + " As...");
  EXPECT_EQ(asked[0].initialName, "UNTITLED");
  EXPECT_EQ(asked[0].mask, "*.BMP *.PCX *.JPG *.PNG *.ICO *.TIF");
  EXPECT_EQ(answer.Count(), 0u);
  EXPECT_EQ(d->caption, Beside("threeicons.dll"));
  // An unknown extension: the alert, nothing written, the modified flag as it was.
  d->doc.modified = true;
  chosen.push_back(dir.File("P.GIF"));
  main->SaveAsDocument(d);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Save As");
  EXPECT_EQ(answer.Seen()[0].text, "You may only save icons in *.BMP *.PCX *.JPG *.PNG *.ICO *.TIF formats.");
  EXPECT_EQ(GetFileAttributesA(dir.File("P.GIF").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(d->doc.modified);
  // Save As to an icon in a folder that does not exist: the alert, no file, still modified.
  chosen.push_back(dir.File("none\\NEW.ICO"));
  main->SaveAsDocument(d);
  ASSERT_EQ(answer.Count(), 2u);
  EXPECT_EQ(answer.Seen()[1].caption, "Error in Saving...");
  EXPECT_TRUE(d->doc.modified);
  // Save on a document whose caption is not an existing icon file goes to Save As.
  asked.clear();
  main->SaveDocument(d);
  ASSERT_EQ(asked.size(), 1u);
}

TEST_F(Commands, WithoutTheImagingLibraryPicturesAreRefusedWithItsNameAndIconsStillSave) {
  main->New1Click(nullptr);
  TIconForm* d = Doc(0);
  ASSERT_NE(d, nullptr);
  main->PMultiImage1->image.SetLibraryPath(dir.File("SKY32V3C.DLL"));
  d->doc.modified = true;
  chosen.push_back(dir.File("P.PNG"));
  main->SaveAsDocument(d);
  ASSERT_EQ(answer.Count(), 2u);
  EXPECT_EQ(answer.Seen()[0].caption, "Error");
  EXPECT_NE(answer.Seen()[0].text.find("SKY32V3C.DLL"), std::string::npos) << answer.Seen()[0].text;
  EXPECT_EQ(answer.Seen()[1].caption, "Information");
  EXPECT_EQ(answer.Seen()[1].text, "Writing png file failed");
  EXPECT_TRUE(d->doc.modified);
  EXPECT_EQ(GetFileAttributesA(dir.File("P.PNG").c_str()), INVALID_FILE_ATTRIBUTES);
  chosen.push_back(dir.File("P.ICO"));
  main->SaveAsDocument(d);
  EXPECT_EQ(answer.Count(), 2u);
  EXPECT_FALSE(d->doc.modified);
  EXPECT_EQ(Content(dir.File("P.ICO")).size(), 766u);
}

TEST_F(Commands, PastedClipboardBitmapFloatsAsItsTopLeft32By32Opaque) {
  main->New1Click(nullptr);
  TIconForm* d = Doc(0);
  ASSERT_NE(d, nullptr);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  main->Paste1Click(nullptr);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Error in Pasting");
  EXPECT_EQ(answer.Seen()[0].text, "The Windows ClipBoard does not\rcontain a valid bitmap image.");
  // 100 x 50: the system palette's extra cyan (normalised to aqua) over a red stripe at x 30 to 33.
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 100, 50);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ o = SelectObject(dc, bmp);
  RECT all{0, 0, 100, 50}, stripe{30, 0, 34, 50};
  HBRUSH c1 = CreateSolidBrush(RGB(164, 200, 240)), c2 = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, c1);
  FillRect(dc, &stripe, c2);
  DeleteObject(c1);
  DeleteObject(c2);
  SelectObject(dc, o);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, bmp);
  CloseClipboard();
  d->doc.modified = false;
  main->Paste1Click(nullptr);
  EXPECT_EQ(answer.Count(), 1u);
  EXPECT_TRUE(d->doc.floating);
  EXPECT_TRUE(d->doc.pasted);
  EXPECT_TRUE(d->doc.modified);
  EXPECT_EQ(d->doc.selectionRect.right, 32);
  EXPECT_EQ(d->doc.selectionRect.bottom, 32);
  EXPECT_EQ(d->doc.dragRect.right, 32);
  EXPECT_EQ(d->doc.selected.Get(0, 0), RGB(0, 255, 255));
  EXPECT_EQ(d->doc.selected.Get(31, 31), RGB(255, 0, 0));
  EXPECT_EQ(d->doc.selected.Get(29, 10), RGB(0, 255, 255));
  EXPECT_EQ(d->doc.selectedMask.Get(31, 31), RGB(0, 0, 0));
  EXPECT_TRUE(main->PointerTool->down);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
}

TEST_F(Commands, MinimisingWritesTheTemporaryFileAndTheWindowIconShowsThePicture) {
  main->Show();
  main->New1Click(nullptr);
  TIconForm* d = Doc(0);
  ASSERT_NE(d, nullptr);
  // Paint the top-left cell red, opaque.
  main->drawing.currentColor = RGB(255, 0, 0);
  main->drawing.currentTransparent = false;
  d->PutPixel(0, 0);
  ShowWindow(d->hwnd, SW_MINIMIZE);
  sw::test::PumpMessages(100);
  ASSERT_TRUE(IsIconic(d->hwnd));
  files::IconImage temp;
  ASSERT_TRUE(files::ReadIconFile(main->TempFileName, temp));
  EXPECT_EQ(temp.palette[temp.index[0][0]], RGB(255, 0, 0));
  EXPECT_EQ(temp.transparent[0][0], 0);
  EXPECT_EQ(temp.transparent[5][5], 1);
  auto icon = reinterpret_cast<HICON>(SendMessageA(d->hwnd, WM_GETICON, ICON_BIG, 0));
  ASSERT_NE(icon, nullptr);
  files::IconImage shown;
  ASSERT_TRUE(files::IconImageFromIcon(icon, shown));
  EXPECT_EQ(shown.index[0][0], 9);
  EXPECT_EQ(shown.transparent[0][0], 0);
  EXPECT_EQ(shown.transparent[5][5], 1);
  EXPECT_EQ(answer.Count(), 0u);
}

TEST_F(Commands, CommandLineFilesOpenUpperCasedAndAMissingOneGivesTheAlertAndUntitled) {
  std::mt19937 rng(8);
  std::string a = Write("one.ico", files::test::RandomImage(rng));
  std::string b = Write("two.ico", files::test::RandomImage(rng));
  TheEditor().args = {a, dir.File("missing.ico"), b};
  main->FormShow(nullptr);
  ASSERT_EQ(main->DocumentCount(), 3);
  EXPECT_EQ(Doc(0)->caption, Upper(a));
  EXPECT_EQ(Doc(1)->caption, "Untitled");
  EXPECT_EQ(Doc(2)->caption, Upper(b));
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].text,
            "An error has occurred in loading " + Upper(dir.File("missing.ico")) + "\rIcon may be missing or corrupted.");
}

TEST_F(Commands, OpenSendsIconContainersToOpenFileAndPicturesToTheImportAlert) {
  chosen.push_back(Beside("threeicons.dll"));
  main->Open1Click(nullptr);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].title, "Select an Icon");
  EXPECT_EQ(asked[0].folder, dir.Path());
  EXPECT_EQ(asked[0].mask, "*.EXE *.DLL *.BMP *.PCX *.JPG *.PNG *.ICO *.TIF");
  ASSERT_EQ(main->DocumentCount(), 1);
  // The browser's folder becomes the icon folder.
  EXPECT_EQ(main->IconDir, files::FolderOf(Beside("threeicons.dll")));
  // ".EX" occurs in ".ICO.EXE.DLL": treated as an icon container (here a file without icons).
  chosen.push_back(dir.Write("x.ex", "not a program"));
  main->Open1Click(nullptr);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Error in loading...");
  // A picture goes to the import dialog (an unreadable one after the library's messages).
  chosen.push_back(dir.Write("p.bmp", "BM"));
  main->Open1Click(nullptr);
  ASSERT_EQ(answer.Count(), 4u);
  EXPECT_EQ(answer.Seen()[2].text, "Reading bmp file failed");
  EXPECT_EQ(answer.Seen()[3].caption, "Select a portion of this image to create an icon");
  EXPECT_EQ(main->DocumentCount(), 3);
  // Cancelled: nothing happens.
  main->Open1Click(nullptr);
  EXPECT_EQ(answer.Count(), 4u);
}

// A one-image 32 x 32 icon file at 24 bits per pixel with colours the editor cannot hold.
std::string SmoothIconBytes() {
  std::string b(6 + 16 + 40 + 32 * 32 * 3 + 32 * 4, '\0');
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
  };
  put(2, 1, 2), put(4, 1, 2);
  b[6] = b[7] = 32;
  put(10, 1, 2), put(12, 24, 2), put(14, static_cast<uint32_t>(b.size() - 22), 4), put(18, 22, 4);
  put(22, 40, 4), put(26, 32, 4), put(30, 64, 4), put(34, 1, 2), put(36, 24, 2);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) put(62 + (y * 32 + x) * 3, RGB(40 + x * 5, 90 + y * 3, 200 - x * 4), 3);
  return b;  // the mask stays 0: every pixel opaque
}

bool IsStandardColour(COLORREF c) {
  return std::find(std::begin(files::kStandardColours), std::end(files::kStandardColours), c) !=
         std::end(files::kStandardColours);
}

TEST_F(Commands, OpenedIconsShowTheirSixteenColoursKeepTheirPictureOnUndoAndDamagedFilesAlert) {
  std::string smooth = dir.Write("smooth.ico", SmoothIconBytes());
  main->OpenFile(smooth, 0);
  TIconForm* d = Doc(0);
  ASSERT_NE(d, nullptr);
  // What the editor shows is what it saves: the sixteen colours of the document's indices.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      COLORREF c = d->Picture().Get(x, y);
      ASSERT_TRUE(IsStandardColour(c)) << x << "," << y;
      ASSERT_EQ(c, d->doc.image.palette[d->doc.image.index[x][y]]) << x << "," << y;
    }
  Bitmap before = d->Picture();
  // Nothing to undo right after Open: the button is off, and neither its click nor the command
  // touches the picture.
  EXPECT_FALSE(main->Undo->enabled);
  main->Edit1Click(nullptr);
  EXPECT_FALSE(main->Undo2->enabled);
  int ux = main->Undo->left + 10, uy = main->Undo->top + 10;
  SendMessageA(main->ToolPanel->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ux, uy));
  SendMessageA(main->ToolPanel->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(ux, uy));
  main->Undo1Click(nullptr);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(d->Picture().Get(x, y), before.Get(x, y)) << x << "," << y;
  // The Window menu names the document at once.
  std::string listed;
  for (int i = 0, n = GetMenuItemCount(main->Window1->popup); i < n; ++i) {
    char text[512] = "";
    GetMenuStringA(main->Window1->popup, i, text, sizeof text, MF_BYPOSITION);
    listed += std::string(text) + "|";
  }
  EXPECT_NE(listed.find(smooth), std::string::npos) << listed;
  // A file cut short opens nothing of itself: the alert, then a new document.
  std::string cut = dir.Write("cut.ico", Content(Write("whole.ico", files::BlankIconImage())).substr(0, 100));
  main->OpenFile(cut, 0);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Error in loading...");
  EXPECT_EQ(answer.Seen()[0].text, "An error has occurred in loading " + cut + "\rIcon may be missing or corrupted.");
  ASSERT_EQ(main->DocumentCount(), 2);
  EXPECT_EQ(Doc(1)->caption, "Untitled");
  // Close All brings each document it asks about to the front first.
  Doc(1)->doc.modified = true;
  SendMessageA(main->mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Doc(0)->hwnd), 0);
  std::vector<std::string> asked, active;
  answer.OnDialog([&](HWND h) {
    if (sw::test::WindowText(h) != "Save Icon") return 0;
    std::string text = sw::test::WindowText(GetDlgItem(h, 0xFFFF));
    asked.push_back(text.substr(0, text.find('\r')));
    active.push_back(main->ActiveDocument() ? main->ActiveDocument()->caption : "");
    return IDNO;
  });
  main->CloseAll1Click(nullptr);
  EXPECT_EQ(main->DocumentCount(), 0);
  EXPECT_EQ(asked, (std::vector<std::string>{"Untitled", smooth}));
  EXPECT_EQ(active, asked);
}

}  // namespace
