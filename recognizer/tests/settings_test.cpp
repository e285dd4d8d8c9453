// Settings in the registry, language names and library binding.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialog_answerer.h"
#include "kurvo_fixture.h"
#include "kvo_ids.h"
#include "languages.h"
#include "registry_scope.h"
#include "settings.h"

using namespace kurvo;
using namespace kurvo::test;

class SettingsTest : public KurvoTest {};

TEST_F(SettingsTest, RoundTripWritesEveryValueAsWholeBuffer) {
  WriteInstalledSettings();
  SetValue("SoundNameNot", "SystemHand");
  InstallLibraries();
  StartState();
  RecognizerSettings& s = Kurvo().settings;
  EXPECT_EQ(s.directory, Dir());
  EXPECT_EQ(s.systemDir, Dir() + "\\system\\");
  EXPECT_EQ(s.schemeDir, Dir() + "\\schemes\\");
  EXPECT_EQ(s.soundDir, Dir() + "\\sounds");
  EXPECT_EQ(s.hookLibrary, Dir() + "\\system\\kurvo.dll");
  EXPECT_EQ(s.languageLibrary, Dir() + "\\system\\kvo_eng.dll");
  EXPECT_EQ(s.helpFilePath, Dir() + "\\system\\kvo_eng.hlp");
  EXPECT_TRUE(s.recognitionEnabled);
  EXPECT_EQ(s.alwaysOnTop, 1);  // missing: 1

  s.mouseBtn = 0;
  s.sound = 2;
  s.soundNot = 1;
  s.soundName = "C:\\a b\\ding.wav";
  s.autoHide = -3;
  s.klLanguage = 1;
  SaveSettings();
  for (const char* name : {"MouseBtn", "Sound", "SoundNot", "SoundName", "SoundNameNot", "ShowMainWinDraw",
                           "ShowMainWinTray", "AutoHide", "StartUpAutoHide", "AutoFocus", "AlwaysOnTop",
                           "KLLanguage", "Language", "DefaultLanguage", "HelpFile"})
    EXPECT_EQ(sw::test::RegValueSize(HKEY_LOCAL_MACHINE, kTestKey, name), 512) << name;
  EXPECT_EQ(Value("AutoHide"), "-3");
  EXPECT_EQ(Value("SoundName"), "C:\\a b\\ding.wav");
  EXPECT_EQ(Value("RecognitionKLK"), "1");  // never written by Kurvo
  EXPECT_EQ(Value("Directory"), Dir());

  RecognizerSettings again;
  ASSERT_TRUE(ReadSettings(Kurvo().settingsLocation, again));
  EXPECT_EQ(again.mouseBtn, 0);
  EXPECT_EQ(again.sound, 2);
  EXPECT_EQ(again.soundNot, 1);
  EXPECT_EQ(again.soundName, "C:\\a b\\ding.wav");
  EXPECT_EQ(again.soundNameNot, "SystemHand");
  EXPECT_EQ(again.autoHide, -3);
  EXPECT_EQ(again.klLanguage, 1);
  EXPECT_EQ(again.languageLibrary, Dir() + "\\system\\kvo_ger.dll");
}

TEST_F(SettingsTest, NumbersReadAsDecimalTextAndLanguagesDefaultToZero) {
  SetValue("Directory", Dir());
  SetValue("MouseBtn", "  -12abc");
  SetValue("Sound", "x1");
  SetValue("AutoHide", "+7");
  RecognizerSettings s;
  ASSERT_TRUE(ReadSettings(Kurvo().settingsLocation, s));
  EXPECT_EQ(s.mouseBtn, -12);
  EXPECT_EQ(s.sound, 0);
  EXPECT_EQ(s.autoHide, 7);
  EXPECT_EQ(s.klLanguage, 0);
  EXPECT_EQ(s.language, 0);
  EXPECT_EQ(s.defaultLanguage, 0);
  EXPECT_EQ(s.alwaysOnTop, 1);
  s.klLanguage = 12;  // outside the table: no code in the library name
  DerivePaths(s);
  EXPECT_EQ(s.languageLibrary, Dir() + "\\system\\kvo_.dll");
}

TEST_F(SettingsTest, OverlongStoredTextsAreCutToTheirFields) {
  WriteInstalledSettings();
  SetValue("HelpFile", "a_very_long_help_file_name.hlp");
  SetValue("SoundName", std::string(600, 's'));
  SetValue("SoundNameNot", std::string(300, 'n'));
  RecognizerSettings s;
  ASSERT_TRUE(ReadSettings(Kurvo().settingsLocation, s));
  EXPECT_EQ(s.helpFile, "a_very_long_hel");
  EXPECT_EQ(s.soundName, std::string(255, 's'));
  EXPECT_EQ(s.soundNameNot, std::string(255, 'n'));
  EXPECT_EQ(s.helpFilePath, Dir() + "\\system\\a_very_long_hel");
}

TEST_F(SettingsTest, MissingDirectoryIsReportedAndLeavesAnEmptyDirectory) {
  SetValue("MouseBtn", "0");
  Kurvo().settings.directory = "left over";
  LoadSettings();
  LoadSettings();  // read again during start-up: reported once
  ASSERT_EQ(answerer_.Count(), 1u);
  EXPECT_EQ(answerer_.Seen()[0].caption, "Strokewise");
  EXPECT_EQ(answerer_.Seen()[0].text, "App dir not found, please re-install.");
  const RecognizerSettings& s = Kurvo().settings;
  EXPECT_EQ(s.directory, "");
  EXPECT_EQ(s.systemDir, "\\system\\");
  EXPECT_EQ(s.mouseBtn, 0);  // the other values are still read
  EXPECT_TRUE(s.recognitionEnabled);

  // Each start-up box (the missing directory, then the missing libraries it leads to) is shown
  // normally and in front, even when asked to minimize as a start command for a minimized
  // program asks of its first windows.
  std::vector<std::string> shown;
  answerer_.OnDialog([&](HWND box) {
    ShowWindow(box, SW_SHOWMINNOACTIVE);
    bool ok = IsWindowVisible(box) && !IsIconic(box) && (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
    shown.push_back(ok ? "shown" : "hidden");
    return IDOK;
  });
  Kurvo().missingDirectoryReported = false;
  LoadSettings();
  BindHookLibrary();
  BindLanguageLibrary();
  EXPECT_EQ(shown, (std::vector<std::string>{"shown", "shown", "shown"}));
}

TEST_F(SettingsTest, MenuMarksTheChosenMouseButton) {
  WriteInstalledSettings();
  InstallLibraries();
  StartState();
  KurvoState& k = Kurvo();
  ASSERT_NE(k.language.module, nullptr);
  k.menu = LoadMenuA(k.language.module, "MAINMENU");
  ASSERT_NE(k.menu, nullptr);
  auto checked = [&](UINT id) { return (GetMenuState(k.menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  for (const char* value : {"5", "1", "0"}) {
    SetValue("MouseBtn", value);
    LoadSettings();
    bool middle = std::string(value) == "0";
    EXPECT_EQ(checked(IDM_MOUSE_MIDDLE), middle) << value;
    EXPECT_EQ(checked(IDM_MOUSE_LEFTRIGHT), !middle) << value;
  }
  char text[64] = {};
  GetMenuStringA(k.menu, IDM_MOUSE_LEFTRIGHT, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, GetSystemMetrics(SM_SWAPBUTTON) ? "&Left" : "&Right");
  // A library whose menu has the sound item gets the common sound's name in it.
  AppendMenuA(k.menu, MF_STRING, 40002, "Sound: %s");
  LoadSettings();
  GetMenuStringA(k.menu, 40002, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Sound: None");
  DestroyMenu(k.menu);
  k.menu = nullptr;
}

TEST_F(SettingsTest, LanguageNamesAndBinding) {
  EXPECT_EQ(LanguageLibraryName(0), "kvo_eng.dll");
  EXPECT_EQ(LanguageLibraryName(9), "kvo_fin.dll");
  EXPECT_EQ(LanguageLibraryName(-1), "kvo_.dll");
  EXPECT_EQ(HelpFileName(1), "kvo_ger.hlp");
  EXPECT_EQ(QuickStartArgument(2), "qcks_fre");
  EXPECT_EQ(QuickStartArgument(10), "qcks_");

  // Missing library: reported, nothing bound, keystroke calls do nothing.
  WriteInstalledSettings(3);
  StartState();
  EXPECT_EQ(Kurvo().language.module, nullptr);
  EXPECT_EQ(Kurvo().language.Tamrin("a"), -1);
  EXPECT_EQ(Kurvo().hook.SymbolCount(), 0);
  ASSERT_EQ(answerer_.Count(), 2u);
  EXPECT_EQ(answerer_.Seen()[0].text,
            "Couldn't find the Strokewise DLL.\nIt must be in the application directory.\nPlease re-install it.");
  EXPECT_EQ(answerer_.Seen()[1].text,
            "Couldn't find the Strokewise language DLL.\nIt must be in the application directory.\nPlease re-install it.");

  // Present: both exports bound, strings from the library.
  InstallLibraries();
  SetValue("KLLanguage", "0");
  StartState();
  EXPECT_NE(Kurvo().language.tamrin, nullptr);
  EXPECT_NE(Kurvo().language.velsor, nullptr);
  EXPECT_EQ(Str(IDS_READY), "Ready");
  EXPECT_EQ(Kurvo().hook.SymbolCount(), 8);
}

TEST_F(SettingsTest, DiscoveryMatchesBaseNamesWithCase) {
  for (const char* name : {"kvo_ger.dll", "kvo_xyz.dll", "kvo_ENG.dll", "kvo_fin.dll", "kvo_eng.dl_"})
    dir_.Write(std::string("system\\") + name, "x");
  std::vector<int32_t> found = DiscoverLanguages(SystemDir());
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<int32_t>{1, 9}));
}

namespace {
// Value names of the key, sorted (the registry here lists them by name, not in written order).
std::vector<std::string> ValueNames(const char* key) {
  std::vector<std::string> names;
  HKEY k;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof name;
    if (RegEnumValueA(k, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(name);
  }
  RegCloseKey(k);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}
}  // namespace

TEST_F(SettingsTest, FreshInstallationValuesThenKurvosOwn) {
  ASSERT_TRUE(WriteInstallationSettings(Kurvo().settingsLocation, Dir() + "\\", 7));
  EXPECT_EQ(ValueNames(kTestKey),
            Sorted({"Directory", "MouseBtn", "Sound", "Language", "DefaultLanguage", "KLLanguage",
                   "SoundName", "HelpFile", "ShowMainWinDraw", "ShowMainWinTray",
                   "RecognitionKLK", "AutoFocus", "AutoHide", "StartUpAutoHide"}));
  EXPECT_EQ(sw::test::RegValueSize(HKEY_LOCAL_MACHINE, kTestKey, "Directory"), 512);
  RecognizerSettings s;
  ASSERT_TRUE(ReadSettings(Kurvo().settingsLocation, s));
  EXPECT_EQ(s.directory, Dir());
  EXPECT_EQ(s.languageLibrary, Dir() + "\\system\\kvo_swe.dll");
  EXPECT_EQ(s.helpFile, "kvo_swe.hlp");
  EXPECT_EQ(s.startUpAutoHide, 2);
  EXPECT_EQ(s.autoHide, 2);
  EXPECT_EQ(s.alwaysOnTop, 1);

  registry_.Clear();
  ASSERT_TRUE(WriteSettings(Kurvo().settingsLocation, s));
  EXPECT_EQ(ValueNames(kTestKey),
            Sorted({"MouseBtn", "Sound", "SoundNot", "SoundName", "SoundNameNot", "ShowMainWinDraw",
                   "ShowMainWinTray", "AutoHide", "StartUpAutoHide", "AutoFocus", "AlwaysOnTop",
                   "KLLanguage", "Language", "DefaultLanguage", "HelpFile"}));
}
