#include "caption.h"

#include <cstring>

#include "handles.h"

namespace quill {
namespace {

void Fill(HDC dc, int l, int t, int r, int b, HBRUSH brush) {
  RECT rc{l, t, r, b};
  FillRect(dc, &rc, brush);
}

int WindowWidth(HWND h) {
  RECT rc{};
  GetWindowRect(h, &rc);
  return rc.right - rc.left;
}

void DrawArrow(HDC dc, const NoteTable& t, bool left, HBRUSH outline, HBRUSH inside) {
  int c = ArrowCentre(t);
  if (left) {
    int l = t.leftArrow.left;
    for (int i = 0; i < 8; ++i) Fill(dc, l + i - 1, c - i, l + i, c + i, outline);
    Fill(dc, l + 7, c - 8, l + 11, c + 8, outline);
    for (int i = 0; i < 7; ++i) Fill(dc, l + i, c - i, l + i + 1, c + i, inside);
    Fill(dc, l + 7, c - 7, l + 10, c + 7, inside);
  } else {
    int r = t.rightArrow.right;
    for (int i = 0; i < 8; ++i) Fill(dc, r - i, c - i, r - i + 1, c + i, outline);
    Fill(dc, r - 11, c - 8, r - 7, c + 8, outline);
    for (int i = 0; i < 7; ++i) Fill(dc, r - i - 1, c - i, r - i, c + i, inside);
    Fill(dc, r - 10, c - 7, r - 7, c + 7, inside);
  }
}

// The page title centred between the arrows; one too long for the room between them is cut there
// with an ellipsis, so that it never covers the arrows, the colour square or the close button.
void DrawTitle(HDC dc, const NoteTable& t, const NoteRecord& r) {
  const char* title = r.titles[r.page];
  int length = int(strnlen(title, kField));
  HGDIOBJ old = SelectObject(dc, t.captionFont.get());
  SIZE size{};
  GetTextExtentPoint32A(dc, title, length, &size);
  int a = t.leftArrow.left + 16;
  int b = t.rightArrow.right - 18;
  int x = a + (b - a) / 2 - size.cx / 2, y = ArrowCentre(t) - 7;
  RECT room{t.leftArrow.left + 13, y, t.rightArrow.right - 13, y + size.cy};
  SetTextColor(dc, t.colors.text);
  SetBkColor(dc, t.colors.shade);
  SetBkMode(dc, OPAQUE);
  if (x >= room.left && x + size.cx <= room.right)
    TextOutA(dc, x, y, title, length);
  else if (room.right > room.left)
    DrawTextA(dc, title, length, &room, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
}

int ClientWidth(HWND h) {
  RECT rc{};
  GetClientRect(h, &rc);
  return rc.right;
}

}  // namespace

bool InLeftArrow(const NoteTable& t, POINT p) { return PtInRect(&t.leftArrow, p); }
bool InRightArrow(const NoteTable& t, POINT p) { return PtInRect(&t.rightArrow, p); }

bool InTitleBand(const NoteTable& t, POINT p) {
  return p.y >= t.leftArrow.top - t.captionHeight + 20 &&
         p.y <= t.captionHeight + t.leftArrow.bottom - 20 && p.x >= t.leftArrow.left &&
         p.x <= t.rightArrow.right;
}

void UpdateRightArrow(NoteTable& t, int clientWidth) {
  int offset = clientWidth - 64;
  if (t.fussSize) offset /= 2;
  if (offset < 0) offset = 20;
  int l = t.leftArrow.left;
  t.rightArrow = {l + offset, t.leftArrow.top, l + offset + 11, t.leftArrow.bottom};
}

void PlaceArrowsFor(NoteTable& t, const NoteRecord& r) {
  if (r.window && !IsIconic(r.window)) UpdateRightArrow(t, ClientWidth(r.window));
}

int ArrowCentre(const NoteTable& t) { return t.leftArrow.top + t.captionHeight / 2 - 2; }

void PaintCaption(NoteTable& t, NoteRecord& r) {
  sw::WindowDC dc(r.window);
  if (!dc.get()) return;
  PlaceArrowsFor(t, r);
  RECT wr{};
  GetWindowRect(r.window, &wr);
  int w = wr.right - wr.left, h = wr.bottom - wr.top;
  int ch = t.captionHeight, bw = t.buttonWidth, bh = t.buttonHeight;
  HBRUSH shade = t.shadeBrush.get();
  RECT frame{0, 0, w, h};
  FrameRect(dc.get(), &frame, shade);
  Fill(dc.get(), 2, 2, w - 4 - bw, ch + 3, shade);
  Fill(dc.get(), w - 6, 2, w - 2, ch + 3, shade);
  Fill(dc.get(), w - 4 - bw, 2, w - 6, 5, shade);
  Fill(dc.get(), w - 4 - bw, bh + 2, w - 6, ch + 3, shade);
  int s = ch / 2 - 2;
  Fill(dc.get(), s, s, ch / 2 + 6, ch / 2 + 6, t.squareBrush[IndexOf(t, r)].get());
  DrawArrow(dc.get(), t, true, t.darkBrush.get(), t.lightBrush.get());
  if (w > 150) DrawTitle(dc.get(), t, r);
  DrawArrow(dc.get(), t, false, t.darkBrush.get(), t.lightBrush.get());
}

void PaintArrow(NoteTable& t, NoteRecord& r, bool left, bool pressed) {
  sw::WindowDC dc(r.window);
  if (!dc.get()) return;
  PlaceArrowsFor(t, r);
  DrawArrow(dc.get(), t, left, t.darkBrush.get(), pressed ? t.darkBrush.get() : t.lightBrush.get());
}

void RedrawTitle(NoteTable& t, NoteRecord& r) {
  sw::WindowDC dc(r.window);
  if (!dc.get()) return;
  PlaceArrowsFor(t, r);
  Fill(dc.get(), t.leftArrow.right + 1, t.leftArrow.top, t.rightArrow.left - 1,
       t.leftArrow.bottom + 2, t.shadeBrush.get());
  DrawTitle(dc.get(), t, r);
}

void RepaintCloseStrips(NoteTable& t, NoteRecord& r) {
  sw::WindowDC dc(r.window);
  if (!dc.get()) return;
  int w = WindowWidth(r.window);
  int ch = t.captionHeight, bw = t.buttonWidth, bh = t.buttonHeight;
  HBRUSH shade = t.shadeBrush.get();
  Fill(dc.get(), w - 6 - bw, 2, w - 4 - bw, ch + 3, shade);
  Fill(dc.get(), w - 6, 2, w - 2, ch + 3, shade);
  Fill(dc.get(), w - 4 - bw, 2, w - 6, 5, shade);
  Fill(dc.get(), w - 4 - bw, bh + 2, w - 6, ch + 3, shade);
}

}  // namespace quill
