#include "kurvo_state.h"

#include "kurvo_ids.h"
#include "message_box.h"
#include "text_util.h"

namespace kurvo {

namespace {
KurvoState* g_state = nullptr;

// While a start-up box is up: it is created topmost, and no request to minimize it is followed,
// whatever the start command asked of the program's first windows.
LRESULT CALLBACK KeepStartupBoxShown(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_MINMAX) {
    int show = LOWORD(lp);
    if (show == SW_MINIMIZE || show == SW_SHOWMINIMIZED || show == SW_SHOWMINNOACTIVE || show == SW_FORCEMINIMIZE)
      return 1;
  } else if (code == HCBT_CREATEWND) {
    reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs->style &= ~WS_MINIMIZE;
  } else if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wp);
    if (IsIconic(box)) ShowWindow(box, SW_RESTORE);
    SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// The start-up boxes come before any window of Kurvo's: they are shown normally, in front.
void ShowWarning(const char* text, UINT icon) {
  HHOOK hook = SetWindowsHookExA(WH_CBT, KeepStartupBoxShown, nullptr, GetCurrentThreadId());
  MessageBoxText(GetFocus(), text, icon | MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
  if (hook) UnhookWindowsHookEx(hook);
}

// Item texts of the loaded menu follow the settings: the sound item, the mouse button's side and
// the check mark of the chosen button.
void UpdateMenu(HMENU menu, const RecognizerSettings& s) {
  if (!menu) return;
  char text[256] = {};
  if (GetMenuStringA(menu, IDM_SOUNDNAME_ITEM, text, sizeof text, MF_BYCOMMAND) > 0) {
    std::string item = FormatText(text, s.soundName, 255);
    ModifyMenuA(menu, IDM_SOUNDNAME_ITEM, MF_BYCOMMAND | MF_STRING, IDM_SOUNDNAME_ITEM, item.c_str());
  }
  std::string side = Str(GetSystemMetrics(SM_SWAPBUTTON) ? IDS_LEFT : IDS_RIGHT);
  UINT state = GetMenuState(menu, IDM_MOUSE_LEFTRIGHT, MF_BYCOMMAND);
  if (state != static_cast<UINT>(-1))
    ModifyMenuA(menu, IDM_MOUSE_LEFTRIGHT, MF_BYCOMMAND | MF_STRING, IDM_MOUSE_LEFTRIGHT, side.c_str());
  bool middle = s.mouseBtn == 0;
  CheckMenuItem(menu, IDM_MOUSE_MIDDLE, MF_BYCOMMAND | (middle ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, IDM_MOUSE_LEFTRIGHT, MF_BYCOMMAND | (middle ? MF_UNCHECKED : MF_CHECKED));
}

// Kurvo's own texts for what it still shows without a language library: the exit question, the
// system menu's item, the drop summary, the status line and the notification tips.
const struct {
  UINT id;
  const char* text;
} kOwnTexts[] = {
    {IDS_NOT_RECOGNIZED, "Last event: symbol not recognized"},
    {IDS_READY, "Ready"},
    {IDS_CONFIRM_EXIT, "Are you sure you want to exit? \nStrokewise functions will be disabled."},
    {IDS_DEFAULT, "Default"},
    {IDS_TRAY_TIP, "Left click=Display Symbols -  Right click=Disable Strokewise"},
    {IDS_RECOGNIZED, "Last event: symbol recognized"},
    {IDS_RECOGNIZED_NOT_IN_SCHEME, "Last event: symbol recognized, but not in the app scheme"},
    {IDS_CLICK_TO_ENABLE, "Click here to enable Strokewise functions"},
    {IDS_ALWAYS_ON_TOP, "Always on top"},
    {IDS_DROP_SUMMARY,
     "Drag&drop: %d files has been successfully installed.\nChanges will take effect when you restart Strokewise."},
};
}  // namespace

KurvoState& Kurvo() {
  if (!g_state) g_state = new KurvoState;
  return *g_state;
}

void ResetKurvo() {
  if (g_state) {
    if (g_state->mainWindow && IsWindow(g_state->mainWindow)) DestroyWindow(g_state->mainWindow);
    g_state->hook.Release();
    g_state->language.Release();
    if (g_state->font) DeleteObject(g_state->font);
    if (g_state->minimizedIcon) DestroyIcon(g_state->minimizedIcon);
    delete g_state;
  }
  g_state = new KurvoState;
}

void ReleaseLibrariesIfClosed() {
  KurvoState& k = Kurvo();
  if (!k.closing || k.view.running || k.modalDialogs > 0) return;
  k.hook.Release();
  k.language.Release();
}

std::string Str(UINT id, size_t limit) {
  const LanguageLibrary& library = Kurvo().language;
  if (library.module) return library.String(id, limit);
  for (const auto& own : kOwnTexts)
    if (own.id == id) return Cut(own.text, limit);
  return {};
}

void LoadSettings() {
  KurvoState& k = Kurvo();
  if (!ReadSettings(k.settingsLocation, k.settings) && !k.missingDirectoryReported) {
    k.missingDirectoryReported = true;
    ShowWarning("App dir not found, please re-install.", MB_ICONERROR);
  }
  UpdateMenu(k.menu, k.settings);
}

void SaveSettings() {
  KurvoState& k = Kurvo();
  WriteSettings(k.settingsLocation, k.settings);
}

void BindLanguageLibrary() {
  KurvoState& k = Kurvo();
  if (!k.language.Bind(k.settings.languageLibrary)) ShowWarning(kMissingLanguageText, MB_ICONWARNING);
}

void BindHookLibrary() {
  KurvoState& k = Kurvo();
  if (!k.hook.Bind(k.settings.hookLibrary)) ShowWarning(kMissingHookText, MB_ICONWARNING);
}

}  // namespace kurvo
