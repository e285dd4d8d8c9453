// Keys through the accelerator table, the platform's colour and file dialogs, tool-window mode.
#include <gtest/gtest.h>

#include "dialog_answerer.h"
#include "note_storage.h"
#include "pump.h"
#include "quill_ids.h"
#include "quillnote_app.h"
#include "temp_dir.h"
#include "test_notes.h"

namespace quill::test {
namespace {

class CommandsTest : public NotesTest {
 protected:
  void StartOpen() {
    WriteNoteValue(t, "Quill", "Text0", "main");
    WriteNoteValue(t, "Quill Green", "Text0", "green");
    Start();
    sw::test::PumpMessages(50);
  }
  // Offers a key message to the accelerator table as the message loop does.
  bool Key(int note, UINT message, WPARAM key, LPARAM lp = 0) {
    MSG m{Edit(note), message, key, lp, 0, {}};
    return TranslateNoteKey(t, t.notes[note].window, &m);
  }
  // Holds a modifier down in this thread's key state while `f` runs.
  template <typename F>
  void With(int vk, F f) {
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE saved = keys[vk];
    keys[vk] = 0x80;
    SetKeyboardState(keys);
    f();
    keys[vk] = saved;
    SetKeyboardState(keys);
  }
};

TEST_F(CommandsTest, KeysReachTheirCommands) {
  StartOpen();
  ASSERT_NE(t.accel, nullptr);
  SetWindowTextA(Edit(0), "abc");
  EXPECT_TRUE(Key(0, WM_CHAR, 0x01));  // Ctrl+A
  DWORD from = 1, to = 0;
  SendMessageA(Edit(0), EM_GETSEL, WPARAM(&from), LPARAM(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 3u);
  With(VK_CONTROL, [&] { EXPECT_TRUE(Key(0, WM_KEYDOWN, VK_NEXT)); });
  EXPECT_EQ(t.notes[0].page, 1);
  With(VK_CONTROL, [&] { EXPECT_TRUE(Key(0, WM_KEYDOWN, VK_PRIOR)); });
  EXPECT_EQ(t.notes[0].page, 0);
  EXPECT_FALSE(Key(0, WM_KEYDOWN, VK_NEXT));  // without Ctrl: the edit control's key
  // Alt with keypad digits types a character by its code: no command (6 would reset the font).
  With(VK_MENU, [&] {
    for (WPARAM k : {VK_NUMPAD4, VK_NUMPAD6, VK_SUBTRACT, VK_F9})
      EXPECT_FALSE(Key(0, WM_SYSKEYDOWN, k, 1 << 29)) << k;
  });
  // Esc hides and saves; the program keeps running.
  EXPECT_TRUE(Key(0, WM_KEYDOWN, VK_ESCAPE));
  sw::test::PumpMessages(50);
  EXPECT_FALSE(IsWindowVisible(t.notes[0].window));
  EXPECT_TRUE(t.notes[0].inUse);
  // Alt+F4 and Alt+x on a coloured note ask first, then close it for good.
  sw::test::DialogAnswerer answerer;
  answerer.Queue(IDNO);
  With(VK_MENU, [&] { EXPECT_TRUE(Key(1, WM_SYSKEYDOWN, VK_F4, 1 << 29)); });
  ASSERT_EQ(answerer.Count(), 1u);
  EXPECT_EQ(answerer.Seen()[0].text, "Erase the green note and its pages?");
  EXPECT_TRUE(t.notes[1].inUse);
  EXPECT_EQ(ReadNoteValue(t, "Quill Green", "Text0"), "green");
  answerer.Queue(IDYES);
  With(VK_MENU, [&] { EXPECT_TRUE(Key(1, WM_SYSCHAR, 'x', 1 << 29)); });
  EXPECT_EQ(answerer.Count(), 2u);
  EXPECT_FALSE(t.notes[1].inUse);
  EXPECT_EQ(ReadNoteValue(t, "Quill Green", "Text0"), "");
  // Alt+F4 on the main note exits without a question.
  With(VK_MENU, [&] { EXPECT_TRUE(Key(0, WM_SYSKEYDOWN, VK_F4, 1 << 29)); });
  EXPECT_EQ(answerer.Count(), 2u);
  MSG m;
  EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(CommandsTest, ColourDialogStoresBothColoursAndClosesEveryNote) {
  StartOpen();
  sw::test::DialogAnswerer answerer;
  answerer.Queue(IDCANCEL);
  SendMessageA(t.notes[0].window, WM_COMMAND, CMD_TEXT_COLOR, 0);
  EXPECT_EQ(Get("Quill", "TextColor"), "");  // cancelled: nothing changes
  EXPECT_TRUE(IsWindowVisible(t.notes[1].window));
  answerer.Queue(IDOK);
  t.colors.background = RGB(200, 100, 50);  // as if picked: the dialog returns its initial colour
  SendMessageA(t.notes[0].window, WM_COMMAND, CMD_BACK_COLOR, 0);
  ASSERT_EQ(answerer.Count(), 2u);
  EXPECT_EQ(answerer.Seen()[1].caption, "Color");
  EXPECT_EQ(Get("Quill", "BackColor"), std::to_string(RGB(200, 100, 50)));
  EXPECT_EQ(Get("Quill", "TextColor"), "0");
  EXPECT_EQ(t.colors.shade, RGB(156, 78, 39));
  EXPECT_EQ(t.colors.dark, RGB(78, 39, 19));
  EXPECT_EQ(t.colors.light, t.colors.shade);
  EXPECT_FALSE(IsWindowVisible(t.notes[0].window));
  EXPECT_FALSE(IsWindowVisible(t.notes[1].window));
}

TEST(ColourTest, DarkBackgroundsGetAWhiteLight) {
  Colors c{RGB(40, 40, 40), 0, 0, 0, 0};
  DeriveColors(&c);
  EXPECT_EQ(c.shade, RGB(31, 31, 31));
  EXPECT_EQ(c.light, RGB(255, 255, 255));
  EXPECT_EQ(c.dark, RGB(15, 15, 15));
}

TEST_F(CommandsTest, FileDialogsLoadAndSaveWithTheDefaultExtension) {
  StartOpen();
  sw::test::TempDir dir;
  std::string in = dir.Write("in.txt", "from a file");
  sw::test::DialogAnswerer answerer;
  std::string typed = in;
  std::vector<std::string> captions;
  answerer.OnDialog([&](HWND dialog) {
    captions.push_back(sw::test::WindowText(dialog));
    SetDlgItemTextA(dialog, 0x47C, typed.c_str());
    return IDOK;
  });
  SetWindowTextA(Edit(0), "");
  SendMessageA(t.notes[0].window, WM_COMMAND, CMD_LOAD_FILE, 0);
  EXPECT_EQ(EditText(0), "from a file");
  EXPECT_STREQ(t.lastFile, in.c_str());
  typed = dir.File("saved");
  SendMessageA(t.notes[0].window, WM_COMMAND, CMD_SAVE_FILE, 0);
  std::string out;
  EXPECT_TRUE(sw::test::ReadFileBytes(dir.File("saved.TXT"), &out));
  EXPECT_EQ(out, "from a file");
  EXPECT_EQ(captions, (std::vector<std::string>{"Load note from file", "Save note to file"}));
}

TEST_F(CommandsTest, ToolWindowModeUsesSmallCaptions) {
  Set("Quill", "ToolWindow", "1");
  StartOpen();
  EXPECT_TRUE(t.toolWindow);
  EXPECT_EQ(t.captionHeight, GetSystemMetrics(SM_CYSMCAPTION));
  EXPECT_EQ(t.leftArrow.top, 5);
  EXPECT_EQ(t.leftArrow.bottom, 21);
  EXPECT_TRUE(GetWindowLongA(t.notes[0].window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST_F(CommandsTest, DefaultFontAndStoredFontKeys) {
  Set("Quill Green", "lfHeight", "-20");
  Set("Quill Green", "lfItalic", "1");
  Set("Quill Green", "lfFaceName", "Courier New");
  StartOpen();
  EXPECT_EQ(t.notes[1].font.lfHeight, -20);
  EXPECT_EQ(t.notes[1].font.lfItalic, 1);
  EXPECT_EQ(t.notes[1].font.lfWeight, 400);
  EXPECT_STREQ(t.notes[1].font.lfFaceName, "Courier New");
  SendMessageA(t.notes[1].window, WM_COMMAND, CMD_DEFAULT_FONT, 0);
  LOGFONTA icon{};
  SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof icon, &icon, 0);
  EXPECT_STREQ(t.notes[1].font.lfFaceName, icon.lfFaceName);
  EXPECT_EQ(HFONT(SendMessageA(Edit(1), WM_GETFONT, 0, 0)), t.notes[1].editFont);
  SendMessageA(t.notes[1].window, WM_COMMAND, CMD_SAVE, 0);
  EXPECT_EQ(Get("Quill Green", "lfFaceName"), icon.lfFaceName);
}

}  // namespace
}  // namespace quill::test
