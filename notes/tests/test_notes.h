// Test help for Quillnote: a program state on a settings file of the test's own (in the Windows
// directory, as the program keeps it), removed with its store before and after each test.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "note_table.h"

namespace quill::test {

// A clock that tests set.
class FixedClock : public Clock {
 public:
  SYSTEMTIME now{};
  FixedClock() { Set(2026, 12, 7, 10, 30); }
  void Set(int year, int month, int day, int hour, int minute) {
    now = {};
    now.wYear = WORD(year);
    now.wMonth = WORD(month);
    now.wDay = WORD(day);
    now.wHour = WORD(hour);
    now.wMinute = WORD(minute);
  }
  SYSTEMTIME Now() override { return now; }
};

// A printer that records what would be printed.
class RecordingPrinter : public Printer {
 public:
  bool accept = true;
  int from = 0, to = 0;   // what the dialog answers; 0: keep the preset range
  int presetFrom = 0, presetTo = 0;
  std::vector<std::string> documents, texts;
  bool Choose(HWND, int* f, int* t) override {
    presetFrom = *f;
    presetTo = *t;
    if (from) *f = from;
    if (to) *t = to;
    return accept;
  }
  void PrintText(const char* document, const std::string& text) override {
    documents.push_back(document);
    texts.push_back(text);
  }
};

class NotesTest : public ::testing::Test {
 protected:
  NotesTest();
  ~NotesTest() override;

  // Writes a settings value (before start-up).
  void Set(const char* section, const char* key, const std::string& value);
  std::string Get(const char* section, const char* key);
  // Starts the program state as the program does (without the message loop).
  void Start();
  // Shuts down what Start made.
  void Stop();
  void RemoveFiles();
  HWND Edit(int note);
  std::string EditText(int note);

  NoteTable t;
  UINT_PTR watchdog = 0;  // closes a dialog left unanswered, so a test fails instead of hanging
  FixedClock clock;
  RecordingPrinter printer;
  bool started = false;
};

}  // namespace quill::test
