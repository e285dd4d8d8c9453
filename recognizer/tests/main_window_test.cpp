// The real main window created in the test process: controls, commands, tray, system menu and
// shutdown.
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include "kurvo_fixture.h"
#include "kurvo_ids.h"
#include "main_window.h"
#include "notices.h"
#include "pump.h"
#include "schemes.h"

using namespace kurvo;
using namespace kurvo::test;
using sw::test::WindowText;

class MainWindowTest : public KurvoTest {
 protected:
  void SetUp() override {
    KurvoTest::SetUp();
    WriteInstalledSettings();
    InstallLibraries();
    WriteScheme("default.kvo", "Default", "", "", 0, 1, {{0, "Copy", 1}, {1, "Paste", 2}});
    WriteScheme("notes0.kvo", "Notes", "1.0", "NotesClass", 0, 3, {{0, "Save", 4}});
    main_ = CreateMain();
  }
  std::string MenuText(UINT id) {
    char text[128] = {};
    GetMenuStringA(Kurvo().menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  bool Checked(UINT id) { return GetMenuState(Kurvo().menu, id, MF_BYCOMMAND) & MF_CHECKED; }
  void Command(UINT id) { SendMessageA(main_, WM_COMMAND, id, 0); }
  HWND main_ = nullptr;
};

TEST_F(MainWindowTest, CreatesTheHiddenCentredWindowWithItsControls) {
  KurvoState& k = Kurvo();
  ASSERT_NE(main_, nullptr);
  EXPECT_FALSE(IsWindowVisible(main_));
  RECT r;
  GetWindowRect(main_, &r);
  EXPECT_EQ(r.right - r.left, 420);
  EXPECT_EQ(r.bottom - r.top, 386);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 420) / 2);
  EXPECT_EQ(WindowText(main_), "Strokewise");
  EXPECT_EQ(GetMenu(main_), k.menu);
  EXPECT_EQ(MenuText(IDM_TOGGLE_ENABLE), "Disable Strokewise");

  char cls[64];
  struct { int id; const char* cls; int x, y; } children[] = {{700, "ComboBox", 1, 4}, {701, "ListBox", 3, 31}};
  for (auto& c : children) {
    HWND child = GetDlgItem(main_, c.id);
    ASSERT_NE(child, nullptr) << c.id;
    GetClassNameA(child, cls, sizeof cls);
    EXPECT_STREQ(cls, c.cls);
    RECT cr;
    GetWindowRect(child, &cr);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&cr), 2);
    EXPECT_EQ(cr.left, c.x) << c.id;
    EXPECT_EQ(cr.top, c.y) << c.id;
  }
  MINMAXINFO mm = {};
  SendMessageA(main_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
  EXPECT_EQ(mm.ptMinTrackSize.x, 420);
  EXPECT_EQ(mm.ptMaxTrackSize.y, 386);

  // The symbol list: 25 items in slot order with names and symbol ids.
  ASSERT_EQ(SendMessageA(k.symbolList, LB_GETCOUNT, 0, 0), 25);
  char text[64];
  SendMessageA(k.symbolList, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Paste");
  EXPECT_EQ(SendMessageA(k.symbolList, LB_GETITEMDATA, 1, 0), 2);
  SendMessageA(k.symbolList, LB_GETTEXT, 24, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "[NULL]");
  EXPECT_EQ(k.symbolCount, 8);
  EXPECT_GE(HookCalls(0), 1);
  EXPECT_EQ(SendMessageA(k.schemeBox, CB_GETCOUNT, 0, 0), 2);
}

TEST_F(MainWindowTest, MouseButtonItemsKeepOneCheckAndStoreAtShutdown) {
  Command(IDM_MOUSE_MIDDLE);
  EXPECT_TRUE(Checked(IDM_MOUSE_MIDDLE));
  EXPECT_FALSE(Checked(IDM_MOUSE_LEFTRIGHT));
  Command(IDM_MOUSE_LEFTRIGHT);
  EXPECT_FALSE(Checked(IDM_MOUSE_MIDDLE));
  EXPECT_TRUE(Checked(IDM_MOUSE_LEFTRIGHT));
  EXPECT_EQ(Kurvo().settings.mouseBtn, 1);
  ASSERT_EQ(answerer_.Count(), 2u);
  EXPECT_EQ(answerer_.Seen()[0].text.substr(0, 60), Str(IDS_MIDDLE_BUTTON_SET, 1023).substr(0, 60));
  EXPECT_EQ(answerer_.Seen()[1].text, Str(IDS_RIGHT_BUTTON_SET, 1023));
  EXPECT_EQ(Value("MouseBtn"), "1");  // stored only when the window is destroyed
  Command(IDM_MOUSE_MIDDLE);
  SendMessageA(main_, WM_ENDSESSION, TRUE, 0);  // or when the session ends
  EXPECT_EQ(Value("MouseBtn"), "0");
  Command(IDM_MOUSE_LEFTRIGHT);
  Command(IDM_MOUSE_MIDDLE);
  Command(IDM_SHUTDOWN);
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_EQ(Value("MouseBtn"), "0");
  EXPECT_EQ(Kurvo().language.module, nullptr);
  EXPECT_EQ(Kurvo().hook.module, nullptr);
}

TEST_F(MainWindowTest, DisableFromMenuEnableFromTray) {
  KurvoState& k = Kurvo();
  int disables = HookCalls(1), enables = HookCalls(0);
  Command(IDM_TOGGLE_ENABLE);
  EXPECT_EQ(answerer_.LastText(), Str(IDS_TRAY_HINT, 1023));
  EXPECT_FALSE(k.settings.recognitionEnabled);
  EXPECT_EQ(MenuText(IDM_TOGGLE_ENABLE), "Enable Strokewise");
  EXPECT_EQ(k.trayIcon, IDI_STATUS_DISABLED);
  EXPECT_EQ(k.trayTip, "Click here to enable Strokewise functions");
  EXPECT_EQ(HookCalls(1), disables + 1);

  // A left click on the icon shows the window and enables recognition.
  k.settings.showMainWinTray = 0;
  SendMessageA(main_, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(main_));
  EXPECT_TRUE(k.settings.recognitionEnabled);
  EXPECT_EQ(k.settings.showMainWinTray, 1);
  EXPECT_EQ(MenuText(IDM_TOGGLE_ENABLE), "Disable Strokewise");
  EXPECT_EQ(k.trayIcon, IDI_STATUS_READY);
  EXPECT_EQ(HookCalls(0), enables + 1);
  // While enabled a left click only shows; a right click toggles; another icon id is ignored.
  SendMessageA(main_, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_LBUTTONDOWN);
  EXPECT_TRUE(k.settings.recognitionEnabled);
  EXPECT_EQ(HookCalls(0), enables + 1);
  SendMessageA(main_, WM_TRAYNOTIFY, 2, WM_RBUTTONDOWN);
  EXPECT_TRUE(k.settings.recognitionEnabled);
  SendMessageA(main_, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
  EXPECT_FALSE(k.settings.recognitionEnabled);
  EXPECT_EQ(k.feedbackCountdown, -1);
}

TEST_F(MainWindowTest, FeedbackReturnsToReadyOnTheSeventhTick) {
  KurvoState& k = Kurvo();
  TargetWindow notes("NotesClass", "Notes - a");
  SendMessageA(main_, WM_SYMBOLDRAWN, 4, reinterpret_cast<LPARAM>(notes.Handle()));
  EXPECT_EQ(WindowText(k.statusLine), "Last event: symbol recognized");
  EXPECT_EQ(k.trayIcon, IDI_STATUS_RECOGNIZED);
  for (int tick = 1; tick <= 6; ++tick) {
    SendMessageA(main_, WM_TIMER, IDT_FEEDBACK, 0);
    EXPECT_EQ(WindowText(k.statusLine), "Last event: symbol recognized") << tick;
  }
  SendMessageA(main_, WM_TIMER, IDT_FEEDBACK, 0);
  EXPECT_EQ(WindowText(k.statusLine), "Ready");
  EXPECT_EQ(k.trayIcon, IDI_STATUS_READY);
  EXPECT_EQ(k.trayTip, "Left click=Display Symbols -  Right click=Disable Strokewise");
  EXPECT_EQ(k.feedbackCountdown, -1);
}

TEST_F(MainWindowTest, DoubleClickOnTheDefaultSchemeAsksFirst) {
  KurvoState& k = Kurvo();
  SendMessageA(k.schemeBox, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Default "));
  answerer_.Queue(IDNO);
  SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDC_SYMBOL_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(k.symbolList));
  ASSERT_GE(answerer_.Count(), 1u);
  EXPECT_EQ(answerer_.Seen()[0].text, Str(IDS_CHANGE_DEFAULT_SCHEME, 1023));

  // Another scheme: no question.
  answerer_.Clear();
  SendMessageA(k.schemeBox, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Notes"));
  SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDC_SCHEME_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(k.schemeBox));
  EXPECT_EQ(k.currentScheme, "notes0.kvo");
  EXPECT_EQ(k.shortcuts[0].name, "Save");
  for (const auto& seen : answerer_.Seen()) EXPECT_NE(seen.text, Str(IDS_CHANGE_DEFAULT_SCHEME, 1023));
}

TEST_F(MainWindowTest, CloseAsksAndNoKeepsTheProgram) {
  answerer_.Queue(IDNO);
  SendMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindow(main_));
  EXPECT_EQ(answerer_.LastText(), "Are you sure you want to exit? \nStrokewise functions will be disabled.");
  answerer_.Queue(IDYES);
  SendMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_EQ(sw::test::RegValueSize(HKEY_LOCAL_MACHINE, kTestKey, "HelpFile"), 512);
}

TEST_F(MainWindowTest, AlwaysOnTopItemOnlyWhileMinimized) {
  KurvoState& k = Kurvo();
  ShowWindow(main_, SW_SHOWNORMAL);
  ShowWindow(main_, SW_MINIMIZE);
  HMENU sys = GetSystemMenu(main_, FALSE);
  EXPECT_NE(GetMenuState(sys, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_TRUE(GetMenuState(sys, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SendMessageA(main_, WM_SYSCOMMAND, IDM_ALWAYS_ON_TOP, 0);
  EXPECT_EQ(k.settings.alwaysOnTop, 0);
  EXPECT_FALSE(GetMenuState(sys, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  ShowWindow(main_, SW_RESTORE);
  EXPECT_EQ(GetMenuState(GetSystemMenu(main_, FALSE), IDM_ALWAYS_ON_TOP, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_FALSE(GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  ShowWindow(main_, SW_HIDE);
}

TEST_F(MainWindowTest, MenuHintsDeleteSchemeAndQuickStart) {
  KurvoState& k = Kurvo();
  SendMessageA(main_, WM_MENUSELECT, MAKEWPARAM(IDM_LANGUAGES, MF_STRING), reinterpret_cast<LPARAM>(k.menu));
  EXPECT_EQ(WindowText(k.statusLine), "Sets different languages for Strokewise");
  SendMessageA(main_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(WindowText(k.statusLine), "Ready");

  Command(IDM_QUICKSTART);
  ASSERT_EQ(effects_.started.size(), 1u);
  EXPECT_EQ(effects_.started[0], SystemDir() + "KvoWiz.exe qcks_eng");

  LoadScheme("notes0.kvo");
  answerer_.Queue(IDYES);
  Command(IDM_DELETE_SCHEME);
  EXPECT_EQ(answerer_.LastText(), "Are you sure you want to delete\nthe \"Notes\" scheme ?");
  EXPECT_FALSE(sw::test::FileExists(SchemeDir() + "notes0.kvo"));
  EXPECT_EQ(k.currentScheme, "default.kvo");
  EXPECT_EQ(k.schemes.size(), 1u);
  EXPECT_EQ(WindowText(k.schemeBox), "Default ");
  EXPECT_EQ(k.shortcuts[1].name, "Paste");

  // Every dialog command opens and closes without harm to the window.
  for (UINT id : {IDM_SOUNDS, IDM_OPTIONS, IDM_LANGUAGES, IDM_APPHEADER, IDM_SHORTCUT, IDM_QUICKHELP, IDM_ABOUT}) {
    answerer_.Queue(IDCANCEL);
    Command(id);
    sw::test::PumpMessages(20);
  }
  EXPECT_TRUE(IsWindow(main_));
}

// Without a language library Kurvo still asks its exit question and labels its icon in its own
// words.
class NoLanguageTest : public KurvoTest {};

TEST_F(NoLanguageTest, OwnTextsForTheExitQuestionAndTheIcon) {
  WriteInstalledSettings();
  ASSERT_TRUE(CopyFileA(HookLibraryPath().c_str(), (SystemDir() + "kurvo.dll").c_str(), FALSE));
  WriteScheme("default.kvo", "Default", "", "", 0, 1);
  HWND h = CreateMain();
  EXPECT_EQ(answerer_.LastText(), kMissingLanguageText);
  EXPECT_EQ(Kurvo().trayTip, "Left click=Display Symbols -  Right click=Disable Strokewise");
  answerer_.Queue(IDNO);
  SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(answerer_.LastText(), "Are you sure you want to exit? \nStrokewise functions will be disabled.");
  EXPECT_TRUE(IsWindow(h));
}
