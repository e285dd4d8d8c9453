#include "note_storage.h"

#include <cstdio>
#include <cstring>

#include "damaged_files.h"
#include "note_settings.h"
#include "quill_ids.h"

namespace quill {
namespace {

std::string StoreKey(const char* section, const char* key) {
  return std::string(section) + "_" + (key ? key : "");
}

// The LOGFONT fields kept in the settings file, in the order they are written.
struct FontField {
  const char* key;
  LONG LOGFONTA::*longField;
  BYTE LOGFONTA::*byteField;
};
const FontField kFontFields[] = {
    {"lfHeight", &LOGFONTA::lfHeight, nullptr},
    {"lfWidth", &LOGFONTA::lfWidth, nullptr},
    {"lfEscapement", &LOGFONTA::lfEscapement, nullptr},
    {"lfOrientation", &LOGFONTA::lfOrientation, nullptr},
    {"lfWeight", &LOGFONTA::lfWeight, nullptr},
    {"lfItalic", nullptr, &LOGFONTA::lfItalic},
    {"lfUnderline", nullptr, &LOGFONTA::lfUnderline},
    {"lfStrikeOut", nullptr, &LOGFONTA::lfStrikeOut},
    {"lfOutPrecision", nullptr, &LOGFONTA::lfOutPrecision},
    {"lfClipPrecision", nullptr, &LOGFONTA::lfClipPrecision},
    {"lfQuality", nullptr, &LOGFONTA::lfQuality},
    {"lfPitchAndFamily", nullptr, &LOGFONTA::lfPitchAndFamily},
};

}  // namespace

std::string ReadNoteValue(NoteTable& t, const char* section, const char* key) {
  std::string value = ReadSetting(t, section, key, int(t.pageSize));
  // A value that filled the buffer may go on: grow until it fits, so that it is kept whole.
  while (value.size() + 1 >= t.pageSize && t.pageSize < kMaxPageSize) {
    t.pageSize += 1024;
    AllocateBuffers(t);
    value = ReadSetting(t, section, key, int(t.pageSize));
  }
  if (!value.empty()) return value;
  if (!ReadStoreValue(t.store, StoreKey(section, key), &value)) return {};
  if (value.size() + 20 >= t.pageSize) {
    while (value.size() + 20 >= t.pageSize) t.pageSize += 1024;
    AllocateBuffers(t);
  }
  return value;
}

bool WriteNoteValue(NoteTable& t, const char* section, const char* key, const std::string& value) {
  auto rewrite = [&](bool* damaged) {
    return !t.storeBlocked && RewriteStore(t.store, StoreKey(section, key), key == nullptr,
                                           key ? value : std::string(), t.pageSize, damaged);
  };
  bool damaged = false;
  bool ok = rewrite(&damaged);
  if (!ok && damaged && RecoverDamagedStore(t)) ok = rewrite(nullptr);
  // The settings file gives up its copy only once the store holds the new value.
  if (ok) {
    FlushSettings(t);
    DeleteSetting(t, section, key);
  }
  return ok;
}

void DeleteNoteValues(NoteTable& t, const char* section) {
  WriteNoteValue(t, section, nullptr, {});
}

bool EnsureTextCapacity(NoteTable& t, size_t length) {
  if (length + 20 < t.pageSize) return true;
  t.pageSize += 1024;
  AllocateBuffers(t);
  return false;
}

std::string ReadEditText(NoteTable& t, HWND edit) {
  for (;;) {
    if (t.editBuffer.size() < t.pageSize) AllocateBuffers(t);
    int n = GetWindowTextA(edit, t.editBuffer.data(), int(t.pageSize));
    // A text that filled the buffer may be longer than what was read: grow and read again.
    size_t length = size_t(std::max(n, GetWindowTextLengthA(edit)));
    if (EnsureTextCapacity(t, length)) return std::string(t.editBuffer.data(), size_t(n));
  }
}

HWND NoteEdit(HWND window) { return GetDlgItem(window, IDC_EDIT); }

void SavePage(NoteTable& t, NoteRecord& r) {
  // While a page dialog runs the edit control may preview another page: its text was stored
  // when the dialog opened, and storing the preview would overwrite the current page.
  if (r.pageDialog) return;
  char key[16];
  snprintf(key, sizeof key, "Title%d", int(r.page));
  WriteSetting(t, r.section, key, r.titles[r.page]);
  std::string text = ReadEditText(t, NoteEdit(r.window));
  text.resize(EncodeNoteText(text.data()));
  snprintf(key, sizeof key, "Text%d", int(r.page));
  WriteNoteValue(t, r.section, key, text);
  WriteSettingNumber(t, "Quill", "PageSize", long(t.pageSize));
  FlushSettings(t);
}

void SaveNote(NoteTable& t, NoteRecord& r) {
  WriteSettingNumber(t, r.section, "TopMost", r.topMost ? 1 : 0);
  if (r.shownSinceSave) {
    RECT rc{};
    GetWindowRect(r.window, &rc);
    WriteSettingNumber(t, r.section, "PosX", rc.left);
    WriteSettingNumber(t, r.section, "PosY", rc.top);
    WriteSettingNumber(t, r.section, "SizeX", rc.right - rc.left);
    WriteSettingNumber(t, r.section, "SizeY", rc.bottom - rc.top);
    WriteSettingNumber(t, r.section, "Page", r.page);
  }
  for (const FontField& f : kFontFields)
    WriteSettingNumber(t, r.section, f.key, f.longField ? r.font.*f.longField : r.font.*f.byteField);
  WriteSetting(t, r.section, "lfFaceName", r.font.lfFaceName);
  if (&r == &t.notes[0]) {
    WriteSettingNumber(t, r.section, "ShowStartup", t.showStartup ? 1 : 0);
    WriteSettingNumber(t, r.section, "OneTray", t.oneTrayPending ? 1 : 0);
  }
  r.shownSinceSave = false;
  SavePage(t, r);
}

void ReadFontSettings(const NoteTable& t, NoteRecord& r) {
  r.font = LOGFONTA{};
  r.font.lfHeight = 16;
  r.font.lfWeight = 400;
  for (const FontField& f : kFontFields) {
    int32_t v = 0;
    if (!ReadSettingNumber(t, r.section, f.key, &v)) continue;
    if (f.longField) r.font.*f.longField = v;
    else r.font.*f.byteField = BYTE(v);
  }
  std::string face = ReadSetting(t, r.section, "lfFaceName", LF_FACESIZE);
  lstrcpynA(r.font.lfFaceName, face.c_str(), LF_FACESIZE);
  r.font.lfCharSet = 0;
}

}  // namespace quill
