// The icon selector (layout in the registry, icon grid, keys, location box, returned name) and
// the import dialog (the block under the frame, dithering, unreadable pictures) on real windows.
#include <cstring>

#include "bitmap_form.h"
#include "editor_fixture.h"
#include "icon_selector.h"
#include "normalize.h"
#include "pump.h"

namespace zwtest {

namespace {

const char* kSelectorKey = "Software\\StrokewiseTests\\ZwIcon\\Icon Selector";

// A 24-bit BMP file of a picture (bottom-up rows).
std::string BmpBytes(const Bitmap& b) {
  int w = b.Width(), h = b.Height(), row = (w * 3 + 3) & ~3;
  std::string px;
  for (int y = h - 1; y >= 0; --y) {
    std::string line;
    for (int x = 0; x < w; ++x) {
      COLORREF c = b.Get(x, y);
      line += static_cast<char>(GetBValue(c));
      line += static_cast<char>(GetGValue(c));
      line += static_cast<char>(GetRValue(c));
    }
    line.resize(row, '\0');
    px += line;
  }
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(px.size());
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  return std::string(reinterpret_cast<char*>(&fh), sizeof fh) + std::string(reinterpret_cast<char*>(&ih), sizeof ih) + px;
}

bool IsStandard(COLORREF c) {
  for (COLORREF s : kStandardPalette)
    if (s == c) return true;
  return false;
}

template <class T> T* FormOf(HWND h) { return dynamic_cast<T*>(WinControl::FromHandle(h)); }

}  // namespace

TEST(SelectorLayout, GridNamesAndLocations) {
  // Twelve icons in a 245-pixel viewer: rows of five at x = 10 ... 170.
  for (int i = 0; i < 12; ++i) {
    POINT p = IconGridPosition(i, 245);
    EXPECT_EQ(p.x, 10 + 40 * (i % 5)) << i;
    EXPECT_EQ(p.y, 10 + 40 * (i / 5)) << i;
  }
  EXPECT_EQ(JoinChosenName("C:\\icons", "smile"), "C:\\icons\\smile.ICO");
  EXPECT_EQ(JoinChosenName("C:\\", "a.bmp"), "C:\\a.bmp");
  EXPECT_EQ(JoinChosenName("", "a"), "a.ICO");
  EXPECT_EQ(JoinChosenName("C:\\icons", ""), "C:\\icons\\");
  // A name found below the folder by the whole-drive search names the file once.
  EXPECT_EQ(JoinChosenName("T:\\", "one\\two\\deep.ico"), "T:\\one\\two\\deep.ico");
  EXPECT_EQ(JoinChosenName("C:\\my.dir", "x"), "C:\\my.dir\\x.ICO");
  std::string folder, mask;
  ASSERT_TRUE(SplitLocation("C:\\icons\\*.ICO", folder, mask));
  EXPECT_EQ(folder, "C:\\icons");
  EXPECT_EQ(mask, "*.ICO");
  ASSERT_TRUE(SplitLocation("C:\\*.bmp", folder, mask));
  EXPECT_EQ(folder, "C:\\");
  EXPECT_FALSE(SplitLocation("C:\\icons", folder, mask));
}

TEST(SelectorLayout, RegistryValuesAreCheckedAndRoundTrip) {
  sw::test::RegistryScope reg{HKEY_CURRENT_USER, kKey};
  SIZE screen{1024, 768};
  sw::test::SetRegString(HKEY_CURRENT_USER, kSelectorKey, "Window", "x,20,99999,-5");
  sw::test::SetRegString(HKEY_CURRENT_USER, kSelectorKey, "DetailWidth", "10,75,70,90,45");
  sw::test::SetRegString(HKEY_CURRENT_USER, kSelectorKey, "SplitPos", "-3");
  sw::test::SetRegString(HKEY_CURRENT_USER, kSelectorKey, "SplitDir", "Horz");
  SelectorLayout l;
  ReadSelectorLayout(kKey, l, screen);
  EXPECT_EQ(l.window.left, 0);
  EXPECT_EQ(l.window.top, 20);
  EXPECT_EQ(l.window.right, 528);
  EXPECT_EQ(l.window.bottom, 402);
  EXPECT_EQ(l.details[0], 150);  // a name column under 30 is damage: the design widths stay
  EXPECT_EQ(l.splitPos, 250);
  EXPECT_TRUE(l.stacked);

  l = SelectorLayout{};
  l.window = RECT{5, 6, 600, 420};
  l.details = {40, 1, 2, 3, 4};
  l.showDetails = l.inverted = true;
  l.splitPos = 123;
  ASSERT_TRUE(WriteSelectorLayout(kKey, l, false, true));
  SelectorLayout back;
  ReadSelectorLayout(kKey, back, screen);
  EXPECT_EQ(back.window.left, 5);
  EXPECT_EQ(back.window.right, 600);
  EXPECT_EQ(back.details[1], 1);
  EXPECT_TRUE(back.showDetails && back.inverted && !back.stacked);
  EXPECT_EQ(back.splitPos, 123);
  HKEY k;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSelectorKey, 0, KEY_READ, &k), ERROR_SUCCESS);
  EXPECT_NE(RegQueryValueExA(k, "Preview", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  RegCloseKey(k);
}

class Selector : public Editor {
 protected:
  // Runs the selector; `inside` acts on the open dialog and returns its modal result.
  bool Run(std::string& folder, std::string& mask, std::string& name, int& index,
           const std::function<int(TIconSelectorDialog&)>& inside) {
    answer.OnDialog([&](HWND h) {
      auto* d = FormOf<TIconSelectorDialog>(h);
      if (!d) return 0;
      d->modalResult = inside(*d);
      return -1;
    });
    return ExecuteIconSelector("Select an Icon", folder, mask, index, false, name);
  }
};

TEST_F(Selector, StackedLayoutFromTheRegistrySurvivesACloseAndReopen) {
  sw::test::SetRegString(HKEY_CURRENT_USER, kSelectorKey, "SplitDir", "Horz");
  sw::test::SetRegString(HKEY_CURRENT_USER, kSelectorKey, "SplitPos", "100");
  sw::test::SetRegString(HKEY_CURRENT_USER, kSelectorKey, "ShowFileDetails", "1");
  std::string folder = dir.Path(), mask = "*.ICO", name;
  int index = -1;
  int listTop = -1, listHeight = -1, viewerTop = -1;
  bool details = false;
  Run(folder, mask, name, index, [&](TIconSelectorDialog& d) {
    listTop = d.FileListPanel->top;
    listHeight = d.FileListPanel->height;
    viewerTop = d.ViewerPanel->top;
    details = d.Header->visible && d.FileList->FileDetails() != Bit(fdName);
    return mrCancel;
  });
  EXPECT_EQ(listTop, 0);
  EXPECT_EQ(listHeight, 100);
  EXPECT_GE(viewerTop, 100);
  EXPECT_TRUE(details);
  // Saved on close and read again on the next opening.
  Run(folder, mask, name, index, [&](TIconSelectorDialog& d) {
    listHeight = d.FileListPanel->height;
    details = d.ShowDetail->Checked();
    return mrCancel;
  });
  EXPECT_EQ(listHeight, 100);
  EXPECT_TRUE(details);
}

TEST_F(Selector, LocationWithMaskTypedNameAndEmptyOk) {
  CreateDirectoryA(dir.File("icons").c_str(), nullptr);
  dir.Write("icons\\a.ico", "");
  dir.Write("icons\\b.bmp", "");
  std::string folder = dir.Path(), mask = "*.*", name;
  int index = -1;
  std::string listed, listMask, filter, listDir;
  int emptyResult = -1;
  bool ok = Run(folder, mask, name, index, [&](TIconSelectorDialog& d) {
    d.FName->SetText("");
    d.OkButtonClick(nullptr);  // no name: the dialog stays
    emptyResult = d.modalResult;
    d.LocationBox->SetText(dir.File("icons") + "\\*.ICO");
    d.LocationBoxExit();
    listDir = d.FileList->Directory();
    listMask = d.FileList->FileMask();
    filter = d.FilterBox->Text();
    for (int i = 0; i < d.FileList->Count(); ++i) listed += d.FileList->EntryName(i) + ";";
    d.FName->SetText("newicon");
    return mrOk;
  });
  EXPECT_EQ(emptyResult, mrNone);
  EXPECT_EQ(listDir, dir.File("icons"));
  EXPECT_EQ(listMask, "*.ICO");
  EXPECT_EQ(filter, "*.ICO");
  EXPECT_NE(listed.find("a.ico;"), std::string::npos);
  EXPECT_EQ(listed.find("b.bmp"), std::string::npos);
  ASSERT_TRUE(ok);
  EXPECT_EQ(name, dir.File("icons") + "\\newicon.ICO");
  EXPECT_EQ(folder, dir.File("icons"));
  EXPECT_EQ(mask, "*.ICO");
}

TEST_F(Selector, InvalidLocationAlertsAndKeepsTheFolder) {
  std::string folder = dir.Path(), mask = "*.*", name;
  int index = -1;
  std::string listDir;
  answer.AlsoAnswer("ZwDialog");
  Run(folder, mask, name, index, [&](TIconSelectorDialog& d) {
    d.LocationBox->SetText(dir.File("nowhere"));
    d.LocationBoxExit();
    listDir = d.FileList->Directory();
    return mrCancel;
  });
  EXPECT_EQ(listDir, dir.Path());
  bool alerted = false;
  for (auto& s : answer.Seen())
    alerted |= s.caption == "Invalid Location" &&
               s.text.find("is not a valid location! A location must") != std::string::npos;
  EXPECT_TRUE(alerted);
}

TEST_F(Selector, DownOnTheLastIconOfAColumnKeepsTheSelection) {
  std::string folder = dir.Path(), mask = "*.*", name;
  int index = -1;
  std::vector<int> seen;
  Run(folder, mask, name, index, [&](TIconSelectorDialog& d) {
    for (int i = 0; i < 12; ++i) {
      auto* img = static_cast<TZonImage*>(d.Adopt(std::make_unique<TZonImage>()));
      POINT p = IconGridPosition(i, 245);
      img->SetBounds(p.x, p.y, 32, 32);
      d.scrollbox1->AddChild(img);
      d.previews.push_back(img);
    }
    d.Panel7->SetVisible(true);
    d.SelectIcon(2);
    d.GridKey(VK_DOWN);
    seen.push_back(d.iconIndex);  // 7
    d.GridKey(VK_DOWN);
    seen.push_back(d.iconIndex);  // no icon 12: stays at 7
    d.GridKey(VK_RIGHT);
    seen.push_back(d.iconIndex);  // 8
    d.GridKey(VK_UP);
    seen.push_back(d.iconIndex);  // 3
    d.SelectIcon(11);
    d.GridKey(VK_RIGHT);
    seen.push_back(d.iconIndex);  // not past the last
    seen.push_back(d.Panel7->left);
    return mrCancel;
  });
  EXPECT_EQ(seen, (std::vector<int>{7, 7, 8, 3, 11, 50 - 5}));
}

// --- Import ---

class Import : public Editor {
 protected:
  Bitmap picture;
  void MakePicture(int w, int h) {
    picture.SetSize(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) picture.Set(x, y, kStandardPalette[(x / 3 + y / 5) % 16]);
  }
  TIconForm* RunImport(const std::string& file, const std::function<int(TBitMapForm&)>& inside) {
    answer.OnDialog([&](HWND h) {
      auto* d = FormOf<TBitMapForm>(h);
      if (!d) return 0;
      d->modalResult = inside(*d);
      return -1;
    });
    int before = main->DocumentCount();
    ImportClick(*main, file);
    return main->DocumentCount() > before ? main->ActiveDocument() : nullptr;
  }
};

TEST_F(Import, SmallPictureFillsTheTopLeftAndTheRestIsOpaqueWhite) {
  Start();
  MakePicture(16, 16);
  std::string file = dir.Write("small.bmp", BmpBytes(picture));
  TIconForm* doc = RunImport(file, [](TBitMapForm&) { return mrOk; });
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->caption, "Untitled");
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      COLORREF want = x < 16 && y < 16 ? picture.Get(x, y) : 0xFFFFFF;
      ASSERT_EQ(doc->Picture().Get(x, y), want) << x << "," << y;
      ASSERT_EQ(doc->Mask().Get(x, y), 0u) << x << "," << y;
    }
}

TEST_F(Import, ClickMovesTheFrameAndCancelMakesNothing) {
  Start();
  MakePicture(200, 100);
  std::string file = dir.Write("big.bmp", BmpBytes(picture));
  TIconForm* doc = RunImport(file, [](TBitMapForm& d) {
    d.Image1MouseUp(d.Image1, MouseButton::Left, 0, 100, 40);
    return mrOk;
  });
  ASSERT_NE(doc, nullptr);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(doc->Picture().Get(x, y), picture.Get(100 + x, 40 + y)) << x << "," << y;
  // Dragging the frame moves it pixel by pixel.
  int count = main->DocumentCount();
  POINT moved{};
  EXPECT_EQ(RunImport(file, [&](TBitMapForm& d) {
              d.PaintBox1MouseDown(d.PaintBox1, MouseButton::Left, 0, 10, 10);
              d.PaintBox1MouseMove(d.PaintBox1, 0, 13, 17);
              d.PaintBox1MouseUp(d.PaintBox1, MouseButton::Left, 0, 13, 17);
              d.PaintBox1MouseMove(d.PaintBox1, 0, 40, 40);  // no longer dragging
              moved = POINT{d.PaintBox1->left, d.PaintBox1->top};
              return mrCancel;
            }),
            nullptr);
  EXPECT_EQ(moved.x, 3);
  EXPECT_EQ(moved.y, 7);
  EXPECT_EQ(main->DocumentCount(), count);
}

TEST_F(Import, OtherColoursComeInDitheredToTheStandardSixteen) {
  Start();
  picture.SetSize(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) picture.Set(x, y, RGB(x * 8, 255 - y * 8, 90));
  std::string file = dir.Write("odd.bmp", BmpBytes(picture));
  TIconForm* doc = RunImport(file, [](TBitMapForm&) { return mrOk; });
  ASSERT_NE(doc, nullptr);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_TRUE(IsStandard(doc->Picture().Get(x, y))) << x << "," << y;
}

TEST_F(Import, UnreadablePictureShowsTheLibrarysMessagesAndTheDialogStillOpens) {
  Start();
  std::string file = dir.Write("broken.bmp", "BM not a picture");
  bool opened = false;
  RunImport(file, [&](TBitMapForm&) {
    opened = true;
    return mrCancel;
  });
  EXPECT_TRUE(opened);
  bool failedBox = false;
  for (auto& s : answer.Seen()) failedBox |= s.text == "Reading bmp file failed";
  EXPECT_TRUE(failedBox);
}

}  // namespace zwtest
