#include "actions.h"

#include <windows.h>

#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "text_util.h"

namespace kurvo {

namespace {
const char* const kKeyNames[kKeyNameCount] = {
    "CTRL", "SHIFT", "ALT", "CAPSLOCK", "NUMLOCK", "SCROLLOCK", "SPACE",
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "F13", "F14", "F15", "F16",
    "DEL", "PAUSE", "INSERT", "LEFT", "RIGHT", "UP", "DOWN", "PGUP", "PGDN", "HOME", "END", "ESC",
    "ENTER", "HELP", "PRTSC", "TAB", "BREAK", "CLEAR", "BACKSPACE", "SELECT", "EXECUTE",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "NUMPAD0", "NUMPAD1", "NUMPAD2", "NUMPAD3", "NUMPAD4", "NUMPAD5", "NUMPAD6", "NUMPAD7", "NUMPAD8",
    "NUMPAD9"};

constexpr size_t kKeystrokeBuffer = 255;  // texts built for Tamrin hold 255 characters

std::string HotkeyPart(const std::string& field) {
  std::string upper = ToUpper(field);
  for (const char* name : kKeyNames) {
    if (upper != name) continue;
    if (upper == "CTRL") return "^";
    if (upper == "ALT") return "%";
    if (upper == "SHIFT") return "+";
    return "[" + upper + "]";
  }
  return ToLower(field);
}

void ShowOnWindow(int show) {
  HWND target = Kurvo().focused.window;
  if (target && IsWindow(target)) ShowWindow(target, show);
}
}  // namespace

const char* KeyName(int index) { return index >= 0 && index < kKeyNameCount ? kKeyNames[index] : ""; }

std::string MenuSequenceText(const ShortcutRecord& slot) { return Cut("%" + slot.p0, kKeystrokeBuffer); }

std::string HotkeyText(const ShortcutRecord& slot) {
  std::string text;
  // A part that would not fit whole is left out, so a key name is never cut in half.
  for (const std::string* field : {&slot.p0, &slot.p1, &slot.p2, &slot.p3}) {
    std::string part = HotkeyPart(Cut(*field, field == &slot.p0 ? kActionTextChars : 255));
    if (text.size() + part.size() <= kKeystrokeBuffer) text += part;
  }
  return text;
}

std::string ExpandKeystrokeEscapes(const std::string& p0) {
  std::string text;
  for (size_t i = 0; i < p0.size() && text.size() < kActionTextChars; ++i) {
    if (p0[i] == '\\' && i + 1 < p0.size() && (p0[i + 1] == 'n' || p0[i + 1] == 't')) {
      text += p0[++i] == 'n' ? '\n' : '\t';
    } else {
      text += p0[i];
    }
  }
  return text;
}

std::string CommandLineFor(const std::string& p0) {
  std::string path = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + p0;
  if (path.size() > 511) return p0;  // a key path that does not fit names no registered program
  HKEY key;
  std::string command = p0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    char value[512] = {};
    DWORD size = sizeof value - 1, type = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ))
      command = value;
    RegCloseKey(key);
  }
  return command;
}

void RunMenuSequence(const ShortcutRecord& slot) { Kurvo().language.Tamrin(MenuSequenceText(slot)); }
void RunHotkey(const ShortcutRecord& slot) { Kurvo().language.Tamrin(HotkeyText(slot)); }
void RunCommandLine(const ShortcutRecord& slot) { Kurvo().effects->StartProgram(CommandLineFor(slot.p0)); }
void RunKeystrokes(const ShortcutRecord& slot) { Kurvo().language.Velsor(ExpandKeystrokeEscapes(slot.p0)); }

void RunSystemCommand(int index) {
  KurvoState& k = Kurvo();
  switch (index) {
    case 0:
      if (k.settings.showMainWinDraw == 1 && k.mainWindow) {
        ShowWindow(k.mainWindow, SW_SHOWNORMAL);
        SetForegroundWindow(k.mainWindow);
      }
      break;
    case 1: ShowOnWindow(SW_MINIMIZE); break;
    case 2: ShowOnWindow(SW_MAXIMIZE); break;
    case 3: ShowOnWindow(SW_RESTORE); break;
    case 4: k.effects->EndSession(EWX_SHUTDOWN); break;
    case 5: k.effects->EndSession(EWX_REBOOT); break;
    case 6: k.effects->EndSession(EWX_LOGOFF); break;
    default: break;
  }
}

bool PerformShortcut(const ShortcutRecord& slot) {
  if (slot.p0.empty()) return false;
  switch (slot.type) {
    case kActionCommand: RunCommandLine(slot); return false;
    case kActionMenu:
      for (int i = 0; i < kSystemCommandCount; ++i) {
        if (slot.p0 == Str(IDS_SYSCMD_FIRST + i, 127) && !slot.p0.empty()) {
          RunSystemCommand(i);
          return true;
        }
      }
      RunMenuSequence(slot);
      return false;
    case kActionKeystrokes: RunKeystrokes(slot); return false;
    case kActionHotkey: RunHotkey(slot); return false;
    default: return false;
  }
}

}  // namespace kurvo
