// Memory display, printing, Help and About.
#include <gtest/gtest.h>

#include "dialog_answerer.h"
#include "info_dialogs.h"
#include "memory_dialog.h"
#include "note_storage.h"
#include "print_note.h"
#include "quill_ids.h"
#include "test_notes.h"

namespace quill::test {
namespace {

TEST(MemoryTest, KilobytesGroupedByThousandsWithASign) {
  EXPECT_EQ(FormatKb(0), " 0 kb");
  EXPECT_EQ(FormatKb(999), " 999 kb");
  EXPECT_EQ(FormatKb(1000), " 1 000 kb");
  EXPECT_EQ(FormatKb(32000), " 32 000 kb");
  EXPECT_EQ(FormatKb(1234567), " 1234 567 kb");
  EXPECT_EQ(FormatKb(-999), "-999 kb");
  EXPECT_EQ(FormatKb(-1500), "-1 500 kb");
}

TEST(MemoryTest, BaselineAndPeakPersistUntilReset) {
  MemoryState m;
  const uint64_t mb = 1024 * 1024;
  MemoryFields f = RefreshMemory(m, 500 * mb, 1000 * mb, 300 * mb, 2000 * mb);
  EXPECT_EQ(m.baseline, int64_t(800 * mb));
  EXPECT_EQ(f.availPhys, 500 * 1024);
  EXPECT_EQ(f.totalPage, 2000 * 1024);
  EXPECT_EQ(f.used, 0);
  f = RefreshMemory(m, 400 * mb, 1000 * mb, 300 * mb, 2000 * mb);
  EXPECT_EQ(f.used, 100 * 1024);
  EXPECT_EQ(f.peak, 100 * 1024);
  f = RefreshMemory(m, 550 * mb, 1000 * mb, 300 * mb, 2000 * mb);  // less in use than at start
  EXPECT_EQ(f.used, -50 * 1024);
  EXPECT_EQ(f.peak, 100 * 1024);
  m.baseline = 0;  // "Used:"
  f = RefreshMemory(m, 550 * mb, 1000 * mb, 300 * mb, 2000 * mb);
  EXPECT_EQ(f.used, 0);
  EXPECT_EQ(f.peak, 0);
}

using DialogsTest = NotesTest;

TEST_F(DialogsTest, MemoryDialogShowsFieldsAndUsedResets) {
  Set("Quill", "ShowStartup", "0");
  Start();
  sw::test::DialogAnswerer answerer;
  std::string caption, used, peak, total;
  bool topMost = false;
  answerer.OnDialog([&](HWND dialog) {
    caption = sw::test::WindowText(dialog);
    topMost = GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST;
    t.memory.peak = 7 * 1024 * 1024;
    SendMessageA(dialog, WM_COMMAND, IDC_MEM_USED_BUTTON, 0);  // a new measurement from here
    used = sw::test::WindowText(GetDlgItem(dialog, IDC_MEM_USED));
    peak = sw::test::WindowText(GetDlgItem(dialog, IDC_MEM_PEAK));
    total = sw::test::WindowText(GetDlgItem(dialog, IDC_MEM_TOTAL_PHYS));
    return IDOK;
  });
  SendMessageA(t.notes[0].window, WM_COMMAND, CMD_MEMORY, 0);
  EXPECT_EQ(caption, "Memory Available");
  EXPECT_TRUE(topMost);
  EXPECT_EQ(used, " 0 kb");
  EXPECT_EQ(peak, " 0 kb");
  ASSERT_GT(total.size(), 4u);
  EXPECT_EQ(total[0], ' ');
  EXPECT_EQ(total.substr(total.size() - 3), " kb");
  EXPECT_NE(t.memory.baseline, 0);
  // The baseline and peak outlive the dialog.
  int64_t baseline = t.memory.baseline;
  answerer.OnDialog([&](HWND) { return IDCANCEL; });
  SendMessageA(t.notes[0].window, WM_COMMAND, CMD_MEMORY, 0);
  EXPECT_EQ(t.memory.baseline, baseline);
}

TEST_F(DialogsTest, PrintingLeavesBlankPagesOutAndGoesThroughTheSeam) {
  WriteNoteValue(t, "Quill Green", "Text0", "stored one");
  WriteNoteValue(t, "Quill Green", "Text1", "two\xA3lines");
  WriteNoteValue(t, "Quill Green", "Text2", " \xA3 ");
  Set("Quill Green", "Title1", "Second");
  Start();
  NoteRecord& g = t.notes[1];
  ASSERT_TRUE(g.inUse);
  SetWindowTextA(Edit(1), "edited one");  // the current page prints from the edit control
  printer.from = 1;
  printer.to = 10;
  SendMessageA(g.window, WM_COMMAND, CMD_PRINT, 0);
  EXPECT_EQ(printer.presetFrom, 1);
  EXPECT_EQ(printer.presetTo, 1);
  ASSERT_EQ(printer.texts.size(), 1u);
  EXPECT_EQ(printer.documents[0], "Quillnote!");
  EXPECT_EQ(printer.texts[0],
            "Quill Green\r\n===========\r\n\r\n"
            "Page 1 :\r\n--------\r\nedited one\r\n\r\n"
            "Second :\r\n--------\r\ntwo\r\nlines\r\n\r\n");
  printer.accept = false;
  SendMessageA(g.window, WM_COMMAND, CMD_PRINT, 0);
  EXPECT_EQ(printer.texts.size(), 1u);
}

TEST_F(DialogsTest, LongPrintDocumentsAreCutAtALineEnd) {
  std::string line(99, 'x');
  std::string page;
  for (int i = 0; i < 60; ++i) page += line + "\xA3";  // 6 000 bytes a page
  for (int p = 1; p < 10; ++p) {
    char key[8];
    snprintf(key, sizeof key, "Text%d", p);
    WriteNoteValue(t, "Quill", key, page);
  }
  Set("Quill", "ShowStartup", "0");
  Start();
  std::string doc = BuildPrintText(t, t.notes[0], 1, 10);
  EXPECT_LT(doc.size(), kPrintBufferSize);
  EXPECT_GT(doc.size(), kPrintBufferSize - 200);
  EXPECT_EQ(doc.substr(doc.size() - 2), "\r\n");
  EXPECT_EQ(doc.substr(doc.size() - 101, 99), line);
}

TEST_F(DialogsTest, HelpAndAboutAreCentredWithTheirTexts) {
  Set("Quill", "ShowStartup", "0");
  Start();
  sw::test::DialogAnswerer answerer;
  std::vector<std::string> captions;
  std::string help;
  bool centred = true;
  answerer.OnDialog([&](HWND dialog) {
    captions.push_back(sw::test::WindowText(dialog));
    if (HWND text = GetDlgItem(dialog, IDC_HELP_TEXT); text && captions.size() == 1)
      help = sw::test::WindowText(text);
    RECT rc{};
    GetWindowRect(dialog, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    centred = centred && rc.left == GetSystemMetrics(SM_CXSCREEN) / 2 - w / 2 &&
              rc.top == GetSystemMetrics(SM_CYSCREEN) / 2 - h / 2;
    return IDOK;
  });
  SendMessageA(t.notes[0].window, WM_COMMAND, CMD_HELP, 0);
  SendMessageA(t.notes[0].window, WM_COMMAND, CMD_ABOUT, 0);
  EXPECT_EQ(captions, (std::vector<std::string>{"Help on Quillnote", "About Quillnote"}));
  EXPECT_EQ(help, kHelpText);
  EXPECT_TRUE(centred);
}

}  // namespace
}  // namespace quill::test
