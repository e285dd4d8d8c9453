#include "test_notes.h"

#include "note_settings.h"
#include "note_storage.h"
#include "dialog_answerer.h"
#include "pump.h"
#include "quillnote_app.h"
#include "temp_dir.h"

namespace quill::test {

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
}

NotesTest::~NotesTest() {
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
