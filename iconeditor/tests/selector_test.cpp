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
    d.LocationBoxExit(nullptr);
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
    d.LocationBoxExit(nullptr);
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

// --- Keyboard and mouse on the open dialog ---

// Runs the selector and, once it is up, `script` from its own message loop; the dialog is
// cancelled afterwards unless the script closed it.
class SelectorInput : public Selector {
 protected:
  static inline std::function<void()> pending;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto step = std::move(pending);
    pending = nullptr;
    if (step) step();
  }
  bool Drive(std::string& folder, std::string& mask, std::string& name, int& index,
             const std::function<void(TIconSelectorDialog&)>& script) {
    answer.OnDialog([&](HWND h) {
      auto* d = FormOf<TIconSelectorDialog>(h);
      if (!d) return 0;
      pending = [d, &script] {
        script(*d);
        if (d->modalResult == mrNone) d->modalResult = mrCancel;
      };
      SetTimer(nullptr, 0, 20, Tick);
      return -1;
    });
    return ExecuteIconSelector("Select an Icon", folder, mask, index, false, name);
  }
  // Keys on the focused window, through the program's own message handling.
  static void Key(WORD vk) {
    MSG m{GetFocus(), WM_KEYDOWN, vk, 1, 0, {}};
    App().ProcessMessage(m);
    m.message = WM_KEYUP;
    m.lParam = static_cast<LPARAM>(0xC0000001u);
    App().ProcessMessage(m);
    App().ProcessMessages();
  }
  static void Alt(char c) {
    MSG m{GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(c), 1 << 29, 0, {}};
    App().ProcessMessage(m);
  }
  static void Type(char c) {
    MSG m{GetFocus(), WM_CHAR, static_cast<WPARAM>(c), 1, 0, {}};
    App().ProcessMessage(m);
  }
  static void Click(WinControl* w, int x, int y) {
    SendMessageA(w->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x - w->originX, y - w->originY));
    SendMessageA(w->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x - w->originX, y - w->originY));
  }
};

TEST_F(SelectorInput, KeyboardAloneNavigatesAppliesTheBoxesAndOpensAFile) {
  CreateDirectoryA(dir.File("sub").c_str(), nullptr);
  dir.Write("sub\\a.ico", "");
  dir.Write("sub\\b.bmp", "");
  dir.Write("x.txt", "");
  std::string folder = dir.Path(), mask = "*.*", name;
  int index = -1;
  std::vector<std::string> tabs;
  std::string startFocus, afterFilter, afterLocation, afterEnterOnFolder;
  int openAfterBoxes = -1;
  bool ok = Drive(folder, mask, name, index, [&](TIconSelectorDialog& d) {
    auto who = [&d](HWND f) -> std::string {
      for (WinControl* w : std::initializer_list<WinControl*>{d.LocationBox, d.FileList, d.BitBtn7, d.FName, d.FilterBox,
                                                              d.ShowDetail, d.SearchAll, d.OkButton, d.CancelButton,
                                                              d.HelpButton})
        if (f == w->hwnd) return w->name;
      return "?";
    };
    startFocus = who(GetFocus());
    for (int i = 0; i < 9; ++i) {
      Key(VK_TAB);
      tabs.push_back(who(GetFocus()));
    }
    // The labels' accelerators, and the mask applied on leaving File Type.
    Alt('t');
    SetWindowTextA(d.FilterBox->hwnd, "*.txt");
    Key(VK_TAB);
    afterFilter = d.FileList->FileMask() + " " + who(GetFocus());
    // A folder with a mask typed in Location, applied by Enter, which hands the keyboard to the list.
    Alt('f');
    startFocus += " " + who(GetFocus());
    Alt('l');
    SetWindowTextA(d.LocationBox->hwnd, (dir.File("sub") + "\\*.ICO").c_str());
    Key(VK_RETURN);
    afterLocation = d.FileList->Directory() + " " + d.FileList->FileMask() + " " + d.FilterBox->Text() + " " +
                    who(GetFocus());
    openAfterBoxes = d.modalResult;
    // Back up with Enter on "..", down again with Enter on the folder.
    d.FileList->SetFocus();
    d.FileList->SetItemIndex(d.FileList->IndexOf(kParentEntry, ".."));
    Key(VK_RETURN);
    d.FileList->SetFileMask("*.*");
    d.FileList->SetItemIndex(d.FileList->IndexOf(kDirEntry, "sub"));
    Key(VK_RETURN);
    afterEnterOnFolder = d.FileList->Directory();
    // A letter picks the file; Enter opens it.
    Type('a');
    Key(VK_RETURN);
  });
  EXPECT_EQ(startFocus, "FName FName");
  EXPECT_EQ(tabs, (std::vector<std::string>{"FilterBox", "ShowDetail", "SearchAll", "OkButton", "CancelButton",
                                            "HelpButton", "LocationBox", "FileList", "FName"}));
  EXPECT_EQ(afterFilter, "*.txt ShowDetail");
  EXPECT_EQ(afterLocation, dir.File("sub") + " *.ICO *.ICO FileList");
  EXPECT_EQ(openAfterBoxes, mrNone);
  EXPECT_EQ(afterEnterOnFolder, dir.File("sub"));
  ASSERT_TRUE(ok);
  EXPECT_EQ(name, dir.File("sub") + "\\a.ico");
}

TEST_F(SelectorInput, ClickedIconTakesTheArrowsAndAFileWithoutIconsClearsTheGrid) {
  char sys[MAX_PATH] = "";
  GetSystemDirectoryA(sys, MAX_PATH);
  ASSERT_TRUE(CopyFileA((std::string(sys) + "\\shell32.dll").c_str(), dir.File("lib.dll").c_str(), FALSE));
  dir.Write("none.exe", "not a program");
  std::string folder = dir.Path(), mask = "*.*", name;
  int index = -1;
  std::vector<int> seen;
  bool focusOnGrid = false, listKept = false, insideWidth = true, cleared = false, hidden = false;
  Drive(folder, mask, name, index, [&](TIconSelectorDialog& d) {
    // A viewer as wide as makes the old wrapping cut the last column.
    d.SetOrientation(true, d.MainPanel->width - 4 - 261);
    d.FileList->SetFocus();
    int lib = d.FileList->IndexOf(kFileEntry, "lib.dll");
    d.FileList->SetItemIndex(lib);
    d.FileListChange(nullptr);
    ASSERT_GT(d.previews.size(), 12u);
    RECT client;
    GetClientRect(d.scrollbox1->hwnd, &client);
    for (TZonImage* p : d.previews) insideWidth &= p->left + 32 + 6 <= client.right;
    TZonImage* second = d.previews[1];
    Click(d.scrollbox1, second->left + 16, second->top + 16);
    focusOnGrid = GetFocus() == d.BitBtn7->hwnd;
    seen.push_back(d.iconIndex);
    Key(VK_RIGHT);
    seen.push_back(d.iconIndex);
    Key(VK_DOWN);
    seen.push_back(d.iconIndex);
    listKept = d.FileList->ItemIndex() == lib;
    // A file without icons: the pictures go, the highlight hides, the old area is repainted.
    UpdateWindow(d.scrollbox1->hwnd);
    d.FileList->SetItemIndex(d.FileList->IndexOf(kFileEntry, "none.exe"));
    d.FileListChange(nullptr);
    RECT dirty{};
    GetUpdateRect(d.scrollbox1->hwnd, &dirty, FALSE);
    cleared = d.previews.empty() && dirty.right >= client.right - 1 && dirty.bottom >= client.bottom - 1;
    hidden = !d.Panel7->visible;
  });
  EXPECT_TRUE(insideWidth);
  EXPECT_TRUE(focusOnGrid);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], 1);
  EXPECT_EQ(seen[1], 2);
  EXPECT_GT(seen[2], 2);
  EXPECT_TRUE(listKept);
  EXPECT_TRUE(cleared);
  EXPECT_TRUE(hidden);
}

TEST_F(SelectorInput, HeaderDividerSizesTheListAndTheFocusRectangleLeavesWithTheFocus) {
  std::string folder = dir.Path(), mask = "*.*", name;
  int index = -1;
  int widthAfterDrag = 0, reopened = 0;
  COLORREF left = 0, clean = 1;
  Drive(folder, mask, name, index, [&](TIconSelectorDialog& d) {
    // The first row after the list had the focus and lost it, against the row drawn afresh.
    HWND list = d.FileList->hwnd;
    d.FileList->SetFocus();
    d.FName->SetFocus();
    UpdateWindow(list);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    HDC dc = GetDC(list);
    left = GetPixel(dc, item.left + 1, item.bottom - 1);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    clean = GetPixel(dc, item.left + 1, item.bottom - 1);
    ReleaseDC(list, dc);
    // The divider after "Name" dragged 40 pixels to the right.
    d.ShowDetail->SetChecked(true);
    d.ShowDetailClick(nullptr);
    int x = d.FileList->ColumnWidth(0);
    SendMessageA(d.Header->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageA(d.Header->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 40, 5));
    SendMessageA(d.Header->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x + 40, 5));
    widthAfterDrag = d.FileList->ColumnWidth(0);
  });
  Drive(folder, mask, name, index, [&](TIconSelectorDialog& d) { reopened = d.FileList->ColumnWidth(0); });
  EXPECT_EQ(left, clean);
  EXPECT_EQ(widthAfterDrag, 150 + 40);
  EXPECT_EQ(reopened, 150 + 40);
}

TEST_F(SelectorInput, FolderAndFileNamesPastThePathLimitGiveOneMessageAndOpenNothing) {
  // dir\A...\B... fits; the folder C below it and the file beside it do not.
  std::string a = dir.File(std::string(90, 'a')), b = a + "\\" + std::string(90, 'b');
  std::string c = b + "\\" + std::string(90, 'c'), f = b + "\\" + std::string(90, 'f') + ".ico";
  ASSERT_LT(b.size() + 1, static_cast<size_t>(MAX_PATH));
  ASSERT_TRUE(CreateDirectoryA(a.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(b.c_str(), nullptr));
  // Paths this long only through the wide functions.
  auto wide = [](const std::string& s) { return L"\\\\?\\" + std::wstring(s.begin(), s.end()); };
  ASSERT_TRUE(CreateDirectoryW(wide(c).c_str(), nullptr));
  HANDLE h = CreateFileW(wide(f).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  std::string folder = b, mask = "*.*", name;
  int index = -1;
  std::string location;
  int result = -1;
  answer.Clear();
  bool ok = Drive(folder, mask, name, index, [&](TIconSelectorDialog& d) {
    d.FileList->SetFocus();
    d.FileList->SetItemIndex(d.FileList->IndexOf(kDirEntry, std::string(90, 'c')));
    Key(VK_RETURN);
    location = d.LocationBox->Text();
    d.FileList->SetItemIndex(d.FileList->IndexOf(kFileEntry, std::string(90, 'f') + ".ico"));
    d.FileListChange(nullptr);
    d.OkButton->Click();
    result = d.modalResult;
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(location, b);
  EXPECT_EQ(result, mrNone);
  std::vector<std::string> texts;
  for (auto& s : answer.Seen())
    if (s.caption == "Path Too Long") texts.push_back(s.text.substr(0, s.text.find('\r')));
  EXPECT_EQ(texts, (std::vector<std::string>{c + "\\", f}));
  RemoveDirectoryW(wide(c).c_str());
  DeleteFileW(wide(f).c_str());
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
  Bitmap shown;
  TIconForm* doc = RunImport(file, [&](TBitMapForm& d) {
    shown = d.Image1->PictureBitmap();
    return mrOk;
  });
  ASSERT_NE(doc, nullptr);
  // The dialog shows the dithered picture the document receives.
  ASSERT_EQ(shown.Width(), 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      ASSERT_TRUE(IsStandard(doc->Picture().Get(x, y))) << x << "," << y;
      ASSERT_EQ(shown.Get(x, y), doc->Picture().Get(x, y)) << x << "," << y;
    }
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
