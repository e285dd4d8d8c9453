#include "text_files.h"

#include <commdlg.h>

#include <cstring>

#include "note_storage.h"

namespace quill {

void AddDefaultExtension(char* path, size_t size) {
  size_t n = strnlen(path, size);
  for (size_t i = n; i > 0; --i) {
    char c = path[i - 1];
    if (c == '.') return;
    if (c == ':' || c == '\\') break;
  }
  if (n + 4 < size) memcpy(path + n, ".TXT", 5);
}

bool ChooseFileName(NoteTable& t, HWND owner, FileDialogMode mode, const char* title) {
  char file[kField] = "*.TXT";
  char folder[kField] = "";
  lstrcpynA(folder, t.lastFile, kField);
  if (char* slash = strrchr(folder, '\\')) *slash = 0;
  else folder[0] = 0;
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

bool InsertTextFile(NoteTable& t, HWND window, const char* path) {
  HWND edit = NoteEdit(window);
  std::string current = ReadEditText(t, edit);
  HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD size = GetFileSize(f, nullptr);
  uint64_t n = uint64_t(size == INVALID_FILE_SIZE ? 0 : size) + current.size();
  if (n > 32767) n = 32767;
  if (n + 20 >= t.pageSize) {
    t.pageSize = uint32_t(n + 20);
    AllocateBuffers(t);
  }
  DWORD got = 0;
  if (!ReadFile(f, t.editBuffer.data(), DWORD(n), &got, nullptr)) got = 0;
  CloseHandle(f);
  t.editBuffer[got] = 0;
  SendMessageA(edit, EM_REPLACESEL, TRUE, LPARAM(t.editBuffer.data()));
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
  if (ChooseFileName(t, window, FileDialogMode::Open, "Load note from file"))
    InsertTextFile(t, window, t.lastFile);
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
