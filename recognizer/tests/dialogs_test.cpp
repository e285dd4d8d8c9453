// Kurvo's dialogs from the real language library, driven through their controls.
#include <windows.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "about_dialog.h"
#include "dialogs.h"
#include "header_dialog.h"
#include "kurvo_fixture.h"
#include "kurvo_ids.h"
#include "languages_dialog.h"
#include "main_window.h"
#include "options_dialog.h"
#include "pump.h"
#include "quick_help_dialog.h"
#include "schemes.h"
#include "shortcut_dialog.h"
#include "sounds_dialog.h"
#include "text_util.h"

using namespace kurvo;
using namespace kurvo::test;

class DialogTest : public KurvoTest {
 protected:
  void SetUp() override {
    KurvoTest::SetUp();
    WriteInstalledSettings();
    InstallLibraries();
    WriteScheme("default.kvo", "Default", "", "", 0, 1, {{0, "Copy", 1}});
    WriteScheme("mexcel50.kvo", "Microsoft Excel", "5.0", "XLMAIN", 0, 2,
                {{0, "Bold", 3, kActionHotkey, "CTRL", "B"}, {1, "Typed", 4, kActionKeystrokes, "a\\qb"}});
    main_ = CreateMain();
    // Dialogs opened here without a modal loop get activated when they set their focus: the
    // answerer leaves them to the test.
    answerer_.OnDialog([this](HWND) { return opening_ ? -1 : 0; });
  }
  void TearDown() override {
    if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
    KurvoTest::TearDown();
  }
  HWND Open(UINT id, DLGPROC proc, DialogContext* context) {
    opening_ = true;
    dialog_ = CreateModeless(id, main_, proc, context);
    opening_ = false;
    EXPECT_NE(dialog_, nullptr);
    return dialog_;
  }
  void Click(int id) { SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  std::string Text(int id) { return ItemText(dialog_, id, 4096); }
  bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(dialog_, id)); }
  HWND main_ = nullptr;
  HWND dialog_ = nullptr;
  bool opening_ = false;
};

TEST_F(DialogTest, ShortcutKeystrokeTextRoundTrip) {
  LoadScheme("mexcel50.kvo");
  ShortcutDialogContext c;
  c.slot = 1;
  Open(IDD_SHORTCUT, ShortcutDialogProc, &c);
  // A stored backslash before another letter is shown as it is.
  EXPECT_EQ(Text(IDC_SC_KEYSTROKE_TEXT), "a\\qb");
  EXPECT_TRUE(IsChecked(dialog_, IDC_SC_KEYSTROKE));
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_SC_SHAPES, LB_GETCOUNT, 0, 0), 8);
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_SC_SHAPES, LB_GETCURSEL, 0, 0), 4);
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_SC_HOTKEY1, CB_GETCOUNT, 0, 0), 64);
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_SC_MENUSEQ_TEXT, CB_GETCOUNT, 0, 0), 7);
  SetItemText(dialog_, IDC_SC_KEYSTROKE_TEXT, "ab\r\n\tcd");
  SetItemText(dialog_, IDC_SC_NAME, "Two lines");
  Click(IDOK);
  EXPECT_EQ(c.result, IDOK);
  EXPECT_EQ(Kurvo().shortcuts[1].p0, "ab\\n\\tcd");
  EXPECT_EQ(Kurvo().shortcuts[1].name, "Two lines");
  EXPECT_EQ(Kurvo().shortcuts[1].type, kActionKeystrokes);
  DestroyWindow(dialog_);

  // Written with the scheme, read back and shown again as two lines with the tab.
  for (int i = 0; i < kSlotCount; ++i) WriteShortcut(i);
  ReadAllShortcuts();
  ShortcutDialogContext again;
  again.slot = 1;
  Open(IDD_SHORTCUT, ShortcutDialogProc, &again);
  EXPECT_EQ(Text(IDC_SC_KEYSTROKE_TEXT), "ab\r\n\tcd");
}

TEST_F(DialogTest, ShortcutRadiosFollowTheFieldsAndHotkeysAreUpperCase) {
  LoadScheme("mexcel50.kvo");
  ShortcutDialogContext c;
  Open(IDD_SHORTCUT, ShortcutDialogProc, &c);
  EXPECT_TRUE(IsChecked(dialog_, IDC_SC_HOTKEY));
  EXPECT_EQ(Text(IDC_SC_HOTKEY2), "B");
  SetItemText(dialog_, IDC_SC_CMDLINE_TEXT, "notepad.exe");  // an edit notifies: its radio is chosen
  EXPECT_TRUE(IsChecked(dialog_, IDC_SC_CMDLINE));
  EXPECT_FALSE(IsChecked(dialog_, IDC_SC_HOTKEY));
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_SC_HOTKEY3, CBN_EDITCHANGE), 0);
  EXPECT_TRUE(IsChecked(dialog_, IDC_SC_HOTKEY));
  SetItemText(dialog_, IDC_SC_HOTKEY1, "ctrl");
  SetItemText(dialog_, IDC_SC_HOTKEY2, "shift");
  SetItemText(dialog_, IDC_SC_HOTKEY3, "s");
  SetItemText(dialog_, IDC_SC_SOUND, std::string(300, 'w'));
  Click(IDOK);
  const ShortcutRecord& r = Kurvo().shortcuts[0];
  EXPECT_EQ(r.type, kActionHotkey);
  EXPECT_EQ(r.p0 + r.p1 + r.p2, "CTRLSHIFTS");
  EXPECT_EQ(r.sound, std::string(199, 'w'));
}

TEST_F(DialogTest, ChoosingTheFirstShapeResetsTheShortcut) {
  LoadScheme("mexcel50.kvo");
  ShortcutDialogContext c;
  Open(IDD_SHORTCUT, ShortcutDialogProc, &c);
  SendDlgItemMessageA(dialog_, IDC_SC_SHAPES, LB_SETCURSEL, 0, 0);
  answerer_.Queue(IDYES);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_SC_SHAPES, LBN_SELCHANGE), 0);
  EXPECT_EQ(answerer_.LastText(), "Do you want to reset the current shortcut?");
  EXPECT_EQ(Text(IDC_SC_NAME), "[NULL]");
  EXPECT_EQ(Text(IDC_SC_HOTKEY1), "");
  EXPECT_EQ(Text(IDC_SC_HOTKEY2), "");
  Click(IDOK);
  EXPECT_EQ(Kurvo().shortcuts[0].name, "[NULL]");
  EXPECT_EQ(Kurvo().shortcuts[0].symbolId, 0);
  // Cancel leaves the slot and shows "Ready".
  ShortcutDialogContext other;
  other.slot = 1;
  Open(IDD_SHORTCUT, ShortcutDialogProc, &other);
  SetItemText(dialog_, IDC_SC_NAME, "changed");
  Click(IDCANCEL);
  EXPECT_EQ(other.result, IDCANCEL);
  EXPECT_EQ(Kurvo().shortcuts[1].name, "Typed");
  EXPECT_EQ(sw::test::WindowText(Kurvo().statusLine), "Ready");
}

TEST_F(DialogTest, KeystrokeEscapesStayWithinTheirField) {
  EXPECT_EQ(ExpandForEdit("a\\nb\\tc\\\\d\\"), "a\r\nb\tc\\\\d\\");
  EXPECT_EQ(EscapeFromEdit("x\r\ny\tz"), "x\\ny\\tz");
  std::string tabs(400, '\t');
  std::string escaped = EscapeFromEdit(tabs);
  EXPECT_EQ(escaped.size(), 510u);  // 255 whole escapes, never half of one
  EXPECT_EQ(escaped.substr(0, 4), "\\t\\t");
}

TEST_F(DialogTest, HeaderFileNames) {
  EXPECT_EQ(SchemeFileNameFor("Microsoft Excel", "5.0", 0, "Default"), "mexcel50.kvo");
  EXPECT_EQ(SchemeFileNameFor("Microsoft Word", "7.0", 0, "Default"), "mword0.kvo");
  EXPECT_EQ(SchemeFileNameFor("Netscape", "2.0", 0, "Default"), "netsca20.kvo");
  EXPECT_EQ(SchemeFileNameFor("Excel", "5.0", 1, "Default"), "excel51.kvo");
  EXPECT_EQ(SchemeFileNameFor("default", "", 0, "Default"), "default.kvo");
  EXPECT_EQ(SchemeFileNameFor("DEFAULT", "1.0", 3, "Default"), "default.kvo");
  EXPECT_EQ(SchemeFileNameFor("a:b*c", "1", 2, "Default"), "a_b_c12.kvo");
}

TEST_F(DialogTest, HeaderAsksForAVersionThenRenamesKeepingTheSlots) {
  LoadScheme("mexcel50.kvo");
  HeaderDialogContext c;
  Open(IDD_APPHEADER, HeaderDialogProc, &c);
  EXPECT_EQ(Text(IDC_HDR_NAME), "Microsoft Excel");
  EXPECT_EQ(Text(IDC_HDR_LEVEL), "2");
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_HDR_TYPE, CB_GETCOUNT, 0, 0), 28);
  SetItemText(dialog_, IDC_HDR_VERSION, "0.0");
  Click(IDOK);
  EXPECT_EQ(answerer_.LastText(), "Please enter a version number.");
  EXPECT_EQ(c.result, 0);  // still open
  EXPECT_TRUE(IsWindow(dialog_));

  SetItemText(dialog_, IDC_HDR_VERSION, "7.0");
  SetItemText(dialog_, IDC_HDR_LEVEL, "4");
  Click(IDOK);
  EXPECT_EQ(c.result, IDOK);
  EXPECT_EQ(Kurvo().currentScheme, "mexcel70.kvo");
  EXPECT_FALSE(sw::test::FileExists(SchemeDir() + "mexcel50.kvo"));
  SchemeHeader h = ReadHeaderFrom(SchemeDir() + "mexcel70.kvo");
  EXPECT_EQ(h.version, "7.0");
  EXPECT_EQ(h.level, 4);
  EXPECT_EQ(h.windowClass, "XLMAIN");
  EXPECT_EQ(ReadShortcutFrom(SchemeDir() + "mexcel70.kvo", 0).name, "Bold");
  EXPECT_EQ(sw::test::WindowText(Kurvo().schemeBox), "Microsoft Excel 7.0");
}

TEST_F(DialogTest, HeaderNewSchemeForTheFocusedApplication) {
  KurvoState& k = Kurvo();
  LoadScheme(kDefaultScheme);
  k.header.name = "Default";
  HeaderDialogContext c;
  Open(IDD_APPHEADER, HeaderDialogProc, &c);
  Click(IDC_HDR_NEW);  // nothing drawn on yet
  EXPECT_EQ(answerer_.LastText().substr(0, 30), "To create a new application : ");
  EXPECT_FALSE(c.newMode);

  TargetWindow notes("NotesWindow", "Notes - today");
  SendMessageA(main_, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(notes.Handle()));
  k.header.name = "Default";
  Click(IDC_HDR_NEW);
  EXPECT_TRUE(c.newMode);
  EXPECT_EQ(Text(IDC_HDR_NAME), "Notes ");
  EXPECT_EQ(Text(IDC_HDR_VERSION), "0.0");
  SetItemText(dialog_, IDC_HDR_NAME, "Notes");
  SetItemText(dialog_, IDC_HDR_VERSION, "2.1");
  Click(IDOK);
  EXPECT_EQ(k.currentScheme, "notes20.kvo");
  EXPECT_TRUE(sw::test::FileExists(SchemeDir() + "default.kvo"));
  EXPECT_EQ(ReadHeaderFrom(SchemeDir() + "notes20.kvo").windowClass, "NotesWindow");
  EXPECT_EQ(k.schemes.size(), 3u);

  // Explain now... shows the level text under its own caption.
  HeaderDialogContext again;
  Open(IDD_APPHEADER, HeaderDialogProc, &again);
  Click(IDC_HDR_EXPLAIN);
  ASSERT_FALSE(answerer_.Seen().empty());
  EXPECT_EQ(answerer_.Seen().back().caption, "Right-click option");
}

TEST_F(DialogTest, OptionsStoreAutoFocusZeroAndEnableRecognition) {
  KurvoState& k = Kurvo();
  SetRecognition(false);
  k.settings.autoFocus = 1;
  k.settings.autoHide = 1;
  k.settings.showMainWinDraw = 0;
  DialogContext c;
  Open(IDD_OPTIONS, OptionsDialogProc, &c);
  EXPECT_TRUE(IsChecked(dialog_, IDC_OPT_AUTOHIDE_HIDE));
  EXPECT_TRUE(IsChecked(dialog_, IDC_OPT_START_NONE));
  SelectRadio(dialog_, std::initializer_list<int>{IDC_OPT_AUTOHIDE_MINIMIZE, IDC_OPT_AUTOHIDE_HIDE, IDC_OPT_AUTOHIDE_NONE, 0}.begin(),
              IDC_OPT_AUTOHIDE_MINIMIZE);
  Click(IDOK);
  EXPECT_EQ(Value("AutoFocus"), "0");
  EXPECT_EQ(Value("AutoHide"), "0");
  EXPECT_EQ(Value("ShowMainWinDraw"), "1");
  EXPECT_TRUE(k.settings.recognitionEnabled);
  EXPECT_TRUE(k.hook.on);
  EXPECT_EQ(k.trayIcon, IDI_STATUS_READY);
  char text[64] = {};
  GetMenuStringA(k.menu, IDM_TOGGLE_ENABLE, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Disable Strokewise");
}

TEST_F(DialogTest, SoundsEnablingRulesAndStoredTexts) {
  KurvoState& k = Kurvo();
  k.settings.sound = 0;
  k.settings.soundNot = 0;
  k.settings.soundName = "SystemStart";
  DialogContext c;
  Open(IDD_SOUNDS, SoundsDialogProc, &c);
  EXPECT_FALSE(IsChecked(dialog_, IDC_SND_RECOGNIZED));
  for (int id : {IDC_SND_PER_SHORTCUT, IDC_SND_ONE_FOR_ALL, IDC_SND_ALL_NAME, IDC_SND_ALL_BROWSE, IDC_SND_ALL_PLAY,
                 IDC_SND_NOTREC_NAME, IDC_SND_NOTREC_BROWSE, IDC_SND_NOTREC_PLAY})
    EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_EQ(Text(IDC_SND_ALL_NAME), "SystemStart");
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_SND_NOTREC_NAME, CB_GETCOUNT, 0, 0), 6);

  SetChecked(dialog_, IDC_SND_RECOGNIZED, true);
  Click(IDC_SND_RECOGNIZED);
  EXPECT_TRUE(Enabled(IDC_SND_ALL_NAME));
  SetChecked(dialog_, IDC_SND_NOT_RECOGNIZED, true);
  Click(IDC_SND_NOT_RECOGNIZED);
  EXPECT_TRUE(Enabled(IDC_SND_NOTREC_PLAY));
  // Typing into the common sound selects "One for all shortcuts:".
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_SND_ALL_NAME, CBN_EDITCHANGE), 0);
  EXPECT_TRUE(IsChecked(dialog_, IDC_SND_ONE_FOR_ALL));
  Click(IDC_SND_ALL_PLAY);
  EXPECT_EQ(effects_.sounds, (std::vector<std::string>{"alias:SystemStart"}));
  SetItemText(dialog_, IDC_SND_NOTREC_NAME, std::string(300, 'n'));
  Click(IDOK);
  EXPECT_EQ(Value("Sound"), "2");
  EXPECT_EQ(Value("SoundNot"), "1");
  EXPECT_EQ(Value("SoundNameNot"), std::string(254, 'n'));

  // Unchecked, Sound is 0 whatever radio is selected, and the texts are still stored.
  DialogContext again;
  Open(IDD_SOUNDS, SoundsDialogProc, &again);
  SetChecked(dialog_, IDC_SND_RECOGNIZED, false);
  SetItemText(dialog_, IDC_SND_ALL_NAME, "SystemHand");
  Click(IDOK);
  EXPECT_EQ(Value("Sound"), "0");
  EXPECT_EQ(Value("SoundName"), "SystemHand");
}

// "..." opens the file chooser in the sound directory for a bare name, and where a path points.
namespace {
HWND g_chooser = nullptr;
std::vector<std::string> g_folders;
// Reads the chooser's folder once it has settled in it, then cancels it.
void CALLBACK ReadChooserFolder(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  char path[MAX_PATH] = {};
  SendMessageA(g_chooser, CDM_GETFOLDERPATH, sizeof path, reinterpret_cast<LPARAM>(path));
  g_folders.push_back(ToLower(path));
  PostMessageA(g_chooser, WM_COMMAND, IDCANCEL, 0);
}
}  // namespace

TEST_F(DialogTest, SoundsBrowseStartsInTheSoundDirectoryForABareName) {
  g_folders.clear();
  answerer_.OnDialog([&](HWND d) {
    if (opening_) return -1;
    if (sw::test::WindowText(d) != "Open") return 0;
    g_chooser = d;
    SetTimer(nullptr, 0, 300, ReadChooserFolder);
    return -1;
  });
  Kurvo().settings.soundName = "chime.wav";
  Kurvo().settings.soundNameNot = SystemDir() + "x.wav";
  DialogContext c;
  Open(IDD_SOUNDS, SoundsDialogProc, &c);
  Click(IDC_SND_ALL_BROWSE);
  Click(IDC_SND_NOTREC_BROWSE);
  EXPECT_EQ(g_folders, (std::vector<std::string>{ToLower(Dir() + "\\sounds"), ToLower(Dir() + "\\system")}));
  EXPECT_EQ(Text(IDC_SND_ALL_NAME), "chime.wav");
}

TEST_F(DialogTest, PlayNamedSoundLooksInTheSoundDirectory) {
  std::string inSounds = dir_.Write("sounds\\chime.wav", "RIFF");
  PlayNamedSound("C:\\elsewhere\\chime.wav");
  PlayNamedSound("SYSTEMEXIT");
  PlayNamedSound("nothing.wav");
  PlayNamedSound("");
  EXPECT_EQ(effects_.sounds, (std::vector<std::string>{"file:" + inSounds, "alias:SYSTEMEXIT"}));
}

TEST_F(DialogTest, AboutShowsTheSystemVersion) {
  DialogContext c;
  Open(IDD_ABOUT, AboutDialogProc, &c);
  EXPECT_EQ(Text(IDC_ABOUT_OSVERSION).substr(0, 30), "System: Microsoft Windows NT 6");
  EXPECT_EQ(Text(IDC_ABOUT_WEB), kWebAddress);
  Click(IDOK);
  EXPECT_EQ(effects_.stops, 1);
  OSVERSIONINFOA v = {sizeof v};
  v.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
  v.dwMajorVersion = 4;
  v.dwMinorVersion = 10;
  EXPECT_EQ(SystemVersionText(v), "System: Microsoft Windows 95 4.10");
  v.dwPlatformId = VER_PLATFORM_WIN32s;
  v.dwMajorVersion = 3;
  v.dwBuildNumber = 0x80000123;
  EXPECT_EQ(SystemVersionText(v), "System: Microsoft Win32s 3.10 (B: 291)");
}

TEST_F(DialogTest, QuickHelpSectionsAndTheMissingFile) {
  Kurvo().settings.helpFilePath = dir_.Write("system\\kvo_eng.hlp", "[One]\nfirst line\nsecond\n[Two]\nlast part");
  QuickHelpContext c;
  c.section = 0;
  c.path = Kurvo().settings.helpFilePath;
  Open(IDD_QUICKHELP, QuickHelpDialogProc, &c);
  sw::test::PumpMessages(50);
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_HELP_SECTIONS, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(Text(IDC_HELP_TITLE), "One");
  EXPECT_EQ(Text(IDC_HELP_TEXT), "\r\nfirst line\r\nsecond\r\n");
  SendDlgItemMessageA(dialog_, IDC_HELP_SECTIONS, LB_SETCURSEL, 1, 0);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_HELP_SECTIONS, LBN_SELCHANGE), 0);
  sw::test::PumpMessages(50);
  EXPECT_EQ(Text(IDC_HELP_TITLE), "Two");
  EXPECT_EQ(Text(IDC_HELP_TEXT), "\r\nlast part");
  Click(IDCANCEL);
  DestroyWindow(dialog_);

  // Long sections are cut to 2047 characters after the line ends are expanded.
  std::string longText = "[Long]" + std::string(1500, '\n');
  EXPECT_EQ(HelpSectionText(longText, 0).size(), 2046u);
  EXPECT_EQ(HelpTitles("[" + std::string(3000, 't') + "]")[0].size(), 2047u);

  Kurvo().settings.helpFilePath = SystemDir() + "missing.hlp";
  answerer_.Clear();
  QuickHelpDialog(main_, 0);
  int boxes = 0;
  for (const auto& seen : answerer_.Seen())
    if (seen.text == "Couldn't find help file") {
      ++boxes;
      EXPECT_EQ(seen.caption, "Strokewise");
    }
  EXPECT_EQ(boxes, 1);
}

// The delivered quick help and quick-start pages: every section starts with its text, and every
// menu they name ("Options, Sounds...", "the X menu") is one of the real menu's.
TEST_F(DialogTest, DeliveredTextsNameTheRealMenus) {
  HMENU menu = LoadMenuA(Kurvo().language.module, KVO_MAINMENU);
  ASSERT_NE(menu, nullptr);
  std::map<std::string, std::vector<std::string>> items;  // popup name: its item names
  auto name = [](HMENU m, int i) {
    char text[128] = {};
    GetMenuStringA(m, i, text, sizeof text, MF_BYPOSITION);
    std::string s = text;
    s.erase(std::remove(s.begin(), s.end(), '&'), s.end());
    return s;
  };
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    HMENU popup = GetSubMenu(menu, i);
    for (int j = 0; popup && j < GetMenuItemCount(popup); ++j) items[name(menu, i)].push_back(name(popup, j));
  }
  DestroyMenu(menu);
  ASSERT_EQ(items.size(), 2u);

  for (const char* file : {"kvo_eng.hlp", "qcks_eng.qks"}) {
    SCOPED_TRACE(file);
    std::string text;
    ASSERT_TRUE(ReadWholeFile(sw::test::HostToWinePath(std::string(KURVO_TEST_TEXTS) + "/" + file), text));
    for (const auto& [popup, names] : items) {
      for (size_t at = text.find(popup + ", "); at != std::string::npos; at = text.find(popup + ", ", at + 1)) {
        std::string rest = text.substr(at + popup.size() + 2);
        bool known = std::any_of(names.begin(), names.end(),
                                 [&](const std::string& n) { return !n.empty() && rest.rfind(n, 0) == 0; });
        EXPECT_TRUE(known) << rest.substr(0, 40);
      }
    }
    for (size_t at = text.find(" menu"); at != std::string::npos; at = text.find(" menu", at + 1)) {
      size_t word = text.find_last_of(" \n", at - 1) + 1;
      std::string before = text.substr(word, at - word);
      bool named = !before.empty() && isupper(static_cast<unsigned char>(before[0]));
      EXPECT_TRUE(!named || items.count(before)) << before << " menu";
    }
    for (size_t i = 0; std::string(file) == "kvo_eng.hlp" && i < HelpTitles(text).size(); ++i)
      EXPECT_NE(HelpSectionText(text, static_cast<int>(i)).substr(0, 2), "\r\n") << HelpTitles(text)[i];
  }
}

TEST_F(DialogTest, LanguagesChangeAsksStoresAndEndsTheProgram) {
  ASSERT_TRUE(CopyFileA(LanguageLibraryPath().c_str(), (SystemDir() + "kvo_ger.dll").c_str(), FALSE));
  dir_.Write("system\\kvo_xyz.dll", "x");
  LanguagesContext c;
  Open(IDD_LANGUAGES, LanguagesDialogProc, &c);
  ASSERT_EQ(SendDlgItemMessageA(dialog_, IDC_LANG_INTERNAL, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_LANG_PREFERRED, CB_GETCOUNT, 0, 0), 10);
  EXPECT_EQ(Text(IDC_LANG_INTERNAL), "English");
  int german = c.available[0] == 1 ? 0 : 1;
  SendDlgItemMessageA(dialog_, IDC_LANG_INTERNAL, CB_SETCURSEL, german, 0);
  answerer_.Queue(IDCANCEL);
  Click(IDOK);
  EXPECT_EQ(answerer_.LastText(), "Strokewise is currently working in English.\nDo you really want it to run in German?");
  EXPECT_EQ(c.result, 0);
  EXPECT_EQ(Kurvo().settings.klLanguage, 0);

  SendDlgItemMessageA(dialog_, IDC_LANG_DEFAULT, CB_SETCURSEL, 4, 0);
  answerer_.Queue(IDOK);
  Click(IDOK);
  EXPECT_EQ(c.result, IDOK);
  EXPECT_TRUE(c.languageChanged);
  EXPECT_EQ(Value("KLLanguage"), "1");
  EXPECT_EQ(Value("DefaultLanguage"), "4");
  EXPECT_EQ(Kurvo().currentScheme, "default.kvo");
  FinishLanguageChange(main_);
  EXPECT_EQ(answerer_.LastText(), "Strokewise is about to shut down.\nChanges will take effect when you restart it.");
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_EQ(Value("HelpFile"), "kvo_ger.hlp");
}

TEST_F(DialogTest, LanguagesWithoutSelectionOrChangeKeepTheLanguage) {
  LanguagesContext c;
  Open(IDD_LANGUAGES, LanguagesDialogProc, &c);
  answerer_.Clear();
  Click(IDOK);  // the language in use: no question, no change
  for (const auto& seen : answerer_.Seen()) EXPECT_EQ(seen.text, "");
  EXPECT_FALSE(c.languageChanged);
  DestroyWindow(dialog_);

  Kurvo().settings.klLanguage = 5;  // its library is not installed: nothing selected in the list
  LanguagesContext none;
  Open(IDD_LANGUAGES, LanguagesDialogProc, &none);
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_LANG_INTERNAL, CB_GETCURSEL, 0, 0), CB_ERR);
  Click(IDOK);
  EXPECT_EQ(none.result, IDOK);
  EXPECT_EQ(Value("KLLanguage"), "5");
  EXPECT_TRUE(IsWindow(main_));
}

TEST_F(DialogTest, ModalDialogsPauseTheHookWhileOpen) {
  KurvoState& k = Kurvo();
  int disables = HookCalls(1), enables = HookCalls(0);
  answerer_.OnDialog([&](HWND) { EXPECT_FALSE(k.hook.on); return IDCANCEL; });
  EXPECT_FALSE(SoundsDialog(main_));
  EXPECT_TRUE(k.hook.on);
  EXPECT_EQ(HookCalls(1), disables + 1);
  EXPECT_EQ(HookCalls(0), enables + 1);
  // While recognition is disabled a dialog leaves the hook off.
  SetRecognition(false);
  answerer_.OnDialog([&](HWND) { return IDCANCEL; });
  AboutDialog(main_);
  EXPECT_FALSE(k.hook.on);
  EXPECT_EQ(HookCalls(0), enables + 1);
}
