#include "file_copy.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "handles.h"

namespace zwicon::files {

using sw::FileHandle;

namespace {

std::string FullUpper(const std::string& p) {
  char buf[MAX_PATH * 2] = "";
  DWORD n = GetFullPathNameA(p.c_str(), sizeof buf, buf, nullptr);
  std::string s = n && n < sizeof buf ? std::string(buf, n) : p;
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

bool Identity(const std::string& p, BY_HANDLE_FILE_INFORMATION& info) {
  FileHandle f(CreateFileA(p.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr));
  return f && GetFileInformationByHandle(f.get(), &info);
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  if (FullUpper(a) == FullUpper(b)) return true;
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  if (!Identity(a, ia) || !Identity(b, ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
         ia.nFileIndexLow == ib.nFileIndexLow && (ia.nFileIndexHigh | ia.nFileIndexLow) != 0;
}

CopyResult SafeCopyFile(const std::string& source, const std::string& target, CopyOptions options) {
  if (SameFile(source, target)) return CopyResult::SameFile;
  FileHandle in(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!in) return CopyResult::NoSource;
  DWORD attributes = GetFileAttributesA(source.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) attributes = FILE_ATTRIBUTE_NORMAL;
  FILETIME created{}, accessed{}, written{};
  BOOL haveTimes = GetFileTime(in.get(), &created, &accessed, &written);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(in.get(), &size)) return CopyResult::NoSource;

  FileHandle out(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return CopyResult::NoTarget;
  CopyResult result = CopyResult::Ok;
  std::vector<char> block(kCopyBlock);
  long long copied = 0;
  for (;;) {
    DWORD got = 0, put = 0;
    if (!ReadFile(in.get(), block.data(), kCopyBlock, &got, nullptr)) {
      result = CopyResult::WriteFailed;
      break;
    }
    if (got == 0) break;
    if (!WriteFile(out.get(), block.data(), got, &put, nullptr) || put != got) {
      result = CopyResult::WriteFailed;
      break;
    }
    copied += put;
  }
  if (result == CopyResult::Ok && copied != size.QuadPart) result = CopyResult::SizeMismatch;
  if (result == CopyResult::Ok && haveTimes) SetFileTime(out.get(), &created, &accessed, &written);
  if (!out.Close() && result == CopyResult::Ok) result = CopyResult::WriteFailed;
  in.Close();
  if (result != CopyResult::Ok) {
    DeleteFileA(target.c_str());
    return result;
  }
  DWORD keep = attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                             FILE_ATTRIBUTE_ARCHIVE);
  if (!options.keepAttributes) keep &= FILE_ATTRIBUTE_ARCHIVE;
  SetFileAttributesA(target.c_str(), keep ? keep : FILE_ATTRIBUTE_NORMAL);
  return CopyResult::Ok;
}

}  // namespace zwicon::files
