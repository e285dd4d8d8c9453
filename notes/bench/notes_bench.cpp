// Figures for the store and the alarm scan at their largest: four notes of ten full pages.
// Prints the time of one page write (the whole store rewritten), one value read, and one alarm
// scan of all forty pages, averaged over many runs.
#include <windows.h>

#include <cstdio>
#include <string>

#include "alarms.h"
#include "note_storage.h"
#include "note_table.h"

namespace {

double Seconds() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(freq.QuadPart);
}

template <typename F>
double MicrosecondsEach(int runs, F f) {
  double start = Seconds();
  for (int i = 0; i < runs; ++i) f(i);
  return (Seconds() - start) * 1e6 / runs;
}

}  // namespace

int main() {
  quill::NoteTable t;
  quill::SetSettingsFile(t, "QBENCH.INI");
  t.pageSize = 2048;
  quill::AllocateBuffers(t);
  std::string text(2000, 'w');
  for (size_t i = 80; i < text.size(); i += 80) text[i] = '\xA3';
  text[500] = '@';  // looks like a marker start but is none: the scan must look at it
  char key[16];
  for (int note = 0; note < quill::kNoteCount; ++note)
    for (int page = 0; page < quill::kPageCount; ++page) {
      snprintf(key, sizeof key, "Text%d", page);
      quill::WriteNoteValue(t, quill::kNoteKinds[note].section, key, text);
    }
  double write = MicrosecondsEach(200, [&](int i) {
    snprintf(key, sizeof key, "Text%d", i % quill::kPageCount);
    quill::WriteNoteValue(t, quill::kNoteKinds[i % quill::kNoteCount].section, key, text);
  });
  double read = MicrosecondsEach(500, [&](int i) {
    snprintf(key, sizeof key, "Text%d", i % quill::kPageCount);
    quill::ReadNoteValue(t, quill::kNoteKinds[i % quill::kNoteCount].section, key);
  });
  double scan = MicrosecondsEach(20, [&](int) { quill::ScanAlarms(t); });
  printf("store of 40 pages of 2000 bytes\n");
  printf("  page write (whole store rewritten): %8.0f us\n", write);
  printf("  page read:                          %8.0f us\n", read);
  printf("  alarm scan of 40 pages:             %8.0f us\n", scan);
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, "QBENCH.INI");
  DeleteFileA(t.store.path.c_str());
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  DeleteFileA((std::string(dir) + "\\QBENCH.INI").c_str());
  return 0;
}
