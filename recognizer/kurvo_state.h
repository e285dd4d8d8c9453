// The one process-wide state of Kurvo: settings, the two bound libraries, the loaded scheme, the
// focused application and the main window's parts. Tests start from a fresh state.
#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "effects.h"
#include "hook_library.h"
#include "languages.h"
#include "scheme_file.h"
#include "scheme_list.h"
#include "settings.h"

namespace kurvo {

// The window drawn on last.
struct FocusedApplication {
  HWND window = nullptr;
  std::string windowClass;       // class name, at most 511 characters
  std::string titlePrefix;       // title up to its first "-"
  std::string applicationClass;  // class offered when a scheme is created for it
};

struct KurvoState {
  HINSTANCE instance = nullptr;
  SettingsLocation settingsLocation;
  RecognizerSettings settings;
  LanguageLibrary language;
  HookLibrary hook;
  Effects* effects = &SystemEffects();
  bool missingDirectoryReported = false;  // start-up reads the settings three times: one box

  // Schemes.
  SchemeHeader header;
  ShortcutTable shortcuts;
  SchemeList schemes;
  std::string currentScheme;
  std::string loadedScheme;
  FocusedApplication focused;
  // Headers read before, by lower-case path, kept while the file's time and size stay the same:
  // answering a draw-begin must not parse the file again each time.
  struct CachedHeader {
    FILETIME written{};
    DWORD size = 0;
    SchemeHeader header;
  };
  std::map<std::string, CachedHeader> headerCache;

  // Main window.
  HWND mainWindow = nullptr;
  HMENU menu = nullptr;
  HWND schemeBox = nullptr;
  HWND symbolList = nullptr;
  HWND statusLine = nullptr;
  HFONT font = nullptr;
  HICON minimizedIcon = nullptr;
  std::string lastStatus;
  bool startupPhase = false;
  bool systemMenuExtended = false;
  bool trayIconAdded = false;
  UINT taskbarCreatedMessage = 0;  // the shell's restart notice: the icon is added again
  bool placingWindow = false;      // inside the main window's own z-order change
  int trayIcon = 0;       // status icon id and tip shown last in the notification area
  std::string trayTip;
  // Effects follow the state: SyncView (state_view.h) brings the menu item, the notification
  // icon and the hook's switch in line with it.
  struct View {
    bool running = false;         // SyncView is performing effects
    bool again = false;           // the state changed meanwhile: one more round
    bool menuStale = false;       // the recognition item shows an older state
    bool trayStale = false;       // the notification icon shows an older state
    bool trayAddPending = false;  // the icon is to be added (start-up, shell restart)
  } view;
  int configDialogs = 0;  // configuration dialogs open: the hook pauses, notices are refused
  int modalDialogs = 0;   // modal dialogs open, configuration or not
  bool closing = false;   // the main window is being destroyed: the hook stays off
  int selectedSlot = 0;
  int feedbackCountdown = -1;
  int symbolCount = 0;
  int screenWidth = 0, screenHeight = 0;
};

KurvoState& Kurvo();
// Releases what the state holds and starts again from defaults (tests).
void ResetKurvo();

// Settings with the user-facing parts: the missing-directory message and the menu update.
void LoadSettings();
void SaveSettings();
// Binds the language library from the system directory, reporting a failure; start-up goes on.
void BindLanguageLibrary();
void BindHookLibrary();
// Frees both libraries once the main window is being destroyed and no call into them (a hook
// switch, a dialog of the language library) is still on the stack.
void ReleaseLibrariesIfClosed();
std::string Str(UINT id, size_t limit = 255);  // a string of the language library

}  // namespace kurvo
