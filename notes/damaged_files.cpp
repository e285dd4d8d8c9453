#include "damaged_files.h"

#include <cstdio>

#include "note_settings.h"

namespace quill {
namespace {

HWND MessageOwner(const NoteTable& t) { return t.notes[0].window; }

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(f, &size) && size.QuadPart <= kMaxStoreFile;
  DWORD got = 0;
  if (ok) {
    bytes->assign(size_t(size.QuadPart), '\0');
    ok = ReadFile(f, bytes->data(), DWORD(bytes->size()), &got, nullptr) && got == bytes->size();
  }
  CloseHandle(f);
  return ok;
}

// A copy of `path` beside it: an existing copy with the same bytes, else the first free name.
std::string KeepCopy(const std::string& path, const std::string& bytes) {
  for (int n = 1; n <= 99; ++n) {
    std::string name = path + ".damaged" + (n > 1 ? std::to_string(n) : std::string());
    std::string old;
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES)
      return CopyFileA(path.c_str(), name.c_str(), TRUE) ? name : std::string();
    if (ReadWholeFile(name, &old) && old == bytes) return name;
  }
  return {};
}

}  // namespace

std::string SettingsPath(const NoteTable& t) {
  std::string name = t.settingsFile;
  if (name.find_first_of("\\:/") != std::string::npos) return name;
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\" + name;
}

bool RecoverDamagedStore(NoteTable& t) {
  StoreScan scan = ScanStore(t.store);
  if (!scan.exists || (scan.readable && scan.whole)) return true;
  if (!scan.readable || t.storeBlocked) return false;  // held by another program: try again later
  std::string kept;
  char text[1024];
  if (!ReplaceDamagedStore(t.store, scan.records, &kept)) {
    t.storeBlocked = true;
    snprintf(text, sizeof text,
             "The page store %s could not be read whole, and it could not be set aside.\n\n"
             "Quillnote leaves it as it is: changes to pages are not saved until Quillnote is "
             "started again.",
             t.store.path.c_str());
  } else {
    snprintf(text, sizeof text,
             "The page store %s could not be read whole.\n\n"
             "It was kept unchanged as %s.\n"
             "The %u page texts that could be read are in a new %s, and what you write is saved "
             "there.",
             t.store.path.c_str(), kept.c_str(), unsigned(scan.records.size()),
             t.store.path.c_str());
  }
  MessageBoxA(MessageOwner(t), text, "Quillnote", MB_OK | MB_ICONWARNING);
  return !t.storeBlocked;
}

int FirstDamagedSettingsLine(std::string_view text) {
  bool inSection = false;
  int number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    for (char c : line) {
      unsigned char u = static_cast<unsigned char>(c);
      if (u < 0x20 && u != '\t' && u != '\r') return number;
    }
    size_t b = line.find_first_not_of(" \t\r");
    if (b == std::string_view::npos) continue;  // blank
    line = line.substr(b, line.find_last_not_of(" \t\r") - b + 1);
    if (line[0] == ';') continue;
    if (line[0] == '[') {
      if (line.find(']') == std::string_view::npos) return number;
      inSection = true;
      continue;
    }
    if (!inSection || line.find('=') == std::string_view::npos || line[0] == '=') return number;
  }
  return 0;
}

void CheckSettingsFile(NoteTable& t) {
  std::string path = SettingsPath(t), bytes;
  if (!ReadWholeFile(path, &bytes)) return;  // missing: the defaults hold
  // A file of 16-bit characters is read as such by the profile functions.
  std::string_view head = std::string_view(bytes).substr(0, 2);
  if (head == "\xFF\xFE" || head == "\xFE\xFF") return;
  std::string_view body = bytes;
  if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
  int line = FirstDamagedSettingsLine(body);
  if (!line) return;
  // Only text after a zero byte is lost when the profile functions write the file again; the
  // other damaged lines they write back as they found them.
  std::string kept = bytes.find('\0') != std::string::npos ? KeepCopy(path, bytes) : std::string();
  char text[1024];
  snprintf(text, sizeof text,
           "The settings file %s is damaged: line %d and perhaps others cannot be read.\n\n"
           "Settings that cannot be read keep their defaults.%s%s",
           path.c_str(), line, kept.empty() ? "" : "\nA copy of the file as it was is kept as ",
           kept.empty() ? "" : (kept + ".").c_str());
  MessageBoxA(MessageOwner(t), text, "Quillnote", MB_OK | MB_ICONWARNING);
}

}  // namespace quill
