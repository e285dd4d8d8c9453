#include "file_groups.h"

#include <windows.h>

#include <cstring>

#include "file_search.h"
#include "paths.h"

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

std::string ExpandBeside(const std::string& source, const std::string& destination) {
  long long expected = ExpandedSize(source);
  if (expected < 0) return std::string();
  std::string dir = ParentOf(destination);
  char temp[MAX_PATH] = {};
  if (dir.empty() || dir.size() > MAX_PATH - 14 || !GetTempFileNameA(dir.c_str(), "kvo", 0, temp))
    return std::string();
  // The source is opened first: a missing source then leaves no empty destination behind.
  OFSTRUCT sourceInfo{}, destinationInfo{};
  INT from = LZOpenFileA(const_cast<char*>(source.c_str()), &sourceInfo, OF_READ);
  INT to = from < 0 ? -1 : LZOpenFileA(temp, &destinationInfo, OF_CREATE);
  LONG copied = -1;
  if (to >= 0) copied = LZCopy(from, to);
  if (from >= 0) LZClose(from);
  if (to >= 0) LZClose(to);
  if (copied < 0 || copied != expected) {
    DeleteFileA(temp);  // a half-expanded file is of no use to anyone
    return std::string();
  }
  return temp;
}

bool MoveIntoPlace(const std::string& temp, const std::string& destination) {
  if (MoveFileExA(temp.c_str(), destination.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(temp.c_str());
  return false;
}

bool ExpandFile(const std::string& source, const std::string& destination) {
  std::string temp = ExpandBeside(source, destination);
  return !temp.empty() && MoveIntoPlace(temp, destination);
}

bool MakeDirectoryPath(const std::string& path) {
  // Every level from the first below the drive or share, so a missing parent is made too.
  size_t from = 0;
  if (path.size() >= 2 && path[1] == ':') {
    from = 3;
  } else if (path.rfind("\\\\", 0) == 0) {
    size_t share = path.find('\\', 2);
    from = share == std::string::npos ? path.size() : path.find('\\', share + 1);
    if (from == std::string::npos) from = path.size();
  }
  for (size_t pos = path.find('\\', from); ; pos = path.find('\\', pos + 1)) {
    std::string level = pos == std::string::npos ? path : path.substr(0, pos);
    if (!level.empty() && !CreateDirectoryA(level.c_str(), nullptr)) {
      DWORD attributes = GetFileAttributesA(level.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (pos == std::string::npos) return false;
      }
    }
    if (pos == std::string::npos) break;
  }
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Installs one scheme over an existing one only when the user has not changed it: it is the
// copy Install recorded last time, or the same as the new one. A changed scheme stays.
void InstallScheme(const std::string& source, const std::string& destination,
                   const std::string& relative, const InstallRecord* previous,
                   RecordWriter* record, InstallReport& report) {
  std::string temp = ExpandBeside(source, destination);
  if (temp.empty()) {
    report.Fail("Datei " + sw::FilePart(source) + " nach " + destination +
                " entpacken");
    return;
  }
  uint32_t onDisk = 0, fresh = 0;
  bool readable = FileChecksum(destination, onDisk) && FileChecksum(temp, fresh);
  const RecordedFile* recorded = previous ? previous->FindFile(relative) : nullptr;
  if (readable && onDisk != fresh && !(recorded && recorded->checksum == onDisk)) {
    DeleteFileA(temp.c_str());
    report.Note("Ihr ge\xE4ndertes Schema " + relative + " wurde beibehalten");
    return;
  }
  if (!MoveIntoPlace(temp, destination)) {
    report.Fail("Datei " + destination + " ersetzen");
  } else if (record) {
    record->File(relative, fresh);
  }
}

}  // namespace

void CopyFileGroups(const std::string& source, const std::string& target, InstallReport& report,
                    RecordWriter* record, const InstallRecord* previous) {
  // Each directory is reported once, however many files then fail to land in it.
  bool targetReported = false;
  auto ensureTarget = [&] {
    if (!MakeDirectoryPath(target) && !targetReported) {
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
        if (!MakeDirectoryPath(dir)) {
          if (!targetReported) report.Fail("Verzeichnis " + dir + " anlegen");
        } else if (record) {
          record->Dir(group.subdir);
        }
      }
    }
    for (const std::string& name : FindFiles(source, group.pattern)) {
      std::string file = DestinationName(name, group.extension);
      std::string relative = *group.subdir ? std::string(group.subdir) + "\\" + file : file;
      std::string destination = LowerCase(dir) + "\\" + file;
      if (i == 0 && Exists(destination)) {
        InstallScheme(source + "\\" + name, destination, relative, previous, record, report);
        continue;
      }
      uint32_t sum = 0;
      if (!ExpandFile(source + "\\" + name, destination)) {
        report.Fail("Datei " + name + " nach " + destination + " entpacken");
      } else if (record && FileChecksum(destination, sum)) {
        record->File(relative, sum);
      }
    }
  }
}

}  // namespace install
