// The settings Install writes, the language table and the command line of the silent mode.
#include <gtest/gtest.h>
#include <windows.h>

#include "fixtures.h"
#include "languages.h"
#include "registry_scope.h"
#include "settings_writer.h"
#include "silent.h"

namespace install::test {
namespace {

TEST(Settings, ValuesAre512ByteStrings) {
  sw::test::RegistryScope scope(HKEY_LOCAL_MACHINE, "SOFTWARE\\StrokewiseTest\\Installer\\Order");
  SettingsKey key{HKEY_LOCAL_MACHINE, scope.Path()};
  InstallReport report;
  WriteInitialSettings(key, "c:\\Kurvo", 7, report);
  EXPECT_TRUE(report.Ok());

  const char* expected[][2] = {
      {"Directory", "c:\\Kurvo"}, {"MouseBtn", "1"},        {"Sound", "1"},
      {"Language", "7"},          {"DefaultLanguage", "0"}, {"KLLanguage", "7"},
      {"SoundName", "None"},      {"HelpFile", "kvo_swe.hlp"}, {"ShowMainWinDraw", "1"},
      {"ShowMainWinTray", "1"},   {"RecognitionKLK", "1"},  {"AutoFocus", "0"},
      {"AutoHide", "2"},          {"StartUpAutoHide", "2"},
  };
  for (const auto& e : expected) {
    std::string value;
    EXPECT_TRUE(sw::test::GetRegString(HKEY_LOCAL_MACHINE, scope.Path(), e[0], &value)) << e[0];
    EXPECT_EQ(value, e[1]);
    EXPECT_EQ(sw::test::RegValueSize(HKEY_LOCAL_MACHINE, scope.Path(), e[0]), 512) << e[0];
  }
  EXPECT_EQ(InitialSettings("c:\\Kurvo", 7).size(), std::size(expected));
}

TEST(Settings, AnIndexOutsideTheTableGivesAHelpFileWithoutCode) {
  auto values = InitialSettings("d:\\x", 12);
  EXPECT_EQ(values[7].first, "HelpFile");
  EXPECT_EQ(values[7].second, "kvo_.hlp");
  EXPECT_EQ(values[3].second, "12");
}

TEST(Languages, OfferedByTheMediumFilesAndMappedToTheSharedIndex) {
  TestInstall t("Languages");
  EXPECT_TRUE(OfferedLanguages(t.medium.Path()).empty());
  FillMedium(t.medium.Path(), {"kvo_eng.dl_", "kvo_ger.hl_", "kvo_swe.dl_"});
  std::vector<std::string> expected = {"English", "Deutsch", "Swedish"};
  EXPECT_EQ(OfferedLanguages(t.medium.Path()), expected);
  EXPECT_EQ(LanguageIndexOfEntry("Deutsch"), 1);
  EXPECT_EQ(LanguageIndexOfEntry("Swedish"), 7);
  EXPECT_EQ(LanguageIndexOfEntry("Finnish"), 9);
  EXPECT_EQ(LanguageIndexOfEntry("Danish"), 0);  // not offered: no row
  EXPECT_EQ(LanguageIndexOfEntry("deutsch"), 0);
  EXPECT_EQ(LanguageCode(6), "dan");
  EXPECT_EQ(LanguageCode(10), "");
  EXPECT_EQ(LanguageCode(-1), "");
}

TEST(Languages, TheMediumIsTheCurrentFolderUnlessOnlyTheProgramsFolderHoldsIt) {
  TestInstall t("MediumDir");
  sw::test::TempDir other;
  EXPECT_EQ(ChooseMediumDirectory(other.Path(), t.medium.Path()), other.Path());
  FillMedium(t.medium.Path(), {"kvo_ger.dl_"});
  EXPECT_EQ(ChooseMediumDirectory(other.Path(), t.medium.Path()), t.medium.Path());
  FillMedium(other.Path(), {"kvo_eng.dl_"});
  EXPECT_EQ(ChooseMediumDirectory(other.Path(), t.medium.Path()), other.Path());
  EXPECT_EQ(ChooseMediumDirectory(other.Path(), ""), other.Path());
}

TEST(CommandLine, SwitchesValuesAndBlanks) {
  CommandLine a = ParseCommandLine("/s /d=C:\\Program Files\\Kurvo\\ /L=ger /startup");
  EXPECT_TRUE(a.silent);
  EXPECT_EQ(a.directory, "C:\\Program Files\\Kurvo\\");
  EXPECT_EQ(a.language, "ger");
  EXPECT_TRUE(a.startUp);
  EXPECT_FALSE(a.noWizard);
  EXPECT_TRUE(a.unknown.empty());

  CommandLine b = ParseCommandLine("/S \"/D=e:\\a b\" /NOWIZARD extra");
  EXPECT_EQ(b.directory, "e:\\a b");
  EXPECT_TRUE(b.noWizard);
  EXPECT_EQ(b.unknown, "extra");
  EXPECT_EQ(b.language, "eng");

  CommandLine c = ParseCommandLine("");
  EXPECT_FALSE(c.silent);
  EXPECT_EQ(c.directory, "c:\\Kurvo");
  EXPECT_EQ(ParseCommandLine("/S /D=" + std::string(400, 'x')).directory.size(), 254u);

  EXPECT_EQ(LanguageIndexOfCode("SWE"), 7);
  EXPECT_EQ(LanguageIndexOfCode("dan"), 6);
  EXPECT_EQ(LanguageIndexOfCode("english"), -1);
}

}  // namespace
}  // namespace install::test
