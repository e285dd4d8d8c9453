// Page switching and the two page dialogs over the caption.
#include <gtest/gtest.h>

#include "dialog_answerer.h"
#include "note_storage.h"
#include "pages.h"
#include "pump.h"
#include "quill_ids.h"
#include "test_notes.h"

namespace quill::test {
namespace {

class PageTest : public NotesTest {
 protected:
  void SetUp() override {
    WriteNoteValue(t, "Quill", "Text3", "page four");
    WriteNoteValue(t, "Quill", "Text9", "page ten");
    Set("Quill", "Title3", "Shopping");
    Start();
    SendMessageA(t.notes[0].window, WM_COMMAND, CMD_OPEN, 0);
  }
  NoteRecord& Main() { return t.notes[0]; }
  LRESULT Command(int id) { return SendMessageA(Main().window, WM_COMMAND, id, 0); }
};

TEST_F(PageTest, SwitchingStoresFirstAndWrapsAround) {
  SetWindowTextA(Edit(0), "typed on page one");
  Command(CMD_PREV_PAGE);
  EXPECT_EQ(Main().page, 9);
  EXPECT_EQ(EditText(0), "page ten");
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "typed on page one");
  Command(CMD_NEXT_PAGE);
  EXPECT_EQ(Main().page, 0);
  EXPECT_EQ(EditText(0), "typed on page one");
  for (int i = 0; i < 3; ++i) Command(CMD_NEXT_PAGE);
  EXPECT_EQ(EditText(0), "page four");
  EXPECT_STREQ(Main().titles[Main().page], "Shopping");
  EXPECT_FALSE(Main().empty);
  Command(CMD_NEXT_PAGE);
  EXPECT_TRUE(Main().empty);
  EXPECT_EQ(Get("Quill", "Title3"), "Shopping");
}

TEST_F(PageTest, ArrowClicksTurnPages) {
  RECT rc{};
  GetWindowRect(Main().window, &rc);
  POINT right{rc.left + t.rightArrow.left + 2, rc.top + t.rightArrow.top + 8};
  SendMessageA(Main().window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(right.x, right.y));
  EXPECT_EQ(Main().page, 1);
  POINT left{rc.left + t.leftArrow.left + 2, rc.top + t.leftArrow.top + 8};
  SendMessageA(Main().window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(left.x, left.y));
  SendMessageA(Main().window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(left.x, left.y));
  EXPECT_EQ(Main().page, 9);
}

TEST_F(PageTest, TitleRedrawnAfterKeysAlwaysAfterArrowsOnlyOnWideNotes) {
  HWND w = Main().window;
  auto resize = [&](int width) {
    SetWindowPos(w, HWND_TOPMOST, 100, 100, width, 200, SWP_NOACTIVATE);
    SendMessageA(w, WM_NCPAINT, 1, 0);
    sw::test::PumpMessages(50);
  };
  const COLORREF magenta = RGB(255, 0, 255);
  auto bandPixel = [&](COLORREF mark) {  // marks the title band first when `mark` is given
    HDC dc = GetWindowDC(w);
    RECT band{t.leftArrow.right + 1, t.leftArrow.top, t.rightArrow.left - 1, t.leftArrow.bottom + 2};
    if (mark != CLR_INVALID) {
      HBRUSH b = CreateSolidBrush(mark);
      FillRect(dc, &band, b);
      DeleteObject(b);
    }
    COLORREF c = GetPixel(dc, band.left + 2, band.bottom - 1);
    ReleaseDC(w, dc);
    return c;
  };
  auto clickRightArrow = [&] {
    RECT rc{};
    GetWindowRect(w, &rc);
    SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION,
                 MAKELPARAM(rc.left + t.rightArrow.left + 2, rc.top + t.rightArrow.top + 8));
  };
  resize(140);
  ASSERT_EQ(bandPixel(magenta), magenta);
  clickRightArrow();
  EXPECT_EQ(Main().page, 1);
  EXPECT_EQ(bandPixel(CLR_INVALID), magenta);  // narrow: the arrow leaves the title alone
  Command(CMD_NEXT_PAGE);
  EXPECT_EQ(bandPixel(CLR_INVALID), t.colors.shade);  // a key always redraws it
  resize(200);
  bandPixel(magenta);
  clickRightArrow();
  EXPECT_EQ(Main().page, 3);
  EXPECT_EQ(bandPixel(CLR_INVALID), t.colors.shade);
}

TEST_F(PageTest, ChoosePagePreviewsWithoutStoringAndSelects) {
  SetWindowTextA(Edit(0), "current text");
  sw::test::DialogAnswerer answerer;
  std::string preview, stored3;
  RECT placed{};
  bool boundToNote = false;
  answerer.OnDialog([&](HWND dialog) {
    GetWindowRect(dialog, &placed);
    boundToNote = Main().pageDialog == dialog;
    HWND list = GetDlgItem(dialog, IDC_PAGE_LIST);
    SendMessageA(list, CB_SETCURSEL, 3, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PAGE_LIST, CBN_SELCHANGE), LPARAM(list));
    preview = EditText(0);
    SendMessageA(Main().window, WM_TIMER, TIMER_SAVE, 0);  // the minute passes meanwhile
    stored3 = ReadNoteValue(t, "Quill", "Text3");
    return IDOK;
  });
  ChoosePage(t, Main());
  EXPECT_TRUE(boundToNote);
  EXPECT_EQ(preview, "page four");
  EXPECT_EQ(stored3, "page four");
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "current text");
  EXPECT_EQ(Main().page, 3);
  EXPECT_EQ(EditText(0), "page four");
  EXPECT_EQ(Main().pageDialog, nullptr);
  RECT note{};
  GetWindowRect(Main().window, &note);
  EXPECT_EQ(placed.left, note.left + t.leftArrow.left + 13);
  EXPECT_EQ(placed.top, note.top + (t.captionHeight - 20) / 2 + 1);
  EXPECT_EQ(placed.right - placed.left, t.rightArrow.left - t.leftArrow.left + 4);
  EXPECT_EQ(placed.bottom - placed.top, 24);
}

TEST_F(PageTest, PageNameKeepsSeventyNineCharactersAndCancelKeepsTheTitle) {
  sw::test::DialogAnswerer answerer;
  answerer.OnDialog([&](HWND dialog) {
    EXPECT_EQ(sw::test::WindowText(GetDlgItem(dialog, IDC_PAGE_NAME)), "Page 1");
    SetDlgItemTextA(dialog, IDC_PAGE_NAME, std::string(100, 'n').c_str());
    return IDOK;
  });
  RenamePage(t, Main());
  EXPECT_EQ(std::string(Main().titles[0]), std::string(79, 'n'));
  answerer.OnDialog([&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_PAGE_NAME, "ignored");
    return IDCANCEL;
  });
  RenamePage(t, Main());
  EXPECT_EQ(std::string(Main().titles[0]), std::string(79, 'n'));
  Command(CMD_SAVE);
  EXPECT_EQ(Get("Quill", "Title0"), std::string(79, 'n'));
}

}  // namespace
}  // namespace quill::test
