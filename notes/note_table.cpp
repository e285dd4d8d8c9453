#include "note_table.h"

#include "note_settings.h"
#include "note_window.h"

namespace quill {

const NoteKind kNoteKinds[kNoteCount] = {
    {"QuillClass", "Quillnote", "Quill", "Vide", "MyIcon", 0x00FFFF, "Popup", "yellow"},
    {"QuillClassV", "Quillnote Green", "Quill Green", "VideV", "MyIconV", 0x00FF00, "Popup2", "green"},
    {"QuillClassB", "Quillnote Blue", "Quill Blue", "VideB", "MyIconB", 0xFF0000, "Popup2", "blue"},
    {"QuillClassR", "Quillnote Red", "Quill Red", "VideR", "MyIconR", 0x0000FF, "Popup2", "red"},
};

Colors DefaultColors(bool palette) {
  if (palette) return {0x00FFFF, 0x000000, 0x32C8C8, 0x008080, 0x000000};
  return {0x46FFFF, 0x000000, 0x32C8C8, 0x196464, 0x000000};
}

void DeriveColors(Colors* c) {
  int r = GetRValue(c->background) * 200 / 255;
  int g = GetGValue(c->background) * 200 / 255;
  int b = GetBValue(c->background) * 200 / 255;
  c->shade = RGB(r, g, b);
  c->light = r + g + b >= 200 ? c->shade : RGB(255, 255, 255);
  c->dark = RGB(r / 2, g / 2, b / 2);
}

bool SetSettingsFile(NoteTable& t, const std::string& name) {
  if (name.empty() || name.size() >= kSettingsNameSize) return false;
  lstrcpynA(t.settingsFile, name.c_str(), kSettingsNameSize);
  TextStore s = StoreFor(name);
  t.store.path = s.path;
  t.store.tmpPath = s.tmpPath;
  return true;
}

void AllocateBuffers(NoteTable& t) {
  t.editBuffer.assign(t.pageSize, 0);
  t.storeBuffer.assign(t.pageSize, 0);
  t.editBuffer.shrink_to_fit();
  t.storeBuffer.shrink_to_fit();
}

void MakeBrushes(NoteTable& t) {
  t.backBrush.reset(CreateSolidBrush(t.colors.background));
  t.shadeBrush.reset(CreateSolidBrush(t.colors.shade));
  t.darkBrush.reset(CreateSolidBrush(t.colors.dark));
  t.lightBrush.reset(CreateSolidBrush(t.colors.light));
  for (int i = 0; i < kNoteCount; ++i) t.squareBrush[i].reset(CreateSolidBrush(kNoteKinds[i].square));
}

void InitDisplay(NoteTable& t) {
  if (t.toolWindow) {
    t.buttonWidth = GetSystemMetrics(SM_CXSMSIZE);
    t.buttonHeight = GetSystemMetrics(SM_CYSMSIZE);
    t.captionHeight = GetSystemMetrics(SM_CYSMCAPTION);
  } else {
    t.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    t.captionHeight += t.captionHeight & 1;
    t.buttonWidth = GetSystemMetrics(SM_CXSIZE);
    t.buttonHeight = GetSystemMetrics(SM_CYSIZE);
  }
  int top = t.toolWindow ? 5 : 4;
  t.leftArrow = {t.captionHeight + 10, top, 41, top + 16};
  t.rightArrow = {t.leftArrow.left + 109, top, t.leftArrow.left + 120, top + 16};

  LOGFONTA lf{};
  SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
  t.captionFont.reset(CreateFontIndirectA(&lf));

  HDC screen = GetDC(nullptr);
  HBITMAP probe = CreateCompatibleBitmap(screen, 16, 16);
  BITMAP bm{};
  GetObjectA(probe, sizeof bm, &bm);
  DeleteObject(probe);
  ReleaseDC(nullptr, screen);
  t.palette = bm.bmPlanes * bm.bmBitsPixel <= 8;

  t.colors = DefaultColors(t.palette);
  int32_t v = 0;
  if (ReadSettingNumber(t, "Quill", "TextColor", &v, 16)) t.colors.text = COLORREF(v) & 0xFFFFFF;
  if (ReadSettingNumber(t, "Quill", "BackColor", &v, 16)) {
    t.colors.background = COLORREF(v) & 0xFFFFFF;
    DeriveColors(&t.colors);
  }
  MakeBrushes(t);
}

void RegisterNoteClasses(NoteTable& t) {
  for (int i = 0; i < kNoteCount; ++i) {
    const NoteKind& k = kNoteKinds[i];
    NoteRecord& r = t.notes[i];
    r.emptyIcon = LoadIconA(t.instance, k.emptyIcon);
    r.filledIcon = LoadIconA(t.instance, k.filledIcon);
    r.empty = false;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MyProc;
    wc.hInstance = t.instance;
    wc.hIcon = r.filledIcon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = t.backBrush.get();
    wc.lpszClassName = k.windowClass;
    RegisterClassA(&wc);
  }
}

void UnregisterNoteClasses(NoteTable& t) {
  for (const NoteKind& k : kNoteKinds) UnregisterClassA(k.windowClass, t.instance);
}

NoteRecord& RecordOf(NoteTable& t, HWND window) {
  for (NoteRecord& r : t.notes)
    if (r.inUse && window && (r.window == window || r.pageDialog == window)) return r;
  return t.notes[0];
}

NoteRecord* ActiveNote(NoteTable& t) {
  HWND active = GetActiveWindow();
  for (NoteRecord& r : t.notes)
    if (r.inUse && active && r.window == active) return &r;
  return nullptr;
}

int IndexOf(const NoteTable& t, const NoteRecord& r) { return int(&r - t.notes); }

}  // namespace quill
