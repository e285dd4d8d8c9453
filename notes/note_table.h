// The program's whole state: the fixed table of four note records and the process-wide values
// every note window shares (metrics, colours, brushes, flags, buffers, alarm and memory state).
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

#include "handles.h"
#include "note_store.h"
#include "seams.h"

namespace quill {

constexpr int kNoteCount = 4;
constexpr int kPageCount = 10;
constexpr int kField = 80;          // titles, section names, paths: 79 characters + terminator
constexpr int kSettingsNameSize = 16;  // settings file name: 15 characters + terminator
constexpr uint32_t kDefaultPageSize = 2048;
// Bounds of a PageSize read from the settings file: a damaged value must not starve or exhaust
// memory.
constexpr uint32_t kMinPageSize = 64;
constexpr uint32_t kMaxPageSize = kMaxStoreValue + 1024;

// What the index of a note fixes.
struct NoteKind {
  const char* windowClass;
  const char* title;
  const char* section;
  const char* emptyIcon;
  const char* filledIcon;
  COLORREF square;
  const char* menu;
  const char* colourName;  // in messages about the note
};
extern const NoteKind kNoteKinds[kNoteCount];

struct NoteRecord {
  HICON emptyIcon = nullptr;
  HICON filledIcon = nullptr;
  HWND window = nullptr;
  HWND pageDialog = nullptr;
  HMENU popup = nullptr;
  HMENU loadedMenu = nullptr;
  HFONT editFont = nullptr;
  int32_t page = 0;
  char titles[kPageCount][kField] = {};
  char section[kField] = "";
  char title[kField] = "";
  LOGFONTA font = {};
  bool empty = false;
  bool inUse = false;
  bool shownSinceSave = false;
  bool topMost = false;
  int32_t chosenPage = 0;
};

struct Colors {
  COLORREF background, text, shade, dark, light;
};
// Display defaults for a palette (8 bits or less) or high-colour screen.
Colors DefaultColors(bool palette);
// Shade, light and dark follow from the background.
void DeriveColors(Colors* c);

struct AlarmState {
  bool fired = false;
  int note = 0;
  int page = 0;
  int32_t caret = 0;
  char message[257] = "";
};

struct MemoryState {
  int64_t baseline = 0;
  int64_t peak = 0;
};

struct NoteTable {
  HINSTANCE instance = nullptr;
  NoteRecord notes[kNoteCount];

  char settingsFile[kSettingsNameSize] = "QUILL.INI";
  TextStore store;
  uint32_t pageSize = kDefaultPageSize;
  std::vector<char> editBuffer;   // edit control text as read
  std::vector<char> storeBuffer;  // copy buffer of store rewrites

  int captionHeight = 0, buttonWidth = 0, buttonHeight = 0;
  RECT leftArrow = {}, rightArrow = {};
  sw::GdiObject<HFONT> captionFont;

  bool palette = false;
  Colors colors = {};
  sw::GdiObject<HBRUSH> backBrush, shadeBrush, darkBrush, lightBrush;
  sw::GdiObject<HBRUSH> squareBrush[kNoteCount];
  COLORREF customColors[16] = {};

  bool toolWindow = false;
  bool fussSize = false;
  bool vscroll = false;
  bool showStartup = true;
  bool oneTray = false;         // in force since start-up
  bool oneTrayPending = false;  // the menu's state, stored as OneTray
  bool startupDone = false;
  bool exiting = false;
  bool storeBlocked = false;  // the store was found damaged and could not be set aside
  LRESULT lastHit = -1;
  HACCEL accel = nullptr;
  UINT taskbarCreated = 0;  // sent when the shell restarts: tray icons are added again

  AlarmState alarm;
  MemoryState memory;
  char lastFile[kField] = "";
  size_t maxPageText = kMaxStoreValue - 1;  // longest text a page takes from a file

  Clock* clock = &RealClock();
  Printer* printer = &RealPrinter();
};

// Sets the settings file name and the store paths that follow from it. False (and nothing set)
// when the name does not fit its 15 characters or is empty.
bool SetSettingsFile(NoteTable& t, const std::string& name);
// Allocates both text buffers at PageSize bytes (their contents are lost).
void AllocateBuffers(NoteTable& t);
// Metrics, arrow rectangles, caption font, colours and brushes from the system and the settings.
void InitDisplay(NoteTable& t);
// Re-makes the brushes after a colour change.
void MakeBrushes(NoteTable& t);
// Loads the icons into every record and registers the four window classes.
void RegisterNoteClasses(NoteTable& t);
void UnregisterNoteClasses(NoteTable& t);

// The record a window belongs to (its note window or page dialog); the main note's otherwise.
NoteRecord& RecordOf(NoteTable& t, HWND window);
// The note in use whose window is active, or null.
NoteRecord* ActiveNote(NoteTable& t);
int IndexOf(const NoteTable& t, const NoteRecord& r);

}  // namespace quill
