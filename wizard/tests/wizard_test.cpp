// The quick-start wizard: reading pages and paging through them.
#include <gtest/gtest.h>
#include <windows.h>

#include "dialog_answerer.h"
#include "quickstart_pages.h"
#include "temp_dir.h"
#include "wizard_dialog.h"
#include "wizard_ids.h"

namespace kvowiz {
namespace {

using sw::test::WindowText;

TEST(Pages, SectionsBecomePagesWithCrLfText) {
  auto pages = ParsePages("ignored preface\n[Welcome]\n\nFirst line\nSecond\n\n[Next one]Inline\r\n");
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].title, "Welcome");
  EXPECT_EQ(pages[0].text, "First line\r\nSecond");
  EXPECT_EQ(pages[1].title, "Next one");
  EXPECT_EQ(pages[1].text, "Inline");
  EXPECT_TRUE(ParsePages("").empty());
  EXPECT_TRUE(ParsePages("no titles at all").empty());
  // A title that never closes ends the file.
  EXPECT_EQ(ParsePages("[A]a\n[B unclosed").size(), 1u);
  EXPECT_EQ(ParsePages("[A]\n  indented\n")[0].text, "  indented");
}

TEST(Pages, LongInputIsCutToTheFields) {
  std::string file;
  for (int i = 0; i < 100; ++i) file += "[" + std::string(300, 't') + "]" + std::string(20000, 'x');
  auto pages = ParsePages(file);
  EXPECT_EQ(pages.size(), kMaxPages);
  EXPECT_EQ(pages[0].title.size(), kMaxTitle);
  EXPECT_EQ(pages[0].text.size(), kMaxText);
  // A line end is never cut in half.
  std::string lines;
  for (int i = 0; i < 5000; ++i) lines += "ab\n";
  auto cut = ParsePages("[L]" + lines)[0].text;
  EXPECT_LE(cut.size(), kMaxText);
  EXPECT_NE(cut.back(), '\r');
}

TEST(Pages, OnlyPlainNamesMakeAPath) {
  EXPECT_EQ(PagesPath("c:\\k\\system", "qcks_eng"), "c:\\k\\system\\qcks_eng.qks");
  EXPECT_EQ(PagesPath("d", "..\\x"), "");
  EXPECT_EQ(PagesPath("d", "a/b"), "");
  EXPECT_EQ(PagesPath("d", "c:x"), "");
  EXPECT_EQ(PagesPath("d", ""), "");
  EXPECT_EQ(PagesPath("d", std::string(33, 'a')), "");
}

TEST(Start, FindsThePagesBesideTheProgramOrSaysWhatIsMissing) {
  sw::test::TempDir dir;
  dir.Write("qcks_eng.qks", "[One]\r\nfirst\r\n[Two]\r\nsecond\r\n");
  dir.Write("qcks_ger.qks", "nothing");
  WizardStart english = PrepareWizard(dir.Path(), "");
  EXPECT_TRUE(english.error.empty());
  EXPECT_EQ(english.pages.size(), 2u);
  EXPECT_EQ(PrepareWizard(dir.Path(), " \"qcks_eng\" ").pages.size(), 2u);

  WizardStart swedish = PrepareWizard(dir.Path(), "qcks_swe");
  EXPECT_EQ(swedish.error, "The quick-start pages could not be found:\n" + dir.File("qcks_swe.qks") +
                               "\n\nPlease install Strokewise again.");
  EXPECT_EQ(PrepareWizard(dir.Path(), "qcks_ger").error,
            "The quick-start file holds no pages:\n" + dir.File("qcks_ger.qks"));
  EXPECT_EQ(PrepareWizard(dir.Path(), "..\\..\\boot").error,
            "\"..\\..\\boot\" does not name quick-start pages.");
}

void Click(HWND dlg, int id) {
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

TEST(WizardDialog, BackAndNextWalkThePagesAndCloseEnds) {
  std::vector<Page> pages = ParsePages("[One]\nfirst\n[Two]\nsecond\nline\n[Three]\nthird\n");
  HWND dlg = CreateWizardDialog(GetModuleHandleA(nullptr), pages);
  ASSERT_TRUE(dlg);
  EXPECT_EQ(WindowText(dlg), "Strokewise Quick Start");
  EXPECT_EQ(WindowText(GetDlgItem(dlg, IDC_TITLE)), "One");
  EXPECT_EQ(WindowText(GetDlgItem(dlg, IDC_PAGE_NUMBER)), "Page 1 of 3");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDC_BACK)));
  Click(dlg, IDC_BACK);  // nothing before the first page
  EXPECT_EQ(WindowText(GetDlgItem(dlg, IDC_TITLE)), "One");

  Click(dlg, IDC_NEXT);
  EXPECT_EQ(WindowText(GetDlgItem(dlg, IDC_PAGE_TEXT)), "second\r\nline");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, IDC_BACK)));
  Click(dlg, IDC_NEXT);
  Click(dlg, IDC_NEXT);  // stays on the last page
  EXPECT_EQ(WindowText(GetDlgItem(dlg, IDC_PAGE_NUMBER)), "Page 3 of 3");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDC_NEXT)));
  EXPECT_EQ(LOWORD(SendMessageA(dlg, DM_GETDEFID, 0, 0)), IDC_CLOSE);
  Click(dlg, IDC_BACK);
  EXPECT_EQ(WindowText(GetDlgItem(dlg, IDC_TITLE)), "Two");

  Click(dlg, IDC_CLOSE);
  EXPECT_FALSE(IsWindow(dlg));
}

}  // namespace
}  // namespace kvowiz
