// The real note windows in the test process: start-up, caption areas, messages and commands.
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include "caption.h"
#include "dialog_answerer.h"
#include "note_lifecycle.h"
#include "note_settings.h"
#include "note_storage.h"
#include "pump.h"
#include "quill_ids.h"
#include "test_notes.h"

namespace quill::test {
namespace {

using sw::test::PumpMessages;

class WindowTest : public NotesTest {
 protected:
  void StartHidden() {
    Set("Quill", "ShowStartup", "0");
    Start();
  }
  LRESULT Command(int note, int id) {
    return SendMessageA(t.notes[note].window, WM_COMMAND, id, 0);
  }
  // Screen position of a point given relative to the note window.
  LPARAM ScreenPoint(int note, int x, int y) {
    RECT rc{};
    GetWindowRect(t.notes[note].window, &rc);
    return MAKELPARAM(rc.left + x, rc.top + y);
  }
  bool HasTrayIcon(HWND window) {
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = window;
    nid.uID = TRAY_ID;
    nid.uFlags = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
  }
  bool QuitPosted() {
    MSG m;
    return PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  }
  UINT MenuState(int note, int id) { return GetMenuState(t.notes[note].popup, id, MF_BYCOMMAND); }
};

TEST_F(WindowTest, StartUpCreatesOnlyColouredNotesWithAFirstPage) {
  WriteNoteValue(t, "Quill Green", "Text0", "green text");
  WriteNoteValue(t, "Quill Blue", "Text0", "  \xA3  ");  // blank first page...
  WriteNoteValue(t, "Quill Blue", "Text4", "blue text");  // ...although another page has text
  Set("Quill Red", "Text0", "red from settings");
  Start();
  EXPECT_TRUE(t.notes[0].inUse);
  EXPECT_TRUE(t.notes[1].inUse);
  EXPECT_FALSE(t.notes[2].inUse);
  EXPECT_TRUE(t.notes[3].inUse);
  EXPECT_EQ(EditText(1), "green text");
  EXPECT_EQ(EditText(3), "red from settings");
  // Coloured notes with text open at start-up; an empty main note stays hidden.
  EXPECT_FALSE(IsWindowVisible(t.notes[0].window));
  EXPECT_TRUE(IsWindowVisible(t.notes[1].window));
  EXPECT_TRUE(t.notes[0].empty);
  EXPECT_TRUE(HasTrayIcon(t.notes[0].window));
  EXPECT_TRUE(HasTrayIcon(t.notes[1].window));
  char title[80];
  GetWindowTextA(t.notes[3].window, title, 80);
  EXPECT_STREQ(title, "Quillnote Red");
  EXPECT_STREQ(t.notes[3].titles[9], "Page 10");
}

TEST_F(WindowTest, StoredPlacementIsCheckedAgainstTheScreen) {
  Set("Quill", "SizeX", "300");
  Set("Quill", "SizeY", "5000");  // taller than the screen: height 200, width kept
  Set("Quill", "PosX", "10");
  Set("Quill", "PosY", "20");
  StartHidden();
  Command(0, CMD_OPEN);
  RECT rc{};
  GetWindowRect(t.notes[0].window, &rc);
  EXPECT_EQ(rc.right - rc.left, 300);
  EXPECT_EQ(rc.bottom - rc.top, 200);
  EXPECT_EQ(rc.left, 10);
  EXPECT_EQ(rc.top, 20);
}

TEST_F(WindowTest, CaptionAreasFollowTheMetricsAndTheWidth) {
  StartHidden();
  int ch = GetSystemMetrics(SM_CYCAPTION);
  ch += ch & 1;
  EXPECT_EQ(t.captionHeight, ch);
  EXPECT_EQ(t.leftArrow.left, ch + 10);
  EXPECT_EQ(t.leftArrow.top, 4);
  EXPECT_EQ(t.leftArrow.right, 41);
  EXPECT_EQ(t.leftArrow.bottom, 20);
  HWND w = t.notes[0].window;
  int l = t.leftArrow.left;
  SendMessageA(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(180, 150));
  EXPECT_EQ(t.rightArrow.left, l + 116);
  EXPECT_EQ(t.rightArrow.right, l + 127);
  RECT er{};
  GetClientRect(GetDlgItem(w, IDC_EDIT), &er);
  EXPECT_EQ(er.right, 179);
  EXPECT_EQ(er.bottom, 149);
  SendMessageA(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(50, 150));  // narrower than 64
  EXPECT_EQ(t.rightArrow.left, l + 20);
  t.fussSize = true;
  SendMessageA(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(180, 150));
  EXPECT_EQ(t.rightArrow.left, l + 58);

  POINT inLeft{l + 2, 10}, inRight{t.rightArrow.left + 3, 10}, inBand{l + 30, 10};
  EXPECT_TRUE(InLeftArrow(t, inLeft));
  EXPECT_TRUE(InRightArrow(t, inRight));
  EXPECT_TRUE(InTitleBand(t, inBand));
  EXPECT_FALSE(InTitleBand(t, POINT{l - 1, 10}));
  EXPECT_FALSE(InTitleBand(t, POINT{l + 30, t.leftArrow.top - ch + 19}));
  EXPECT_FALSE(InTitleBand(t, POINT{l + 30, ch + t.leftArrow.bottom - 19}));
}

TEST_F(WindowTest, CaptionShowsSquareArrowsAndTitleOnlyOnWideNotes) {
  StartHidden();
  HWND w = t.notes[0].window;
  Command(0, CMD_OPEN);
  for (int width : {200, 150}) {
    SetWindowPos(w, HWND_TOPMOST, 100, 100, width, 200, SWP_NOACTIVATE);
    SendMessageA(w, WM_NCPAINT, 1, 0);
    PumpMessages(50);
    HDC dc = GetWindowDC(w);
    int ch = t.captionHeight, l = t.leftArrow.left, c = ArrowCentre(t);
    EXPECT_EQ(GetPixel(dc, ch / 2 + 2, ch / 2 + 2), kNoteKinds[0].square);
    EXPECT_EQ(GetPixel(dc, l + 6, c - 7), t.colors.dark);  // the left arrow's outline
    EXPECT_EQ(GetPixel(dc, l + 6, c), t.colors.light);     // and its interior
    EXPECT_EQ(GetPixel(dc, l + 10, c), t.colors.dark);     // right edge of its bar
    EXPECT_EQ(GetPixel(dc, t.rightArrow.right - 7, c - 7), t.colors.dark);
    EXPECT_EQ(GetPixel(dc, t.rightArrow.right - 7, c), t.colors.light);
    EXPECT_EQ(GetPixel(dc, 3, ch + 2), t.colors.shade);  // caption fill
    int textPixels = 0;
    for (int x = l + 16; x < t.rightArrow.right - 18; ++x)
      for (int y = c - 7; y < c + 7; ++y) textPixels += GetPixel(dc, x, y) == t.colors.text;
    ReleaseDC(w, dc);
    if (width > 150) EXPECT_GT(textPixels, 20) << width;
    else EXPECT_EQ(textPixels, 0) << width;
  }
}

TEST_F(WindowTest, EachNoteDrawsItsArrowsForItsOwnWidthAndLongTitlesStayBetweenThem) {
  WriteNoteValue(t, "Quill Green", "Text0", "green");
  Set("Quill Green", "Title0", std::string(79, 'W'));
  StartHidden();
  HWND g = t.notes[1].window, m = t.notes[0].window;
  Command(1, CMD_OPEN);
  Command(0, CMD_OPEN);
  SetWindowPos(g, HWND_TOPMOST, 300, 100, 300, 200, SWP_NOACTIVATE);
  SetWindowPos(m, HWND_TOPMOST, 50, 100, 200, 200, SWP_NOACTIVATE);  // another width, sized last
  ShowWindow(m, SW_SHOWMINIMIZED);  // as a note is hidden at start-up
  ShowWindow(m, SW_HIDE);
  SendMessageA(g, WM_NCPAINT, 1, 0);
  PumpMessages(50);
  RECT client{};
  GetClientRect(g, &client);
  int ch = t.captionHeight, l = t.leftArrow.left, c = ArrowCentre(t);
  int right = l + client.right - 64 + 11, w = 300;
  HDC dc = GetWindowDC(g);
  EXPECT_EQ(GetPixel(dc, ch / 2 + 2, ch / 2 + 2), kNoteKinds[1].square);
  EXPECT_EQ(GetPixel(dc, l + 6, c), t.colors.light);
  EXPECT_EQ(GetPixel(dc, l + 6, c - 7), t.colors.dark);
  EXPECT_EQ(GetPixel(dc, right - 7, c), t.colors.light);
  EXPECT_EQ(GetPixel(dc, right - 7, c - 7), t.colors.dark);
  // Title pixels between the arrows; none beside the square or before the close button.
  int inside = 0, outside = 0;
  for (int y = c - 7; y < c + 7; ++y)
    for (int x = 2; x < w - 6 - t.buttonWidth; ++x) {
      bool text = GetPixel(dc, x, y) == t.colors.text;
      if (x >= l + 13 && x < right - 13) inside += text;
      else if (x < l - 2 || x > right + 2) outside += text;
    }
  ReleaseDC(g, dc);
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}

TEST_F(WindowTest, RightClickOnTheCaptionIsOursOnlyOnWideWindows) {
  StartHidden();
  HWND w = t.notes[0].window;
  SetWindowPos(w, nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(SendMessageA(w, WM_NCRBUTTONUP, HTCAPTION, ScreenPoint(0, t.leftArrow.left + 30, 10)), 0);
  SetWindowPos(w, nullptr, 0, 0, 140, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Narrow: default processing (a system menu would open on the real mouse; not here).
  EXPECT_TRUE(t.notes[0].pageDialog == nullptr);
}

TEST_F(WindowTest, CloseHidesAndSavesAndShowsTheEmptyIcon) {
  StartHidden();
  NoteRecord& r = t.notes[0];
  Command(0, CMD_OPEN);
  EXPECT_TRUE(IsWindowVisible(r.window));
  EXPECT_TRUE(MenuState(0, CMD_OPEN) & MF_GRAYED);
  EXPECT_FALSE(MenuState(0, CMD_CLOSE_MENU) & MF_GRAYED);
  SetWindowTextA(Edit(0), "kept");
  SendMessageA(r.window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(r.window));
  EXPECT_FALSE(IsWindowVisible(r.window));
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "kept");
  EXPECT_NE(Get("Quill", "PosX"), "");
  EXPECT_FALSE(r.empty);
  EXPECT_TRUE(MenuState(0, CMD_CLOSE_MENU) & MF_GRAYED);
  EXPECT_EQ(GetMenuDefaultItem(r.popup, FALSE, 0), UINT(CMD_OPEN));
  // Only spaces and line breaks: the empty icon after closing.
  SetWindowTextA(Edit(0), "  \r\n  ");
  Command(0, CMD_CLOSE);  // Esc posts the close
  PumpMessages(50);
  EXPECT_TRUE(r.empty);
  EXPECT_TRUE(r.inUse);
}

TEST_F(WindowTest, ExitOfAColouredNoteErasesItExitOfTheMainNoteQuits) {
  WriteNoteValue(t, "Quill Green", "Text0", "green");
  WriteNoteValue(t, "Quill Green", "Text3", "green 3");
  StartHidden();
  NoteRecord& g = t.notes[1];
  ASSERT_TRUE(g.inUse);
  sw::test::DialogAnswerer answerer;
  answerer.Queue(IDNO);  // No does nothing
  Command(1, CMD_EXIT_ALTX);
  EXPECT_TRUE(g.inUse);
  EXPECT_EQ(ReadNoteValue(t, "Quill Green", "Text3"), "green 3");
  answerer.Queue(IDYES);
  Command(1, CMD_EXIT_ALTX);
  ASSERT_EQ(answerer.Count(), 2u);
  EXPECT_EQ(answerer.Seen()[1].text, "Erase the green note and its pages?");
  EXPECT_EQ(answerer.Seen()[1].caption, "Quillnote");
  EXPECT_FALSE(g.inUse);
  EXPECT_EQ(Get("Quill Green", "TopMost"), "");
  EXPECT_EQ(ReadNoteValue(t, "Quill Green", "Text3"), "");
  EXPECT_FALSE(QuitPosted());
  // Destroy on the main note would erase its pages: it is ignored.
  WriteNoteValue(t, "Quill", "Text0", "main");
  Command(0, CMD_DESTROY);
  EXPECT_TRUE(t.notes[0].inUse);
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "main");
  SetWindowTextA(Edit(0), "main text");
  Command(0, CMD_EXIT);  // no question on the main note
  EXPECT_EQ(answerer.Count(), 2u);
  EXPECT_TRUE(QuitPosted());
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "main text");
}

TEST_F(WindowTest, NewTakesTheFirstFreeRecordAndDestroyFreesIt) {
  StartHidden();
  Command(0, CMD_NEW);
  Command(0, CMD_NEW);
  Command(0, CMD_NEW);
  PumpMessages(50);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(t.notes[i].inUse) << i;
  EXPECT_TRUE(IsWindowVisible(t.notes[3].window));  // new notes open at once
  HWND windows[4];
  for (int i = 0; i < 4; ++i) windows[i] = t.notes[i].window;
  Command(0, CMD_NEW);  // all in use: nothing
  for (int i = 0; i < 4; ++i) EXPECT_EQ(t.notes[i].window, windows[i]);
  Command(2, CMD_DESTROY);
  EXPECT_FALSE(t.notes[2].inUse);
  EXPECT_FALSE(IsWindow(windows[2]));
  Command(0, CMD_NEW);
  EXPECT_TRUE(t.notes[2].inUse);
}

TEST_F(WindowTest, MenuTogglesAndTheOneTrayWarning) {
  StartHidden();
  NoteRecord& r = t.notes[0];
  EXPECT_TRUE(MenuState(0, CMD_TOPMOST) & MF_CHECKED);
  Command(0, CMD_TOPMOST);
  EXPECT_FALSE(r.topMost);
  EXPECT_FALSE(MenuState(0, CMD_TOPMOST) & MF_CHECKED);
  EXPECT_FALSE(GetWindowLongA(r.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(MenuState(0, CMD_SHOW_STARTUP) & MF_CHECKED);
  Command(0, CMD_SHOW_STARTUP);
  EXPECT_TRUE(t.showStartup);
  EXPECT_TRUE(MenuState(0, CMD_SHOW_STARTUP) & MF_CHECKED);

  sw::test::DialogAnswerer answerer;
  Command(0, CMD_ONE_TRAY);
  ASSERT_EQ(answerer.Count(), 1u);
  EXPECT_EQ(answerer.Seen()[0].caption, "Warning !");
  EXPECT_EQ(answerer.Seen()[0].text, "Change will take place\nat next launch of QUILLNOTE.EXE");
  EXPECT_TRUE(t.oneTrayPending);
  EXPECT_FALSE(t.oneTray);
  EXPECT_TRUE(MenuState(0, CMD_ONE_TRAY) & MF_CHECKED);
  Command(0, CMD_SAVE);
  EXPECT_EQ(Get("Quill", "OneTray"), "1");
  EXPECT_EQ(Get("Quill", "TopMost"), "0");
  EXPECT_EQ(Get("Quill", "ShowStartup"), "1");
}

TEST_F(WindowTest, EditingCommandsSelectAndInsertDatesFromTheClock) {
  StartHidden();
  SetWindowTextA(Edit(0), "abc");
  Command(0, CMD_SELECT_ALL);
  DWORD from = 0, to = 0;
  SendMessageA(Edit(0), EM_GETSEL, WPARAM(&from), LPARAM(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 3u);
  clock.Set(2027, 3, 9, 14, 5);
  char expected[80];
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &clock.now, nullptr, expected, 80);
  Command(0, CMD_LONG_DATE);  // replaces the selection
  EXPECT_EQ(EditText(0), expected);
  SetWindowTextA(Edit(0), "");
  GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &clock.now, nullptr, expected, 80);
  Command(0, CMD_TIME);
  EXPECT_EQ(EditText(0), expected);
  EXPECT_TRUE(SendMessageA(Edit(0), EM_CANUNDO, 0, 0));
  // Commands of pages, dialogs and printing never crash, whatever state they find.
  for (int id : {CMD_NEXT_PAGE, CMD_PREV_PAGE, CMD_REPAINT_CLOSE, CMD_DEFAULT_FONT}) Command(0, id);
  EXPECT_TRUE(t.notes[0].inUse);
}

TEST_F(WindowTest, OneTrayModeHasOneIconAndOpenShowsEveryNote) {
  Set("Quill", "OneTray", "1");
  WriteNoteValue(t, "Quill Blue", "Text0", "blue");
  StartHidden();
  EXPECT_TRUE(t.oneTray);
  EXPECT_TRUE(HasTrayIcon(t.notes[0].window));
  EXPECT_FALSE(HasTrayIcon(t.notes[2].window));
  Command(0, CMD_OPEN);
  EXPECT_TRUE(IsWindowVisible(t.notes[0].window));
  EXPECT_TRUE(IsWindowVisible(t.notes[2].window));
  // The empty flag that drives the single icon looks at every note.
  SetWindowTextA(Edit(0), "");
  SendMessageA(t.notes[0].window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(t.notes[0].empty);
  // Top-most changes go to the main note's record.
  Command(2, CMD_TOPMOST);
  EXPECT_FALSE(t.notes[0].topMost);
  EXPECT_TRUE(t.notes[2].topMost);
  // Exit from the one menu acts on the active note: a coloured one is erased only when confirmed.
  Command(0, CMD_OPEN);
  SetActiveWindow(t.notes[2].window);
  ASSERT_EQ(ActiveNote(t), &t.notes[2]);
  sw::test::DialogAnswerer answerer;
  answerer.Queue(IDNO);
  Command(0, CMD_EXIT);
  EXPECT_EQ(answerer.LastText(), "Erase the blue note and its pages?");
  EXPECT_TRUE(t.notes[2].inUse);
  EXPECT_EQ(ReadNoteValue(t, "Quill Blue", "Text0"), "blue");
  EXPECT_FALSE(QuitPosted());
}

TEST_F(WindowTest, TimerSavesEveryNote) {
  StartHidden();
  SetWindowTextA(Edit(0), "tick");
  SendMessageA(t.notes[0].window, WM_TIMER, TIMER_SAVE, 0);
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "tick");
  SetWindowTextA(Edit(0), "session end");
  SendMessageA(t.notes[0].window, WM_QUERYENDSESSION, 0, 0);
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "session end");
}

}  // namespace
}  // namespace quill::test
