// Every resource Kurvo relies on, read back from the built kvo_eng.dll: strings 1 to 96 with
// their exact texts, the menu, each dialog's controls (id, kind, text, rectangle) and the
// dialogs created for real, the logo, the icon and the version block.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>
#include <string>

#include "dialog_answerer.h"
#include "dialog_template.h"
#include "kvo_ids.h"

namespace {

class KvoEngResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { module_ = LoadLibraryA("kvo_eng.dll"); }
  static void TearDownTestSuite() { FreeLibrary(module_); }
  void SetUp() override { ASSERT_NE(nullptr, module_); }
  static HMODULE module_;
};
HMODULE KvoEngResources::module_ = nullptr;

std::string LoadText(HMODULE m, UINT id) {
  char buf[1024] = "";
  int n = LoadStringA(m, id, buf, sizeof buf);
  return n > 0 ? std::string(buf, n) : std::string("<missing>");
}

const std::map<int, std::string>& ExpectedStrings() {
  static const std::map<int, std::string> strings = {
      {1, "Accounting"}, {2, "Communication tool"}, {3, "Database"}, {4, "Desktop Publishing"},
      {5, "Development system"}, {6, "Education"}, {7, "Electronic Document Managing"},
      {8, "Entertainmment"}, {9, "File manager"}, {10, "Graphics"}, {11, "Image processing"},
      {12, "Integrated package"}, {13, "Internet tool"}, {14, "Mapping"}, {15, "Multimedia tool"},
      {16, "Music processing"}, {17, "Network tool"}, {18, "Personal management"},
      {19, "Presentation graphics"}, {20, "Professional CAD"}, {21, "Project management"},
      {22, "Scientifics"}, {23, "Spreadsheet"}, {24, "Suite"}, {25, "System utility"},
      {26, "Translation utility"}, {27, "Word Processor"}, {28, "(Others)"}, {29, "NULL"},
      {30, "English"}, {31, "German"}, {32, "French"}, {33, "Spanish"}, {34, "Italian"},
      {35, "Dutch"}, {36, "Danish"}, {37, "Swedish"}, {38, "Norwegian"}, {39, "Finnish"},
      {40, "Last event: symbol not recognized"}, {41, "Ready"}, {42, "%s scheme file saved."},
      {43, "To create a new application : \n - Draw any symbol on it.\n - Go back to this dialog box.\n - Click New again and fill out the fields."},
      {44, "Are you sure you want to delete\nthe \"%s\" scheme ?"},
      {45, "Strokewise is now configured to run with the RIGHT mouse button.\nChanges will take effect when you restart Strokewise."},
      {46, "Strokewise is now configured to run with the MIDDLE mouse button.\nWarning : you must have a 3-button mouse driver.\nIf it doesn't work, please check out your mouse driver, or choose the right button.\nChanges will take effect when you restart Strokewise."},
      {47, "Are you sure you want to exit? \nStrokewise functions will be disabled."},
      {48, "Default"}, {49, "Left click=Display Symbols -  Right click=Disable Strokewise"},
      {50, "Last event: symbol recognized"},
      {51, "Last event: symbol recognized, but not in the app scheme"},
      {52, "Enable Strokewise"}, {53, "Disable Strokewise"},
      {54, "Click here to enable Strokewise functions"},
      {55, "Do you want to reset the current shortcut?"}, {56, "[NULL]"}, {57, "&Right"},
      {58, "&Left"}, {59, "NULL"}, {60, "[Display Symbol Window]"}, {61, "[Minimize active window]"},
      {62, "[Maximize active window]"}, {63, "[Restore active window]"}, {64, "[Quick exit Windows]"},
      {65, "[Quick restart the computer]"}, {66, "[Quick log off]"}, {67, "NULL"}, {68, "NULL"},
      {69, "NULL"}, {70, "Always on top"},
      {71, "You are about to change the Default scheme.\nYou should create a new scheme instead.\nDo you want to create a new scheme now?"},
      {72, "The \"%s\" scheme already exists. Click OK if you wish to create\na new scheme for this application with a different language,\nor if you want to create a new scheme keeping these symbols.\nOtherwise, click Cancel."},
      {73, "Strokewise is currently working in %s.\nDo you really want it to run in %s?"},
      {74, "Strokewise is about to shut down.\nChanges will take effect when you restart it."},
      {75, "Changes the application header, or creates a new one"},
      {76, "Configures the selected shortcut: name, shape, action, etc."},
      {77, "Removes the current scheme from disk"},
      {78, "Sets Strokewise access to right (or left if swapped) mouse button"},
      {79, "Sets Strokewise access to middle mouse button"},
      {80, "Set sounds to play when different events occur"},
      {81, "Sets different languages for Strokewise"}, {82, "Changes options"},
      {83, "Enables or disables Strokewise recognition system"},
      {84, "Launches the Quick Start application"}, {85, "Displays the Strokewise help"},
      {86, "Displays the program information and copyright"}, {87, "Please enter a version number."},
      {88, "Right-click option"},
      {89, "When clicking with the right button, each application has its own behavior.\nTo keep the context menu feature while allowing Strokewise recognition system,\nplease change the level until it works fine for both systems, starting from zero."},
      {93, "Drag&drop: %d files has been successfully installed.\nChanges will take effect when you restart Strokewise."},
      {96, "You can also enable and disable Strokewise\njust right-clicking its icon in the task bar, near the clock."},
  };
  return strings;
}

}  // namespace

TEST_F(KvoEngResources, StringsHaveTheirExactTextsAndNoOthersExist) {
  for (const auto& [id, text] : ExpectedStrings()) {
    EXPECT_EQ(text, LoadText(module_, id)) << "string " << id;
  }
  for (int id : {0, 90, 91, 92, 94, 95, 97, 100}) {
    EXPECT_EQ("<missing>", LoadText(module_, id)) << "string " << id;
  }
}

namespace {

struct MenuEntry {
  int id;  // -1 separator, 0 popup
  const char* text;
};

std::vector<MenuEntry> MenuEntries(HMENU menu) {
  std::vector<MenuEntry> out;
  static std::set<std::string> texts;  // keeps the c_str() alive for the test's lifetime
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char buf[128] = "";
    GetMenuStringA(menu, i, buf, sizeof buf, MF_BYPOSITION);
    const std::string& kept = *texts.insert(buf).first;
    UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    int id = (state & MF_POPUP) ? 0 : (state & MF_SEPARATOR) ? -1 : static_cast<int>(GetMenuItemID(menu, i));
    out.push_back({id, kept.c_str()});
  }
  return out;
}

std::string Describe(const std::vector<MenuEntry>& entries) {
  std::string s;
  for (const MenuEntry& e : entries) s += std::to_string(e.id) + ":" + e.text + "|";
  return s;
}

}  // namespace

TEST_F(KvoEngResources, MainMenuHasEveryCommandUnderItsPopup) {
  HMENU menu = LoadMenuA(module_, KVO_MAINMENU);
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ("0:&Options|0:&Help|", Describe(MenuEntries(menu)));
  HMENU options = GetSubMenu(menu, 0);
  EXPECT_EQ(
      "115:&Application Header...|113:Selected &Shortcut...|40001:&Delete Current Scheme|-1:|"
      "0:&Mouse Button|40008:Soun&ds...|40007:&Languages...|122:&Others...|-1:|"
      "40005:Disable Strokewise|",
      Describe(MenuEntries(options)));
  EXPECT_EQ("102:Left / Right|101:&Middle|", Describe(MenuEntries(GetSubMenu(options, 4))));
  EXPECT_EQ("120:Quick &Start...|119:Quick &Help...|-1:|100:&About Strokewise...|",
            Describe(MenuEntries(GetSubMenu(menu, 1))));
  DestroyMenu(menu);
}

namespace {

enum Kind { DefPush, Push, Group, Check, Radio, LText, RText, CText, Edit, DropList, DropDown, List, Icon, Bitmap };

struct Control {
  int dialog;
  int id;
  Kind kind;
  const char* text;
  int x, y, cx, cy;
  DWORD mustHave;  // style bits the control must carry
};

const Control kControls[] = {
    {108, -1, Icon, "#116", 7, 8, 21, 20, 0},
    {108, -1, Bitmap, "#156", 36, 7, 139, 23, 0},
    {108, 1001, LText, nullptr, 7, 34, 172, 42, SS_LEFTNOWORDWRAP},
    {108, 1038, LText, "OS Version", 7, 118, 172, 10, 0},
    {108, 1017, LText, "Visit the Strokewise Web site! Check out the latest updates, hot news, adaptations and tips at: ", 7, 128, 198, 17, 0},
    {108, 1014, Edit, "", 12, 146, 194, 12, ES_READONLY},
    {108, 1, DefPush, "OK", 162, 165, 50, 14, 0},

    {110, 1, DefPush, "OK", 186, 10, 50, 14, 0},
    {110, 1033, Group, "Schemes languages", 7, 7, 167, 54, 0},
    {110, 1000, RText, "Prefered:", 12, 25, 35, 8, 0},
    {110, 1062, DropList, "", 50, 22, 116, 55, 0},
    {110, 1017, LText, "Default:", 22, 40, 25, 8, 0},
    {110, 1063, DropList, "", 50, 38, 116, 55, 0},
    {110, 1034, Group, "Internal Strokewise languages available", 7, 68, 167, 40, 0},
    {110, 1001, RText, "Strokewise:", 9, 86, 38, 8, 0},
    {110, 1064, DropList, "", 50, 84, 116, 55, 0},
    {110, 1059, Push, "Help", 186, 44, 50, 14, 0},
    {110, 2, Push, "Cancel", 186, 27, 50, 14, 0},

    {113, 1, DefPush, "OK", 195, 11, 50, 14, 0},
    {113, 1033, Group, "", 7, 7, 181, 74, 0},
    {113, 1067, Check, "Symbol Recognized", 12, 7, 79, 10, 0},
    {113, 1024, Radio, "One per shortcut", 14, 20, 127, 10, 0},
    {113, 1025, Radio, "One for all shortcuts:", 14, 33, 128, 10, 0},
    {113, 1077, DropDown, "", 25, 45, 140, 80, CBS_SORT},
    {113, 1022, Push, "...", 167, 45, 14, 14, 0},
    {113, 1021, Push, "Play", 26, 60, 36, 14, 0},
    {113, 1034, Group, "", 7, 85, 182, 52, 0},
    {113, 1068, Check, "Symbol Not Recognized", 12, 85, 92, 10, 0},
    {113, 1076, DropDown, "", 25, 102, 140, 80, CBS_SORT},
    {113, 1026, Push, "...", 167, 102, 14, 14, 0},
    {113, 1023, Push, "Play", 26, 117, 36, 14, 0},
    {113, 1059, Push, "Help", 195, 47, 50, 14, 0},
    {113, 2, Push, "Cancel", 195, 29, 50, 14, 0},

    {114, 1026, Group, "Symbol", 7, 7, 105, 145, 0},
    {114, 1033, LText, "Name:", 12, 25, 91, 8, 0},
    {114, 1031, Edit, "", 11, 33, 97, 12, 0},
    {114, 1000, LText, "Shape:", 12, 54, 92, 8, 0},
    {114, 1030, List, "", 11, 63, 97, 36, LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN | LBS_NOTIFY},
    {114, 1001, LText, "Sound:", 12, 108, 87, 8, 0},
    {114, 1077, DropDown, "", 11, 118, 97, 80, CBS_SORT},
    {114, 1021, Push, "Play", 12, 133, 36, 14, 0},
    {114, 1022, Push, "...", 94, 133, 14, 14, 0},
    {114, 1017, Group, "Action", 116, 7, 234, 145, 0},
    {114, 1025, Radio, "Hotkey:", 120, 22, 223, 10, 0},
    {114, 1016, DropDown, "", 132, 33, 49, 75, CBS_UPPERCASE},
    {114, 1028, CText, "+", 179, 35, 8, 8, 0},
    {114, 1018, DropDown, "", 186, 33, 49, 71, CBS_UPPERCASE},
    {114, 1034, CText, "+", 234, 35, 8, 8, 0},
    {114, 1019, DropDown, "", 242, 33, 49, 78, CBS_UPPERCASE},
    {114, 1039, CText, "+", 290, 35, 8, 8, 0},
    {114, 1020, DropDown, "", 298, 33, 49, 78, CBS_UPPERCASE},
    {114, 1024, Radio, "Menu sequence / Windows message:", 120, 51, 219, 10, 0},
    {114, 1032, DropDown, "", 132, 62, 215, 57, 0},
    {114, 1029, Radio, "Keystroke:", 120, 79, 221, 10, 0},
    {114, 1036, Edit, "", 132, 89, 215, 30, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL},
    {114, 1027, Radio, "Command line:", 120, 123, 206, 9, 0},
    {114, 1010, Edit, "", 132, 133, 196, 12, 0},
    {114, 1023, Push, "...", 331, 134, 14, 14, 0},
    {114, 1059, Push, "Help", 193, 157, 50, 14, 0},
    {114, 2, Push, "Cancel", 246, 157, 50, 14, 0},
    {114, 1, DefPush, "OK", 300, 157, 50, 14, 0},

    {148, 1041, Push, "New", 7, 7, 42, 14, 0},
    {148, 1033, RText, "Name:", 20, 29, 26, 8, 0},
    {148, 1039, Edit, "", 49, 27, 131, 12, 0},
    {148, 1000, RText, "Version:", 10, 43, 36, 8, 0},
    {148, 1005, Edit, "", 49, 41, 131, 12, 0},
    {148, 1017, RText, "Type:", 21, 58, 25, 8, 0},
    {148, 1003, DropList, "", 49, 56, 131, 65, 0},
    {148, 1018, RText, "Language:", 10, 74, 36, 8, 0},
    {148, 1004, DropList, "", 49, 72, 131, 65, 0},
    {148, 1019, RText, "Comments:", 10, 89, 36, 8, 0},
    {148, 1036, Edit, "", 49, 88, 132, 12, 0},
    {148, -1, Group, "Advanced", 7, 107, 174, 30, 0},
    {148, 1001, RText, "Level:", 24, 121, 22, 8, 0},
    {148, 1006, Edit, "", 49, 119, 38, 12, 0},
    {148, 4, Push, "Explain now...", 114, 118, 60, 14, 0},
    {148, 1, DefPush, "OK", 191, 10, 50, 14, 0},
    {148, 2, Push, "Cancel", 191, 27, 50, 14, 0},
    {148, 1059, Push, "Help", 191, 45, 50, 14, 0},

    {196, 1033, LText, "Sections:", 7, 15, 80, 8, 0},
    {196, 1030, List, "", 7, 24, 91, 103, LBS_NOTIFY},
    {196, 1000, LText, "", 103, 7, 177, 17, 0},
    {196, 1014, Edit, "", 103, 24, 177, 103, ES_MULTILINE | ES_READONLY | WS_VSCROLL},
    {196, 2, DefPush, "OK", 230, 136, 50, 14, 0},

    {200, 1, DefPush, "OK", 146, 11, 50, 14, 0},
    {200, 1000, Group, "Symbols window", 7, 7, 133, 121, 0},
    {200, 1040, LText, "Auto-hide:", 15, 20, 35, 8, 0},
    {200, 1042, Radio, "Minimize window", 23, 31, 112, 10, WS_GROUP},
    {200, 1043, Radio, "Hide really", 23, 43, 112, 10, 0},
    {200, 1026, Radio, "Don't hide", 23, 56, 112, 10, 0},
    {200, 1041, LText, "At Start-up:", 14, 73, 35, 8, 0},
    {200, 1044, Radio, "Minimize window", 22, 83, 112, 10, WS_GROUP},
    {200, 1045, Radio, "Hide really", 22, 96, 112, 10, 0},
    {200, 1027, Radio, "Don't hide", 22, 108, 112, 10, 0},
    {200, 1059, Push, "Help", 146, 46, 50, 14, 0},
    {200, 2, Push, "Cancel", 146, 28, 50, 14, 0},
};

struct DialogHeader {
  int id;
  const char* caption;
  int cx, cy;
};

const DialogHeader kDialogs[] = {
    {108, "About Strokewise", 219, 186}, {110, "Languages", 243, 114},
    {113, "Sounds", 252, 143}, {114, "Configure Selected Shortcut", 357, 178},
    {148, "Configure Application Header", 248, 145}, {196, "Help", 287, 157},
    {200, "Options", 203, 135},
};

bool KindMatches(Kind kind, const TemplateItem& item) {
  const DWORD type = item.style & 0x1F;
  const std::string& c = item.windowClass;
  switch (kind) {
    case DefPush: return c == "Button" && (item.style & 0xF) == BS_DEFPUSHBUTTON;
    case Push: return c == "Button" && (item.style & 0xF) == BS_PUSHBUTTON;
    case Group: return c == "Button" && (item.style & 0xF) == BS_GROUPBOX;
    case Check: return c == "Button" && ((item.style & 0xF) == BS_AUTOCHECKBOX || (item.style & 0xF) == BS_CHECKBOX);
    case Radio: return c == "Button" && ((item.style & 0xF) == BS_AUTORADIOBUTTON || (item.style & 0xF) == BS_RADIOBUTTON);
    case LText: return c == "Static" && (type == SS_LEFT || type == SS_LEFTNOWORDWRAP);
    case RText: return c == "Static" && type == SS_RIGHT;
    case CText: return c == "Static" && type == SS_CENTER;
    case Edit: return c == "Edit";
    case DropList: return c == "ComboBox" && (item.style & 3) == CBS_DROPDOWNLIST;
    case DropDown: return c == "ComboBox" && (item.style & 3) == CBS_DROPDOWN;
    case List: return c == "ListBox" && !(item.style & LBS_SORT);
    case Icon: return c == "Static" && type == SS_ICON;
    case Bitmap: return c == "Static" && type == SS_BITMAP;
  }
  return false;
}

INT_PTR CALLBACK IdleDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

}  // namespace

TEST_F(KvoEngResources, DialogTemplatesHaveEveryControlAsListed) {
  for (const DialogHeader& d : kDialogs) {
    SCOPED_TRACE("dialog " + std::to_string(d.id));
    DialogTemplate t = ReadDialogTemplate(module_, d.id);
    ASSERT_TRUE(t.found);
    EXPECT_EQ(d.caption, t.caption);
    EXPECT_EQ(d.cx, t.cx);
    EXPECT_EQ(d.cy, t.cy);
    EXPECT_EQ("MS Sans Serif", t.face);
    EXPECT_EQ(8, t.pointSize);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(frame, t.style & frame);

    std::vector<const Control*> expected;
    for (const Control& c : kControls) {
      if (c.dialog == d.id) expected.push_back(&c);
    }
    ASSERT_EQ(expected.size(), t.items.size());
    for (size_t i = 0; i < expected.size(); ++i) {  // also in the listed tab order
      const Control& want = *expected[i];
      const TemplateItem& got = t.items[i];
      SCOPED_TRACE("control " + std::to_string(want.id) + " at " + std::to_string(i));
      EXPECT_EQ(want.id, got.id);
      EXPECT_TRUE(KindMatches(want.kind, got)) << got.windowClass << " style " << std::hex << got.style;
      if (want.text) {
        EXPECT_EQ(want.text, got.text);
      }
      EXPECT_EQ(want.x, got.x);
      EXPECT_EQ(want.y, got.y);
      EXPECT_EQ(want.cx, got.cx);
      EXPECT_EQ(want.cy, got.cy);
      EXPECT_EQ(want.mustHave, got.style & want.mustHave);
    }
  }
}

TEST_F(KvoEngResources, DialogsCreateWithEveryListedControl) {
  for (const DialogHeader& d : kDialogs) {
    SCOPED_TRACE("dialog " + std::to_string(d.id));
    HWND dlg = CreateDialogParamA(module_, MAKEINTRESOURCEA(d.id), nullptr, IdleDialogProc, 0);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(d.caption, sw::test::WindowText(dlg));
    for (const Control& c : kControls) {
      if (c.dialog == d.id && c.id > 0) {
        EXPECT_NE(nullptr, GetDlgItem(dlg, c.id)) << c.id;
      }
    }
    DestroyWindow(dlg);
  }
}

TEST_F(KvoEngResources, AboutTextStartsWithTheReleaseLines) {
  DialogTemplate t = ReadDialogTemplate(module_, IDD_ABOUT);
  ASSERT_GE(t.items.size(), 3u);
  EXPECT_EQ(0u, t.items[2].text.find("Strokewise 32-bit Release 1.2\nReal-time symbol recognition utility for Windows 95"));
}

TEST_F(KvoEngResources, LogoIconAndVersionBlock) {
  HBITMAP logo = LoadBitmapA(module_, MAKEINTRESOURCEA(IDB_LOGO));
  ASSERT_NE(nullptr, logo);
  BITMAP bm{};
  GetObjectA(logo, sizeof bm, &bm);
  EXPECT_GT(bm.bmWidth, 100);
  DeleteObject(logo);

  for (int size : {32, 16}) {
    HICON icon = static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(IDI_ABOUT), IMAGE_ICON, size, size, 0));
    ASSERT_NE(nullptr, icon) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP ib{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof ib, &ib);
    EXPECT_EQ(size, ib.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }

  HRSRC res = FindResourceA(module_, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_VERSION));
  ASSERT_NE(nullptr, res);
  std::string block(static_cast<const char*>(LockResource(LoadResource(module_, res))),
                    SizeofResource(module_, res));
  std::vector<char> copy(block.begin(), block.end());
  char* value = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueA(copy.data(), "\\StringFileInfo\\040C04E4\\FileDescription",
                             reinterpret_cast<void**>(&value), &len));
  EXPECT_STREQ("English language extension for Strokewise", value);
  ASSERT_TRUE(VerQueryValueA(copy.data(), "\\StringFileInfo\\040C04E4\\OriginalFilename",
                             reinterpret_cast<void**>(&value), &len));
  EXPECT_STREQ("kvo_eng.dll", value);
}

TEST_F(KvoEngResources, EveryResourceCarriesTheLanguageTag) {
  const WORD french = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
  EXPECT_NE(nullptr, FindResourceExA(module_, reinterpret_cast<LPCSTR>(RT_DIALOG), MAKEINTRESOURCEA(114), french));
  EXPECT_NE(nullptr, FindResourceExA(module_, reinterpret_cast<LPCSTR>(RT_MENU), "MAINMENU", french));
  EXPECT_NE(nullptr, FindResourceExA(module_, reinterpret_cast<LPCSTR>(RT_STRING), MAKEINTRESOURCEA(41 / 16 + 1), french));
  EXPECT_NE(nullptr, FindResourceExA(module_, reinterpret_cast<LPCSTR>(RT_BITMAP), MAKEINTRESOURCEA(156), french));
  EXPECT_NE(nullptr, FindResourceExA(module_, reinterpret_cast<LPCSTR>(RT_GROUP_ICON), MAKEINTRESOURCEA(116), french));
  EXPECT_NE(nullptr, FindResourceExA(module_, reinterpret_cast<LPCSTR>(RT_VERSION), MAKEINTRESOURCEA(1), french));
  EXPECT_EQ(nullptr, FindResourceExA(module_, reinterpret_cast<LPCSTR>(RT_DIALOG), MAKEINTRESOURCEA(114),
                                     MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)));
}
