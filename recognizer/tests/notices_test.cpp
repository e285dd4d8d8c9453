// The hook library's notices on the real main window with real target windows and scheme files,
// and the actions they perform: keys typed through the language library, recorded system
// commands and started command lines.
#include <gtest/gtest.h>

#include "actions.h"
#include "key_recorder.h"
#include "kurvo_fixture.h"
#include "kurvo_ids.h"
#include "main_window.h"
#include "notices.h"
#include "pump.h"

using namespace kurvo;
using namespace kurvo::test;
using sw::test::Describe;
using sw::test::Down;
using sw::test::KeyEvent;
using sw::test::Tap;
using sw::test::Up;
using sw::test::WindowText;

namespace {
std::vector<KeyEvent> Join(std::initializer_list<std::vector<KeyEvent>> parts) {
  std::vector<KeyEvent> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}
}  // namespace

class NoticesTest : public KurvoTest {
 protected:
  void SetUp() override {
    KurvoTest::SetUp();
    WriteInstalledSettings();
    InstallLibraries();
    WriteScheme("default.kvo", "Default", "", "", 0, 1, {{0, "Undo", 1, kActionHotkey, "CTRL", "z"}});
    WriteScheme("editor0.kvo", "Editor", "2.0", "EditorClass", 0, 5,
                {{0, "First", 3, kActionKeystrokes, "x"},
                 {1, "Min", 2, kActionMenu, "[Minimize active window]"},
                 {2, "Second", 3, kActionKeystrokes, "y"},
                 {3, "Logoff", 5, kActionMenu, "[Quick log off]"},
                 {4, "Menu", 6, kActionMenu, "[quick log off]"},
                 {5, "Save", 7, kActionHotkey, "ctrl", "SHIFT", "s", "", "C:\\no\\such.wav"}});
    main_ = CreateMain();
  }
  LRESULT Draw(HWND target, int symbol) {
    SendMessageA(main_, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(target));
    return SendMessageA(main_, WM_SYMBOLDRAWN, symbol, reinterpret_cast<LPARAM>(target));
  }
  HWND main_ = nullptr;
};

TEST_F(NoticesTest, DrawBeginAnswersTheLevelOfTheWindowsScheme) {
  KurvoState& k = Kurvo();
  TargetWindow editor("EditorClass", "Editor - notes.txt");
  TargetWindow other("OtherClass", "Other");
  EXPECT_EQ(SendMessageA(main_, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(editor.Handle())), 5);
  EXPECT_EQ(k.currentScheme, "editor0.kvo");
  EXPECT_EQ(WindowText(k.schemeBox), "Editor 2.0");
  EXPECT_EQ(k.focused.titlePrefix, "Editor ");
  EXPECT_EQ(k.focused.applicationClass, "EditorClass");
  EXPECT_EQ(k.loadedScheme, "Strokewise");  // the slots are not loaded by a draw-begin
  EXPECT_EQ(SendMessageA(main_, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(other.Handle())), 1);
  EXPECT_EQ(k.currentScheme, "default.kvo");
  EXPECT_EQ(k.header.windowClass, "");
  // Over Kurvo's own window, and during start-up, the notices are ignored.
  EXPECT_EQ(SendMessageA(main_, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(main_)), 1);
  EXPECT_EQ(SendMessageA(main_, WM_SYMBOLDRAWN, 3, reinterpret_cast<LPARAM>(main_)), 1);
  EXPECT_EQ(k.currentScheme, "default.kvo");
  k.startupPhase = true;
  EXPECT_EQ(SendMessageA(main_, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(editor.Handle())), 1);
  k.startupPhase = false;
}

TEST_F(NoticesTest, AutoHideMinimizesHidesOrLeavesTheWindow) {
  KurvoState& k = Kurvo();
  TargetWindow editor("EditorClass", "Editor");
  k.settings.autoHide = 0;
  ShowWindow(main_, SW_SHOWNORMAL);
  SendMessageA(main_, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(editor.Handle()));
  EXPECT_TRUE(IsIconic(main_));
  ShowWindow(main_, SW_RESTORE);
  k.settings.autoHide = 1;
  SendMessageA(main_, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(editor.Handle()));
  EXPECT_FALSE(IsWindowVisible(main_));
  ShowWindow(main_, SW_SHOWNORMAL);
  k.settings.autoHide = 2;
  SendMessageA(main_, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(editor.Handle()));
  EXPECT_TRUE(IsWindowVisible(main_));
  EXPECT_FALSE(IsIconic(main_));
  ShowWindow(main_, SW_HIDE);
}

TEST_F(NoticesTest, RecognizedSymbolPerformsTheFirstSlotHoldingIt) {
  KurvoState& k = Kurvo();
  sw::test::KeyRecorder keys;
  ASSERT_TRUE(keys.Active());
  TargetWindow editor("EditorClass", "Editor - a");
  EXPECT_EQ(Draw(editor.Handle(), 3), 0);
  EXPECT_EQ(Describe(keys.Collect()), Describe(Tap('X')));  // slot 0, not slot 2
  EXPECT_EQ(k.loadedScheme, "editor0.kvo");
  EXPECT_EQ(SendMessageA(k.symbolList, LB_GETCURSEL, 0, 0), 0);
  char text[64];
  SendMessageA(k.symbolList, LB_GETTEXT, 5, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Save");
  EXPECT_EQ(WindowText(k.statusLine), "Last event: symbol recognized");
  EXPECT_EQ(k.trayIcon, IDI_STATUS_RECOGNIZED);
  EXPECT_EQ(k.feedbackCountdown, 6);

  // Hotkey fields ctrl, SHIFT, s give ^+s.
  EXPECT_EQ(Draw(editor.Handle(), 7), 0);
  EXPECT_EQ(Describe(keys.Collect()), Describe(Join({{Down(17), Down(16)}, Tap('S'), {Up(16), Up(17)}})));
  EXPECT_EQ(SendMessageA(k.symbolList, LB_GETCURSEL, 0, 0), 5);
}

TEST_F(NoticesTest, UnrecognizedAndMissingSymbolsStillLoadTheScheme) {
  KurvoState& k = Kurvo();
  TargetWindow editor("EditorClass", "Editor");
  EXPECT_EQ(Draw(editor.Handle(), 0), 0);
  EXPECT_EQ(k.loadedScheme, "editor0.kvo");
  EXPECT_EQ(k.shortcuts[0].name, "First");
  EXPECT_EQ(WindowText(k.statusLine), "Last event: symbol not recognized");
  EXPECT_EQ(k.trayIcon, IDI_STATUS_NOT_RECOGNIZED);
  EXPECT_EQ(k.trayTip, "Last event: symbol not recognized");

  EXPECT_EQ(Draw(editor.Handle(), 4), 0);
  EXPECT_EQ(WindowText(k.statusLine), "Last event: symbol recognized, but not in the app scheme");
  EXPECT_EQ(k.trayIcon, IDI_STATUS_NOT_IN_SCHEME);
  EXPECT_TRUE(effects_.started.empty());
  EXPECT_TRUE(effects_.exits.empty());
}

TEST_F(NoticesTest, SoundsFollowTheSoundSettings) {
  KurvoState& k = Kurvo();
  TargetWindow editor("EditorClass", "Editor");
  std::string wav = dir_.Write("sounds\\ding.wav", "RIFF");
  k.settings.sound = 1;  // per shortcut: slot 0 has none, slot 5 names a missing file
  Draw(editor.Handle(), 3);
  Draw(editor.Handle(), 7);
  EXPECT_TRUE(effects_.sounds.empty());
  k.settings.sound = 2;
  k.settings.soundName = wav;
  Draw(editor.Handle(), 3);
  Draw(editor.Handle(), 4);  // not in the scheme: no sound
  k.settings.soundName = "systemhand";
  Draw(editor.Handle(), 3);
  k.settings.soundName = "Beep";  // neither a file nor a system sound
  Draw(editor.Handle(), 3);
  k.settings.soundNot = 1;
  k.settings.soundNameNot = "SystemQuestion";
  Draw(editor.Handle(), 0);
  EXPECT_EQ(effects_.sounds, (std::vector<std::string>{"file:" + wav, "alias:systemhand", "alias:SystemQuestion"}));
  sw::test::ReleaseModifiers();
}

TEST_F(NoticesTest, SystemCommandsAreMatchedWithCase) {
  KurvoState& k = Kurvo();
  sw::test::KeyRecorder keys;
  TargetWindow editor("EditorClass", "Editor");
  ShowWindow(editor.Handle(), SW_SHOWNORMAL);
  EXPECT_EQ(Draw(editor.Handle(), 5), 1);
  EXPECT_EQ(effects_.exits, (std::vector<UINT>{EWX_LOGOFF}));
  EXPECT_EQ(Draw(editor.Handle(), 2), 1);
  EXPECT_TRUE(IsIconic(editor.Handle()));
  // The same name in other letter case is no system command: it goes to the language library
  // as a menu sequence, whose unknown key group types nothing.
  EXPECT_EQ(Draw(editor.Handle(), 6), 0);
  EXPECT_TRUE(keys.Collect().empty());
  EXPECT_EQ(effects_.exits.size(), 1u);
  EXPECT_EQ(k.trayIcon, IDI_STATUS_RECOGNIZED);
}

// The texts built for the language library and the keys they type.
TEST_F(NoticesTest, ActionTextsAndTheirKeys) {
  auto hotkey = [](std::string a, std::string b, std::string c = "", std::string d = "") {
    ShortcutRecord r;
    r.type = kActionHotkey;
    r.p0 = a, r.p1 = b, r.p2 = c, r.p3 = d;
    return HotkeyText(r);
  };
  EXPECT_EQ(hotkey("CTRL", "S"), "^s");
  EXPECT_EQ(hotkey("CTRL", "SHIFT", "S"), "^+s");
  EXPECT_EQ(hotkey("SHIFT", "F10"), "+[F10]");
  EXPECT_EQ(hotkey("CTRL", "ALT", "del"), "^%[DEL]");
  EXPECT_EQ(hotkey("F5", ""), "[F5]");
  EXPECT_EQ(hotkey("AB", ""), "ab");
  EXPECT_LE(hotkey(std::string(300, 'q'), "F1").size(), 255u);
  EXPECT_EQ(ExpandKeystrokeEscapes("a\\nb\\tc\\x\\\\"), "a\nb\tc\\x\\\\");
  EXPECT_EQ(ExpandKeystrokeEscapes("end\\"), "end\\");
  ShortcutRecord menu;
  menu.p0 = "fo";
  EXPECT_EQ(MenuSequenceText(menu), "%fo");
  menu.p0 = std::string(400, 'm');
  EXPECT_EQ(MenuSequenceText(menu).size(), 255u);

  sw::test::KeyRecorder keys;
  ShortcutRecord typed;
  typed.type = kActionKeystrokes;
  typed.p0 = "a\\nb\\q";
  EXPECT_FALSE(PerformShortcut(typed));
  EXPECT_EQ(Describe(keys.Collect()),
            Describe(Join({Tap('A'), Tap(LOBYTE(VkKeyScanA('\n'))), Tap('B'), Tap(VK_OEM_5), Tap('Q')})));
  menu.type = kActionMenu;
  menu.p0 = "fo";
  PerformShortcut(menu);
  EXPECT_EQ(Describe(keys.Collect()), Describe(Join({{Down(18)}, Tap('F'), {Up(18)}, Tap('O')})));
  sw::test::ReleaseModifiers();
}

TEST_F(NoticesTest, CommandLinesUseRegisteredProgramPaths) {
  const std::string appKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\kurvotest.exe";
  sw::test::RegistryScope registered(HKEY_LOCAL_MACHINE, appKey);
  sw::test::SetRegString(HKEY_LOCAL_MACHINE, appKey, "", "C:\\tools\\kurvotest.exe");
  ShortcutRecord r;
  r.type = kActionCommand;
  r.p0 = "kurvotest.exe";
  PerformShortcut(r);
  r.p0 = "notepad.exe readme.txt";
  PerformShortcut(r);
  r.p0 = "";
  PerformShortcut(r);
  r.type = 9;
  r.p0 = "anything";
  PerformShortcut(r);
  EXPECT_EQ(effects_.started, (std::vector<std::string>{"C:\\tools\\kurvotest.exe", "notepad.exe readme.txt"}));
}
