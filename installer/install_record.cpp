#include "install_record.h"

#include <windows.h>

#include "file_search.h"

namespace install {

const RecordedFile* InstallRecord::FindFile(const std::string& path) const {
  for (const auto& f : files) {
    if (f.path == path) return &f;
  }
  return nullptr;
}

void InstallRecord::AddFile(const std::string& path, uint32_t checksum) {
  for (auto& f : files) {
    if (f.path == path) {
      f.checksum = checksum;
      return;
    }
  }
  files.push_back({path, checksum});
}

void InstallRecord::AddUnique(std::vector<std::string>& list, const std::string& entry) {
  for (const auto& e : list) {
    if (e == entry) return;
  }
  list.push_back(entry);
}

void InstallRecord::AddItem(const std::string& group, const std::string& item) {
  for (const auto& i : items) {
    if (i.group == group && i.item == item) return;
  }
  items.push_back({group, item});
}

std::string InstallRecord::Text() const {
  std::string t = std::string(kRecordHeader) + "\r\n";
  if (!language.empty()) t += "language=" + language + "\r\n";
  for (const auto& d : dirs) t += "dir=" + d + "\r\n";
  for (const auto& f : files) {
    std::string sum(8, '0');
    for (int i = 7, v = 0; i >= 0; --i, v += 4) sum[i] = "0123456789abcdef"[f.checksum >> v & 15];
    t += "file=" + f.path + " " + sum + "\r\n";
  }
  if (!key.empty()) t += "key=" + key + "\r\n";
  for (const auto& v : values) t += "value=" + v + "\r\n";
  for (const auto& g : groups) t += "group=" + g + "\r\n";
  for (const auto& i : items) t += "item=" + i.group + "|" + i.item + "\r\n";
  return t;
}

bool SafeShellName(const std::string& name) {
  if (name.empty() || name.size() > 80) return false;
  for (unsigned char c : name) {
    if (c < 32 || c == '[' || c == ']' || c == '(' || c == ')' || c == ',' || c == '"' ||
        c == '|' || c == '\\' || c == '/')
      return false;
  }
  return true;
}

namespace {

// A path below the installation directory: relative, no "." or ".." level (nor one the system
// would read as such), no drive, no characters a file name cannot hold.
bool SafeRelativePath(const std::string& path) {
  if (path.empty() || path.size() > 200 || path.front() == '\\' || path.back() == '\\') return false;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    std::string level = path.substr(start, end - start);
    // The system drops a level's trailing dots and blanks ("..." or ".. " would mean "..").
    if (level.empty() || level.back() == '.' || level.back() == ' ' || level.front() == ' ')
      return false;
    start = end + 1;
  }
  for (unsigned char c : path) {
    if (c < 32 || c == ':' || c == '/' || c == '*' || c == '?' || c == '"' || c == '<' ||
        c == '>' || c == '|')
      return false;
  }
  return true;
}

// A key below HKEY_LOCAL_MACHINE at least three levels deep ("SOFTWARE\<vendor>\<name>"), so
// that no damaged record can point the removal at a key shared with other programs.
bool SafeKeyPath(const std::string& key) {
  if (!SafeRelativePath(key)) return false;
  size_t levels = 1;
  for (char c : key) levels += c == '\\';
  return levels >= 3;
}

bool SafeValueName(const std::string& name) {
  if (name.empty() || name.size() > 64) return false;
  for (unsigned char c : name) {
    if (c < 32 || c == '\\') return false;
  }
  return true;
}

bool ParseChecksum(const std::string& text, uint32_t& out) {
  if (text.size() != 8) return false;
  out = 0;
  for (char c : text) {
    int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (v < 0) return false;
    out = out << 4 | static_cast<uint32_t>(v);
  }
  return true;
}

// One line's entry; false when it is not well formed.
bool ParseLine(const std::string& line, InstallRecord& r) {
  size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  std::string name = line.substr(0, eq), value = line.substr(eq + 1);
  if (name == "language") {
    if (value.size() != 3) return false;
    r.language = value;
  } else if (name == "dir") {
    if (!SafeRelativePath(value)) return false;
    r.AddUnique(r.dirs, LowerCase(value));
  } else if (name == "file") {
    size_t blank = value.rfind(' ');
    uint32_t sum = 0;
    if (blank == std::string::npos || !ParseChecksum(value.substr(blank + 1), sum)) return false;
    std::string path = value.substr(0, blank);
    if (!SafeRelativePath(path)) return false;
    r.AddFile(LowerCase(path), sum);
  } else if (name == "key") {
    if (!SafeKeyPath(value) || (!r.key.empty() && r.key != value)) return false;
    r.key = value;
  } else if (name == "value") {
    if (!SafeValueName(value)) return false;
    r.AddUnique(r.values, value);
  } else if (name == "group") {
    if (!SafeShellName(value)) return false;
    r.AddUnique(r.groups, value);
  } else if (name == "item") {
    size_t bar = value.find('|');
    if (bar == std::string::npos) return false;
    std::string group = value.substr(0, bar), item = value.substr(bar + 1);
    if (!SafeShellName(group) || !SafeShellName(item)) return false;
    r.AddItem(group, item);
  } else {
    return false;
  }
  return true;
}

}  // namespace

RecordStatus ParseRecord(const std::string& text, InstallRecord& out, std::string* problem) {
  InstallRecord r;
  size_t pos = 0, number = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = end + 1;
    ++number;
    bool ok = line.size() <= kMaxRecordLine &&
              (number == 1 ? line == kRecordHeader : line.empty() || ParseLine(line, r));
    if (!ok) {
      if (problem) *problem = "Zeile " + std::to_string(number);
      return RecordStatus::Damaged;
    }
  }
  if (number == 0) {
    if (problem) *problem = "leer";
    return RecordStatus::Damaged;
  }
  out = r;
  return RecordStatus::Ok;
}

RecordStatus ReadRecord(const std::string& dir, InstallRecord& out, std::string* problem) {
  HANDLE h = CreateFileA((dir + "\\" + kRecordName).c_str(), GENERIC_READ, FILE_SHARE_READ,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return RecordStatus::Missing;
  LARGE_INTEGER size{};
  std::string text;
  bool ok = GetFileSizeEx(h, &size) && size.QuadPart <= static_cast<LONGLONG>(kMaxRecordBytes);
  if (ok) {
    text.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    ok = text.empty() || (ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &got, nullptr) &&
                          got == text.size());
  }
  CloseHandle(h);
  if (!ok) {
    if (problem) *problem = "nicht lesbar oder zu gro\xDF";
    return RecordStatus::Damaged;
  }
  return ParseRecord(text, out, problem);
}

bool WriteRecord(const std::string& dir, const InstallRecord& record) {
  const std::string path = dir + "\\" + kRecordName, temp = path + ".neu";
  std::string text = record.Text();
  HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
            written == text.size() && FlushFileBuffers(h);
  CloseHandle(h);
  if (!ok || !MoveFileExA(temp.c_str(), path.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temp.c_str());
    return false;
  }
  return true;
}

RecordWriter::RecordWriter(std::string dir, InstallRecord start)
    : dir_(std::move(dir)), record_(std::move(start)) {
  Save();
}

void RecordWriter::File(const std::string& path, uint32_t checksum) {
  record_.AddFile(LowerCase(path), checksum);
  Save();
}

void RecordWriter::Dir(const std::string& path) {
  record_.AddUnique(record_.dirs, LowerCase(path));
  Save();
}

void RecordWriter::Key(const std::string& key, const std::vector<std::string>& values) {
  record_.key = key;
  for (const auto& v : values) record_.AddUnique(record_.values, v);
  Save();
}

void RecordWriter::Group(const std::string& group) {
  record_.AddUnique(record_.groups, group);
  Save();
}

void RecordWriter::Item(const std::string& group, const std::string& item) {
  record_.AddItem(group, item);
  Save();
}

void RecordWriter::Save() {
  if (!WriteRecord(dir_, record_)) ok_ = false;
}

bool FileChecksum(const std::string& path, uint32_t& out) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  uint32_t sum = 2166136261u;
  unsigned char buffer[8192];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(h, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0) {
    for (DWORD i = 0; i < got; ++i) sum = (sum ^ buffer[i]) * 16777619u;
  }
  CloseHandle(h);
  out = sum;
  return ok;
}

}  // namespace install
