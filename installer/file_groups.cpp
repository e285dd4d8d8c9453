#include "file_groups.h"

#include <windows.h>

#include <cstring>

#include "file_search.h"

namespace install {

const std::vector<FileGroup>& FileGroups() {
  static const std::vector<FileGroup> groups = {
      {"*.kv_", "kvo", "schemes"}, {"*.wa_", "wav", "sounds"}, {"*.ex_", "exe", "system"},
      {"*.dl_", "dll", "system"},  {"*.hl_", "hlp", "system"}, {"*.qk_", "qks", "system"},
      {"*.kw_", "kwz", "system"},  {"*.di_", "diz", ""},       {"*.tx_", "txt", ""},
      {"*.do_", "doc", ""},        {"*.diz", "diz", ""},       {"*.txt", "txt", ""},
      {"*.doc", "doc", ""},        {"Kurvo.ex_", "exe", ""},
  };
  return groups;
}

std::string DestinationName(const std::string& mediumName, const std::string& extension) {
  std::string name = mediumName;
  if (!name.empty() && !extension.empty()) name.back() = extension.back();
  return LowerCase(name);
}

long long ExpandedSize(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return -1;
  unsigned char header[14] = {};
  DWORD got = 0;
  BOOL read = ReadFile(h, header, sizeof header, &got, nullptr);
  LARGE_INTEGER size{};
  BOOL sized = GetFileSizeEx(h, &size);
  CloseHandle(h);
  if (!read || !sized) return -1;
  static const unsigned char magic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
  if (got == sizeof header && std::memcmp(header, magic, sizeof magic) == 0) {
    return static_cast<long long>(header[10]) | static_cast<long long>(header[11]) << 8 |
           static_cast<long long>(header[12]) << 16 | static_cast<long long>(header[13]) << 24;
  }
  return size.QuadPart;
}

bool ExpandFile(const std::string& source, const std::string& destination) {
  long long expected = ExpandedSize(source);
  if (expected < 0) return false;
  // The source is opened first: a missing source then leaves no empty destination behind.
  OFSTRUCT sourceInfo{}, destinationInfo{};
  INT from = LZOpenFileA(const_cast<char*>(source.c_str()), &sourceInfo, OF_READ);
  if (from < 0) return false;
  INT to = LZOpenFileA(const_cast<char*>(destination.c_str()), &destinationInfo, OF_CREATE);
  if (to < 0) {
    LZClose(from);
    return false;
  }
  LONG copied = LZCopy(from, to);
  LZClose(from);
  LZClose(to);
  return copied >= 0 && copied == expected;
}

namespace {

// Creates one directory level; an existing directory is fine.
bool MakeDirectory(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void CopyFileGroups(const std::string& source, const std::string& target, InstallReport& report) {
  // Each directory is reported once, however many files then fail to land in it.
  bool targetReported = false;
  auto ensureTarget = [&] {
    if (!MakeDirectory(target) && !targetReported) {
      report.Fail("Verzeichnis " + target + " anlegen");
      targetReported = true;
    }
  };
  ensureTarget();
  std::string madeSubdir;
  for (size_t i = 0; i < FileGroups().size(); ++i) {
    const FileGroup& group = FileGroups()[i];
    if (i == 7) {
      // An older installation kept the program in the system directory.
      DeleteFileA((target + "\\system\\Kurvo.exe").c_str());
      ensureTarget();
    }
    std::string dir = target;
    if (*group.subdir) {
      dir += "\\";
      dir += group.subdir;
      if (madeSubdir != group.subdir) {
        madeSubdir = group.subdir;
        if (!MakeDirectory(dir) && !targetReported) report.Fail("Verzeichnis " + dir + " anlegen");
      }
    }
    for (const std::string& name : FindFiles(source, group.pattern)) {
      std::string destination = LowerCase(dir) + "\\" + DestinationName(name, group.extension);
      if (!ExpandFile(source + "\\" + name, destination)) {
        report.Fail("Datei " + name + " nach " + destination + " entpacken");
      }
    }
  }
}

}  // namespace install
