#include "quillnote_app.h"

#include <algorithm>
#include <cstring>

#include "alarms.h"
#include "damaged_files.h"
#include "note_lifecycle.h"
#include "note_settings.h"
#include "note_storage.h"
#include "note_window.h"
#include "quill_ids.h"

namespace quill {

CommandLineResult SettingsNameFromCommandLine(const char* commandLine, std::string* name) {
  std::string s = commandLine ? commandLine : "";
  size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  s = b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  if (s.empty()) return CommandLineResult::Default;
  if (s.size() >= size_t(kSettingsNameSize)) return CommandLineResult::TooLong;
  *name = s;
  return CommandLineResult::Named;
}

bool StartNotes(NoteTable& t) {
  if (t.store.path.empty()) SetSettingsFile(t, t.settingsFile);
  if (FindWindowA(kNoteKinds[0].windowClass, kNoteKinds[0].title)) return false;
  CheckSettingsFile(t);
  RecoverDamagedStore(t);

  int32_t v = 0;
  if (ReadSettingNumber(t, "Quill", "PageSize", &v, 16) && v >= int32_t(kMinPageSize))
    t.pageSize = std::min(uint32_t(v), kMaxPageSize);
  t.fussSize = !ReadSetting(t, "Quill", "FussSize", 16).empty();
  t.vscroll = !ReadSetting(t, "Quill", "VSCROLL", 16).empty();
  AllocateBuffers(t);
  t.toolWindow = ReadSettingNumber(t, "Quill", "ToolWindow", &v, int(t.pageSize)) && v != 0;

  InitDisplay(t);
  RegisterNoteClasses(t);
  t.accel = LoadAcceleratorsA(t.instance, "MyAccel");
  t.taskbarCreated = RegisterWindowMessageA("TaskbarCreated");

  bool alarm = ScanAlarms(t);
  CreateNote(t, 0);
  for (int i = 1; i < kNoteCount; ++i) {
    if (alarm && t.alarm.note == i) {
      CreateNote(t, i);
      continue;
    }
    if (!IsBlankText(ReadNoteValue(t, kNoteKinds[i].section, "Text0"))) CreateNote(t, i);
  }
  if (alarm) PresentAlarm(t, false);
  SetTimer(t.notes[0].window, TIMER_SAVE, 60000, nullptr);
  t.startupDone = true;
  return true;
}

bool TranslateNoteKey(NoteTable& t, HWND active, MSG* msg) {
  if (!t.accel || !active) return false;
  // An Alt+letter entry also takes the Alt+key whose virtual code equals the letter's character
  // (Alt with keypad 4 or 6 for "d" and "f", F9 for "x"), which would turn the keypad codes of
  // characters into commands. Alt+letters arrive as WM_SYSCHAR; of the keys held with Alt only
  // F4 is a command.
  if (msg->message == WM_SYSKEYDOWN && msg->wParam != VK_F4) return false;
  return TranslateAcceleratorA(active, t.accel, msg) != 0;
}

void RunMessageLoop(NoteTable& t) {
  MSG msg;
  for (;;) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) break;
    HWND active = GetActiveWindow();
    NoteRecord* note = ActiveNote(t);
    if (note && TranslateNoteKey(t, active, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void ShutdownNotes(NoteTable& t) {
  t.exiting = true;
  for (NoteRecord& r : t.notes) {
    if (!r.inUse) continue;
    SaveNote(t, r);
    if (&r == &t.notes[0]) KillTimer(r.window, TIMER_SAVE);
    TeardownNote(t, r);
  }
  DestroyAllNotes(t);
  t.captionFont.reset();
  t.backBrush.reset();
  t.shadeBrush.reset();
  t.darkBrush.reset();
  t.lightBrush.reset();
  for (auto& b : t.squareBrush) b.reset();
  UnregisterNoteClasses(t);
  if (t.accel) DestroyAcceleratorTable(t.accel);
  t.accel = nullptr;
  WriteSettingNumber(t, "Quill", "PageSize", long(t.pageSize));
  FlushSettings(t);
  t.editBuffer = {};
  t.storeBuffer = {};
}

int RunQuillnote(HINSTANCE instance, const char* commandLine) {
  static NoteTable table;  // the program's one state, alive until the process ends
  NoteTable& t = table;
  t.instance = instance;
  std::string name = "QUILL.INI";
  if (SettingsNameFromCommandLine(commandLine, &name) == CommandLineResult::TooLong) {
    MessageBoxA(nullptr,
                "The settings file name on the command line is longer than 15 characters.\n"
                "Quillnote does not start.",
                "Quillnote", MB_OK | MB_ICONSTOP);
    return 1;
  }
  SetSettingsFile(t, name);
  if (!StartNotes(t)) return 0;
  RunMessageLoop(t);
  ShutdownNotes(t);
  return 0;
}

}  // namespace quill
