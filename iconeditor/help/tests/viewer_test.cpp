// Opens the built ZWICON.HLP in the platform's help viewer as ZwIcon does (WinHelpA) and checks
// what the viewer shows: its caption, the topic text, no error box, and the keyword index.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "pump.h"

namespace {

const char kHelpFile[] = ZWICON_HLP;
const char kCaption[] = "Zonware Icon Editor Help";

std::string TextOf(HWND h) {
  int n = static_cast<int>(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0));
  std::string s(n + 1, '\0');
  SendMessageA(h, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(s.data()));
  s.resize(n > 0 ? n : 0);
  return s;
}

struct Viewer {
  HWND window = nullptr;
  DWORD pid = 0;
  std::string caption, text;
};

// The viewer's window (null while it is not visible) and the text of its topic pane.
Viewer FindViewer() {
  Viewer v;
  HWND w = FindWindowA("MS_WINHELP", nullptr);
  if (!w) return v;
  GetWindowThreadProcessId(w, &v.pid);
  if (!IsWindowVisible(w)) return v;
  v.window = w;
  v.caption = TextOf(v.window);
  if (HWND pane = FindWindowExA(v.window, nullptr, "RichEdit20A", nullptr)) v.text = TextOf(pane);
  return v;
}

// A visible dialog of the viewer's process (an error box, or the index dialog).
struct DialogSearch {
  DWORD pid;
  HWND found;
};
BOOL CALLBACK FindDialog(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<DialogSearch*>(lp);
  char cls[32] = "";
  DWORD pid = 0;
  GetClassNameA(h, cls, sizeof cls);
  GetWindowThreadProcessId(h, &pid);
  if (pid == s->pid && IsWindowVisible(h) && std::string(cls) == "#32770") {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}
HWND ViewerDialog(DWORD pid) {
  DialogSearch s{pid, nullptr};
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// Asks the viewer for `command` and waits (bounded) until its pane shows a topic that begins
// with `title`.
Viewer Open(UINT command, ULONG_PTR data, const std::string& title) {
  EXPECT_TRUE(WinHelpA(nullptr, kHelpFile, command, data));
  Viewer v;
  sw::test::PumpUntil([&] {
    v = FindViewer();
    return v.text.rfind(title, 0) == 0;
  }, 15000);
  return v;
}

class HelpViewer : public ::testing::Test {
 protected:
  void TearDown() override {
    Viewer v = FindViewer();
    if (HWND d = v.window ? ViewerDialog(v.pid) : nullptr) PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    WinHelpA(nullptr, kHelpFile, HELP_QUIT, 0);
    sw::test::PumpUntil([] { return FindWindowA("MS_WINHELP", nullptr) == nullptr; }, 5000);
  }
};

TEST_F(HelpViewer, ShowsTheContentsAndTheTopicsOfBothDialogHelpContexts) {
  struct Case {
    UINT command;
    ULONG_PTR data;
    const char* title;
    const char* text;  // a line further down the topic
  } cases[] = {
      {HELP_CONTENTS, 0, "Zonware Icon Editor Help Contents", "Keyboard shortcuts"},
      {HELP_CONTEXT, 301, "Select an Icon", "Search Entire Drive"},
      {HELP_CONTEXT, 302, "Importing a picture", "Select a portion of this image to create an icon"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    Viewer v = Open(c.command, c.data, c.title);
    HWND box = v.pid ? ViewerDialog(v.pid) : nullptr;
    EXPECT_EQ(box, nullptr) << "the viewer shows a box: " << TextOf(box) << " / "
                            << TextOf(GetDlgItem(box, 0xFFFF));
    ASSERT_NE(v.window, nullptr) << "no help viewer window";
    EXPECT_EQ(v.caption, kCaption);
    EXPECT_EQ(v.text.rfind(c.title, 0), 0u) << v.text.substr(0, 200);
    EXPECT_NE(v.text.find(c.text), std::string::npos) << v.text;
  }
}

TEST_F(HelpViewer, IndexListsTheKeywords) {
  Viewer v = Open(HELP_CONTENTS, 0, "Zonware Icon Editor Help Contents");
  ASSERT_NE(v.window, nullptr);
  HWND buttons = FindWindowExA(v.window, nullptr, "WHButtonBox", nullptr);
  HWND index = FindWindowExA(buttons, nullptr, "Button", "&Index");
  ASSERT_NE(index, nullptr);
  PostMessageA(index, BM_CLICK, 0, 0);
  HWND list = nullptr;
  sw::test::PumpUntil([&] {
    HWND d = ViewerDialog(v.pid);
    list = d ? FindWindowExA(FindWindowExA(d, nullptr, "#32770", nullptr), nullptr, "ListBox", nullptr) : nullptr;
    if (d && !list) list = FindWindowExA(d, nullptr, "ListBox", nullptr);
    return list && SendMessageA(list, LB_GETCOUNT, 0, 0) > 0;
  }, 10000);
  ASSERT_NE(list, nullptr) << "no index list";
  EXPECT_GT(SendMessageA(list, LB_GETCOUNT, 0, 0), 100);
  for (const char* word : {"Select an Icon", "import", "Undo On", "Transparent Color", "pencil"})
    EXPECT_NE(SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(word)), LB_ERR) << word;
}

}  // namespace
