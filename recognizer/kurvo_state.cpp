#include "kurvo_state.h"

#include "kurvo_ids.h"
#include "text_util.h"

namespace kurvo {

namespace {
KurvoState* g_state = nullptr;

void ShowWarning(const char* text, UINT icon) {
  MessageBoxA(GetFocus(), text, "Strokewise", icon | MB_OK);
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

std::string Str(UINT id, size_t limit) { return Kurvo().language.String(id, limit); }

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
