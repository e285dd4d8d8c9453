// Drives a running ZwIcon for a screenshot: a new document drawn with the pencil in two colours
// (step "pencil"), then a line, a filled ellipse, a fill, typed text and a floating selection
// (step "tools"). Usage: zwicon_shot pencil|tools. Messages are posted as the mouse would send them.
#include <windows.h>

#include <cstdio>
#include <cstring>

static HWND frame, panel, canvas, doc;

static BOOL CALLBACK FindPanels(HWND h, LPARAM) {
  char cls[32];
  GetClassNameA(h, cls, sizeof cls);
  RECT r;
  GetClientRect(h, &r);
  if (!std::strcmp(cls, "ZwWindow") && r.bottom == 33 && GetParent(h) == frame) panel = h;
  if (!std::strcmp(cls, "ZwWindow") && r.right == 257 && r.bottom == 257) canvas = h;
  if (!std::strcmp(cls, "ZwMdiChild")) doc = h;
  return TRUE;
}

static void Click(HWND h, int x, int y, bool right = false) {
  PostMessageA(h, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(h, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  Sleep(30);
}

static int Cell(int c) { return c * 8 + 4; }

static void Drag(int x0, int y0, int x1, int y1, bool right = false) {
  WPARAM k = right ? MK_RBUTTON : MK_LBUTTON;
  PostMessageA(canvas, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, k, MAKELPARAM(Cell(x0), Cell(y0)));
  PostMessageA(canvas, WM_MOUSEMOVE, k, MAKELPARAM(Cell(x1), Cell(y1)));
  PostMessageA(canvas, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(Cell(x1), Cell(y1)));
  Sleep(60);
}

static void Tool(int i) { Click(panel, 8 + 25 * i + 12, 16); }
static void Colour(int column, int row, bool right = false) { Click(panel, 236 + 16 * column + 8, row ? 22 : 9, right); }

int main(int argc, char** argv) {
  bool tools = argc > 1 && !std::strcmp(argv[1], "tools");
  frame = FindWindowA("ZwForm", "Zonware Icon Editor");
  if (!frame) return 1;
  PostMessageA(frame, WM_COMMAND, 101, 0);  // File > New
  Sleep(500);
  EnumChildWindows(frame, FindPanels, 0);
  if (!panel || !canvas || !doc) return 2;
  // A two-colour pencil pattern: blue (left) and red (right) cells, the rest transparent.
  for (int y = 1; y < 9; ++y)
    for (int x = 1; x < 31; ++x)
      if ((x + y) % 3 == 0) Click(canvas, Cell(x), Cell(y), ((x / 3) + y) % 2 == 1);
  if (!tools) return 0;
  Tool(5);               // line
  Colour(1, 0);          // green, left
  Drag(1, 11, 30, 14);
  Tool(4);               // filled ellipse
  Drag(2, 16, 13, 27, true);  // red, right button
  Tool(1);               // rectangle
  Colour(3, 0);          // navy
  Drag(17, 16, 29, 27);
  Tool(6);               // fill inside it
  Colour(2, 1);          // yellow
  Click(canvas, Cell(22), Cell(22));
  Sleep(60);
  Tool(8);               // text
  Colour(4, 1);          // fuchsia
  Click(canvas, Cell(14), Cell(20));
  Sleep(60);
  for (const char* p = "Zw"; *p; ++p) PostMessageA(doc, WM_CHAR, static_cast<unsigned char>(*p), 0);
  Sleep(100);
  Tool(7);               // pointer: places the text, then a floating selection
  Drag(3, 18, 9, 24);
  Sleep(100);
  return 0;
}
