#include "text_files.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>

#include "note_storage.h"
#include "paths.h"

namespace quill {

void AddDefaultExtension(char* path, size_t size) {
  size_t n = strnlen(path, size);
  if (!sw::Extension(std::string(path, n), sw::kBackslashAndDrive).empty()) return;
  if (n + 4 < size) memcpy(path + n, ".TXT", 5);
}

bool ChooseFileName(NoteTable& t, HWND owner, FileDialogMode mode, const char* title) {
  char file[kField] = "*.TXT";
  char folder[kField] = "";
  lstrcpynA(folder, t.lastFile, kField);
  lstrcpynA(folder, sw::DirectoryPart(folder).c_str(), kField);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "Text file\0*.TXT\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = kField;
  ofn.lpstrInitialDir = folder[0] ? folder : nullptr;
  ofn.lpstrTitle = title;
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  ofn.Flags |= mode == FileDialogMode::Open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT;
  BOOL ok = mode == FileDialogMode::Open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
  if (!ok) return false;
  lstrcpynA(t.lastFile, file, kField);
  AddDefaultExtension(t.lastFile, kField);
  return true;
}

LoadedText PrepareLoadedText(std::string_view file, size_t room) {
  LoadedText out;
  out.text.reserve(std::min(room, file.size() + file.size() / 16));
  size_t i = 0;
  for (; i < file.size(); ++i) {
    char c = file[i];
    if (c == '\r' || c == '\n') {
      if (out.text.size() + 2 > room) break;
      out.text += "\r\n";
      if (c == '\r' && i + 1 < file.size() && file[i + 1] == '\n') ++i;
      continue;
    }
    if (out.text.size() + 1 > room) break;
    if (c == 0) {
      c = ' ';
      ++out.zeroBytes;
    }
    out.text += c;
  }
  out.usedBytes = i;
  return out;
}

namespace {

// Says what loading changed in a file's text or left out of it; nothing when it is whole.
void ReportLoad(HWND window, const char* path, const LoadedText& loaded, uint64_t fileBytes,
                size_t limit) {
  bool cut = loaded.usedBytes < fileBytes;
  if (!loaded.zeroBytes && !cut) return;
  std::string text = std::string(path) + " was loaded with changes:";
  if (loaded.zeroBytes)
    text += "\n\n" + std::to_string(loaded.zeroBytes) +
            (loaded.zeroBytes == 1 ? " zero byte became a space." : " zero bytes became spaces.");
  if (cut)
    text += "\n\nOnly the first " + std::to_string(loaded.usedBytes) + " of its " +
            std::to_string(fileBytes) + " bytes were loaded: a page holds at most " +
            std::to_string(limit) + " characters.";
  MessageBoxA(window, text.c_str(), "Quillnote", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

bool InsertTextFile(NoteTable& t, HWND window, const char* path) {
  HWND edit = NoteEdit(window);
  std::string current = ReadEditText(t, edit);
  HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f, &size)) size.QuadPart = 0;
  // A line break may grow to two characters, never less: no more than `room` bytes are needed.
  size_t room = current.size() < t.maxPageText ? t.maxPageText - current.size() : 0;
  std::string bytes(size_t(std::min<uint64_t>(uint64_t(size.QuadPart), room)), '\0');
  DWORD got = 0;
  if (!ReadFile(f, bytes.data(), DWORD(bytes.size()), &got, nullptr)) got = 0;
  CloseHandle(f);
  bytes.resize(got);
  LoadedText loaded = PrepareLoadedText(bytes, room);
  size_t n = current.size() + loaded.text.size();
  if (n + 20 >= t.pageSize) {
    t.pageSize = uint32_t(n + 21);
    AllocateBuffers(t);
  }
  SendMessageA(edit, EM_REPLACESEL, TRUE, LPARAM(loaded.text.c_str()));
  ReportLoad(window, path, loaded, uint64_t(size.QuadPart), t.maxPageText);
  return true;
}

bool WriteTextFile(NoteTable& t, HWND window, const char* path) {
  std::string text = ReadEditText(t, NoteEdit(window));
  HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  BOOL ok = WriteFile(f, text.data(), DWORD(text.size()), &put, nullptr) && put == text.size();
  CloseHandle(f);
  return ok;
}

void LoadNoteFromFile(NoteTable& t, HWND window) {
  if (ChooseFileName(t, window, FileDialogMode::Open, "Load note from file") &&
      !InsertTextFile(t, window, t.lastFile)) {
    MessageBoxA(window, "The file could not be read.", "Quillnote", MB_OK | MB_ICONEXCLAMATION);
  }
  SetFocus(NoteEdit(window));
}

void SaveNoteToFile(NoteTable& t, HWND window) {
  if (ChooseFileName(t, window, FileDialogMode::Save, "Save note to file") &&
      !WriteTextFile(t, window, t.lastFile)) {
    MessageBoxA(window, "The note could not be written to the file.", "Quillnote",
                MB_OK | MB_ICONEXCLAMATION);
  }
  SetFocus(NoteEdit(window));
}

}  // namespace quill
