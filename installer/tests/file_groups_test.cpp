// Copying the medium's file groups: names, directories, byte-exact expansion and failures.
#include <gtest/gtest.h>
#include <windows.h>

#include "file_groups.h"
#include "fixtures.h"

namespace install::test {
namespace {

const std::initializer_list<const char*> kAllFiles = {
    "Kurvo.ex_", "Liesmich.txt", "SCHEMES.KV_", "TINY.WA_",   "kvo_eng.dl_",
    "kvo_ger.dl_", "kvo_ger.hl_", "kvo_swe.dl_", "kvowiz.ex_", "qcks_eng.qk_"};

// The name a directory search reports for `path`, to see its letter case on disk.
std::string NameOnDisk(const std::string& path) {
  WIN32_FIND_DATAA fd{};
  HANDLE h = FindFirstFileA(path.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return "(missing)";
  FindClose(h);
  return fd.cFileName;
}

TEST(FileGroups, DestinationNamesTakeTheTargetExtensionInLowerCase) {
  EXPECT_EQ(DestinationName("SCHEMES.KV_", "kvo"), "schemes.kvo");
  EXPECT_EQ(DestinationName("Kurvo.ex_", "exe"), "kurvo.exe");
  EXPECT_EQ(DestinationName("qcks_eng.qk_", "qks"), "qcks_eng.qks");
  EXPECT_EQ(DestinationName("Liesmich.txt", "txt"), "liesmich.txt");
  ASSERT_EQ(FileGroups().size(), 14u);
  EXPECT_STREQ(FileGroups()[13].pattern, "Kurvo.ex_");
}

TEST(FileGroups, EveryGroupLandsByteExactInItsDirectory) {
  TestInstall t("Groups");
  FillMedium(t.medium.Path(), kAllFiles);
  InstallReport report;
  CopyFileGroups(t.medium.Path(), t.Target(), report);
  EXPECT_TRUE(report.Ok()) << report.LogText();

  const std::string orig = OriginalsDir();
  struct Expect { const char* installed; const char* original; };
  const Expect files[] = {
      {"schemes\\schemes.kvo", "SCHEMES.KVO"}, {"sounds\\tiny.wav", "TINY.WAV"},
      {"system\\kvo_eng.dll", "kvo_eng.dll"},  {"system\\kvo_ger.dll", "kvo_ger.dll"},
      {"system\\kvo_ger.hlp", "kvo_ger.hlp"},  {"system\\kvo_swe.dll", "kvo_swe.dll"},
      {"system\\kvowiz.exe", "kvowiz.exe"},    {"system\\qcks_eng.qks", "qcks_eng.qks"},
      {"kurvo.exe", "Kurvo.exe"},
  };
  for (const auto& f : files) {
    std::string installed = Bytes(t.Target() + "\\" + f.installed);
    EXPECT_FALSE(installed.empty()) << f.installed;
    EXPECT_TRUE(installed == Bytes(orig + "\\" + f.original)) << f.installed;
  }
  EXPECT_EQ(Bytes(t.Target() + "\\liesmich.txt"), "Lies mich\r\n");
  EXPECT_EQ(NameOnDisk(t.Target() + "\\schemes\\schemes.kvo"), "schemes.kvo");
  EXPECT_EQ(NameOnDisk(t.Target() + "\\kurvo.exe"), "kurvo.exe");
  // Group 3 copies Kurvo.ex_ into the system directory too; it is removed before group 8.
  EXPECT_FALSE(sw::test::FileExists(t.Target() + "\\system\\kurvo.exe"));
}

TEST(FileGroups, AnEmptyMediumCreatesTheDirectoriesAndIsNoFailure) {
  TestInstall t("Empty");
  InstallReport report;
  CopyFileGroups(t.medium.Path(), t.Target(), report);
  EXPECT_TRUE(report.Ok()) << report.LogText();
  for (const char* dir : {"", "\\schemes", "\\sounds", "\\system"}) {
    DWORD a = GetFileAttributesA((t.Target() + dir).c_str());
    EXPECT_TRUE(a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) << dir;
  }
}

TEST(FileGroups, ATruncatedCompressedFileIsAFailureAndTheOthersStillInstall) {
  TestInstall t("Corrupt");
  FillMedium(t.medium.Path(), {"kvo_eng.dl_", "kvo_ger.dl_"});
  std::string packed = Bytes(t.medium.File("kvo_eng.dl_"));
  ASSERT_GT(packed.size(), 200u);
  sw::test::WriteFileBytes(t.medium.File("kvo_eng.dl_"), packed.substr(0, packed.size() / 2));
  InstallReport report;
  CopyFileGroups(t.medium.Path(), t.Target(), report);
  ASSERT_EQ(report.failures.size(), 1u) << report.LogText();
  EXPECT_NE(report.failures[0].find("kvo_eng.dl_"), std::string::npos);
  EXPECT_TRUE(Bytes(t.Target() + "\\system\\kvo_ger.dll") ==
              Bytes(OriginalsDir() + "\\kvo_ger.dll"));
}

TEST(FileGroups, ATargetThatCannotBeCreatedIsReportedOnceWithEachFile) {
  TestInstall t("NoTarget");
  FillMedium(t.medium.Path(), {"kvo_eng.dl_", "SCHEMES.KV_"});
  // A file stands where the target's parent folder would have to be.
  sw::test::WriteFileBytes(t.root.File("blocker"), "x");
  InstallReport report;
  CopyFileGroups(t.medium.Path(), t.root.File("blocker") + "\\Kurvo", report);
  ASSERT_EQ(report.failures.size(), 3u) << report.LogText();
  EXPECT_NE(report.failures[0].find("anlegen"), std::string::npos);
}

TEST(FileGroups, ExpandedSizeReadsTheHeaderOrThePlainSize) {
  TestInstall t("Sizes");
  FillMedium(t.medium.Path(), {"kvo_eng.dl_", "TINY.WA_"});
  EXPECT_EQ(ExpandedSize(t.medium.File("kvo_eng.dl_")),
            static_cast<long long>(Bytes(OriginalsDir() + "\\kvo_eng.dll").size()));
  EXPECT_EQ(ExpandedSize(t.medium.File("TINY.WA_")), 9);
  EXPECT_EQ(ExpandedSize(t.medium.File("none.dl_")), -1);
  EXPECT_FALSE(ExpandFile(t.medium.File("none.dl_"), t.root.File("none.dll")));
  EXPECT_FALSE(sw::test::FileExists(t.root.File("none.dll")));
}

}  // namespace
}  // namespace install::test
