#include "test_notes.h"

#include <algorithm>

#include "note_settings.h"
#include "note_storage.h"
#include "dialog_answerer.h"
#include "pump.h"
#include "quillnote_app.h"
#include "temp_dir.h"

namespace quill::test {
namespace {

// A dialog of this thread still open at a watchdog tick was not answered by its test (the
// answering hook did not see it activated): it is cancelled and the test fails.
BOOL CALLBACK CancelStaleDialog(HWND h, LPARAM seen) {
  char cls[16] = "";
  GetClassNameA(h, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(h)) return TRUE;
  auto* previous = reinterpret_cast<std::vector<HWND>*>(seen);
  if (std::find(previous->begin(), previous->end(), h) == previous->end()) {
    previous->push_back(h);  // give it one more tick
    return TRUE;
  }
  ADD_FAILURE() << "dialog \"" << sw::test::WindowText(h) << "\" was left unanswered";
  PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

void CALLBACK WatchdogTick(HWND, UINT, UINT_PTR, DWORD) {
  static std::vector<HWND> seen;
  seen.erase(std::remove_if(seen.begin(), seen.end(), [](HWND h) { return !IsWindow(h); }),
             seen.end());
  EnumThreadWindows(GetCurrentThreadId(), CancelStaleDialog, LPARAM(&seen));
}

}  // namespace

NotesTest::NotesTest() {
  static int counter = 0;
  char name[16];
  snprintf(name, sizeof name, "QT%lu_%d.INI", GetCurrentProcessId() % 10000, ++counter % 100);
  SetSettingsFile(t, name);
  t.instance = GetModuleHandleA(nullptr);
  t.clock = &clock;
  t.printer = &printer;
  RemoveFiles();
  AllocateBuffers(t);
  watchdog = SetTimer(nullptr, 0, 4000, WatchdogTick);
}

NotesTest::~NotesTest() {
  KillTimer(nullptr, watchdog);
  Stop();
  RemoveFiles();
}

void NotesTest::RemoveFiles() {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  FlushSettings(t);
  DeleteFileA((std::string(dir) + "\\" + t.settingsFile).c_str());
  DeleteFileA(t.store.path.c_str());
  DeleteFileA(t.store.tmpPath.c_str());
}

void NotesTest::Set(const char* section, const char* key, const std::string& value) {
  WriteSetting(t, section, key, value.c_str());
}

std::string NotesTest::Get(const char* section, const char* key) {
  return ReadSetting(t, section, key, 4096);
}

void NotesTest::Start() {
  ASSERT_TRUE(StartNotes(t));
  started = true;
  sw::test::PumpMessages(50);
}

void NotesTest::Stop() {
  if (!started) return;
  started = false;
  ShutdownNotes(t);
  MSG m;
  while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

HWND NotesTest::Edit(int note) { return NoteEdit(t.notes[note].window); }

std::string NotesTest::EditText(int note) { return sw::test::WindowText(Edit(note)); }

}  // namespace quill::test
