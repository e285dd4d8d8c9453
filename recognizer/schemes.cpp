#include "schemes.h"

#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "main_window.h"
#include "text_util.h"

namespace kurvo {

std::string CurrentSchemePath() { return Kurvo().settings.schemeDir + Kurvo().currentScheme; }

void ReadSchemeHeader() {
  KurvoState& k = Kurvo();
  std::string path = CurrentSchemePath();
  WIN32_FILE_ATTRIBUTE_DATA info;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info)) {
    k.header = ReadHeaderFrom(path);  // a missing file reads as the defaults
    return;
  }
  KurvoState::CachedHeader& cached = k.headerCache[ToLower(path)];
  if (cached.size == info.nFileSizeLow && CompareFileTime(&cached.written, &info.ftLastWriteTime) == 0 &&
      (cached.written.dwLowDateTime | cached.written.dwHighDateTime) != 0) {
    k.header = cached.header;
    return;
  }
  k.header = ReadHeaderFrom(path);
  cached = {info.ftLastWriteTime, info.nFileSizeLow, k.header};
}

void WriteSchemeHeader() {
  KurvoState& k = Kurvo();
  SetStatusText("");
  ShowProgress(8, 1);
  k.headerCache.erase(ToLower(CurrentSchemePath()));
  WriteHeaderTo(CurrentSchemePath(), k.header, [](int step) { ShowProgress(8, step); });
  SetStatusText(FormatText(Str(IDS_SCHEME_SAVED), k.header.name));
  k.feedbackCountdown = 6;
}

void ReadShortcut(int slot) {
  if (slot >= 0 && slot < kSlotCount) Kurvo().shortcuts[slot] = ReadShortcutFrom(CurrentSchemePath(), slot);
}

void WriteShortcut(int slot) {
  if (slot >= 0 && slot < kSlotCount) WriteShortcutTo(CurrentSchemePath(), slot, Kurvo().shortcuts[slot]);
}

void ReadAllShortcuts() {
  for (int i = 0; i < kSlotCount; ++i) ReadShortcut(i);
}

void ScanSchemes() {
  KurvoState& k = Kurvo();
  if (k.schemeBox) SendMessageA(k.schemeBox, CB_RESETCONTENT, 0, 0);
  k.schemes.clear();
  std::vector<std::string> files =
      ChooseSchemeFiles(ReadScanTable(k.settings.schemeDir), k.settings.language, k.settings.defaultLanguage);
  for (const std::string& file : files) {
    k.currentScheme = file;
    ReadSchemeHeader();
    if (k.schemeBox) {
      std::string text = SchemeEntryName(k.header, file) + " " + k.header.version;
      LRESULT item = SendMessageA(k.schemeBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      if (item >= 0) SendMessageA(k.schemeBox, CB_SETITEMDATA, item, static_cast<LPARAM>(k.schemes.size()));
    }
    k.schemes.push_back({file, Cut(k.header.name, kSchemeListTextChars),
                         Cut(k.header.windowClass, kSchemeListTextChars)});
  }
}

void LoadScheme(const std::string& file) {
  KurvoState& k = Kurvo();
  k.currentScheme = k.loadedScheme = file;
  ReadSchemeHeader();
  ReadAllShortcuts();
  RefreshShortcutList();
}

std::string SchemeEntryName(const SchemeHeader& header, const std::string& file) {
  for (char c : header.name)
    if (static_cast<unsigned char>(c) > ' ') return header.name;
  return file;
}

bool SelectSchemeEntry(const std::string& name, const std::string& version) {
  KurvoState& k = Kurvo();
  if (!k.schemeBox) return false;
  std::string text = name + " " + version;
  LRESULT i = SendMessageA(k.schemeBox, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(k.schemeBox, CB_SETCURSEL, i == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(i), 0);
  return i != CB_ERR;
}

}  // namespace kurvo
