// Files dropped on the main window: a real drop handle sent as WM_DROPFILES.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "drop_install.h"
#include "kurvo_fixture.h"
#include "main_window.h"
#include "pump.h"

using namespace kurvo;
using namespace kurvo::test;

namespace {

// A drop handle as the shell builds it: DROPFILES followed by the zero-separated paths.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& p : paths) list += p + '\0';
  list += '\0';
  HGLOBAL g = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(g));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
  GlobalUnlock(g);
  return g;
}

}  // namespace

class DropTest : public KurvoTest {
 protected:
  void SetUp() override {
    KurvoTest::SetUp();
    WriteInstalledSettings();
    InstallLibraries();
    main_ = CreateMain();
    CreateDirectoryA((Dir() + "\\in").c_str(), nullptr);
    answerer_.Clear();
  }
  void Drop(const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& n : names) paths.push_back(Dir() + "\\in\\" + n);
    SendMessageA(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    return sw::test::ReadFileBytes(path, &bytes) ? bytes : "<missing>";
  }
  HWND main_ = nullptr;
};

TEST_F(DropTest, SchemeAndCompressedLibraryAreInstalled) {
  dir_.Write("in\\office.kvo", "[App]\r\nName=Office\r\n");
  ASSERT_TRUE(CopyFileA(sw::test::HostToWinePath(KURVO_TEST_COMPRESSED).c_str(), (Dir() + "\\in\\kvo_ger.dl_").c_str(), FALSE));
  Drop({"office.kvo", "kvo_ger.dl_"});
  EXPECT_EQ(Read(SchemeDir() + "office.kvo"), "[App]\r\nName=Office\r\n");
  std::string original;
  ASSERT_TRUE(sw::test::ReadFileBytes(LanguageLibraryPath(), &original));
  EXPECT_TRUE(Read(SystemDir() + "kvo_ger.dll") == original);
  ASSERT_EQ(answerer_.Count(), 1u);
  EXPECT_EQ(answerer_.Seen()[0].caption, "Drag&Drop");
  EXPECT_EQ(answerer_.Seen()[0].text,
            "Drag&drop: 2 files has been successfully installed.\nChanges will take effect when you restart Strokewise.");
}

TEST_F(DropTest, ExtensionCaseRules) {
  EXPECT_EQ(DropDestination("C:\\x\\SCHEME.KVO", "S\\", "Y\\"), "S\\SCHEME.kvo");
  EXPECT_EQ(DropDestination("C:\\x\\SCHEME.KV_", "S\\", "Y\\"), "");
  EXPECT_EQ(DropDestination("C:\\x\\a.b.Dll", "S\\", "Y\\"), "Y\\a.b.dll");
  EXPECT_EQ(DropDestination("C:\\x\\lib.DL_", "S\\", "Y\\"), "");
  EXPECT_EQ(DropDestination("C:\\x.y\\noext", "S\\", "Y\\"), "");

  dir_.Write("in\\SCHEME.KVO", "[App]\r\nName=Upper\r\n");
  Drop({"SCHEME.KVO"});
  EXPECT_EQ(Read(SchemeDir() + "SCHEME.kvo"), "[App]\r\nName=Upper\r\n");
  dir_.Write("in\\SCHEME.KV_", "x");
  answerer_.Clear();
  Drop({"SCHEME.KV_"});
  ASSERT_EQ(answerer_.Count(), 1u);
  EXPECT_EQ(answerer_.Seen()[0].text, "This file: " + Dir() + "\\in\\SCHEME.KV_\nis not compatible with Strokewise.");
}

TEST_F(DropTest, ARejectedFileStopsTheDropWithoutSummary) {
  dir_.Write("in\\a.kvo", "a");
  dir_.Write("in\\b.txt", "b");
  dir_.Write("in\\c.kvo", "c");
  Drop({"a.kvo", "b.txt", "c.kvo"});
  EXPECT_EQ(Read(SchemeDir() + "a.kvo"), "a");
  EXPECT_EQ(Read(SchemeDir() + "c.kvo"), "<missing>");
  ASSERT_EQ(answerer_.Count(), 1u);
  EXPECT_EQ(answerer_.Seen()[0].caption, "Drag&Drop");
  EXPECT_NE(answerer_.Seen()[0].text.find("b.txt\nis not compatible"), std::string::npos);
}

TEST_F(DropTest, AFailedCopyIsNamedAndStillCounted) {
  dir_.Write("in\\good.kvo", "g");
  Drop({"gone.kvo", "good.kvo"});
  ASSERT_EQ(answerer_.Count(), 2u);
  EXPECT_EQ(answerer_.Seen()[0].text, "These files could not be copied:\n" + Dir() + "\\in\\gone.kvo");
  EXPECT_EQ(answerer_.Seen()[1].text.substr(0, 13), "Drag&drop: 2 ");
  EXPECT_EQ(Read(SchemeDir() + "gone.kvo"), "<missing>");  // no empty file left behind
}
