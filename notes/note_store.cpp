#include "note_store.h"

#include <memory>

namespace quill {
namespace {

// Owns a file handle.
class File {
 public:
  explicit File(HANDLE h) : h_(h) {}
  ~File() { Close(); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  bool Ok() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  void Close() {
    if (Ok()) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

HANDLE OpenForRead(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool ReadExact(HANDLE h, void* data, DWORD size) {
  DWORD got = 0;
  return ReadFile(h, data, size, &got, nullptr) && got == size;
}

bool WriteExact(HANDLE h, const void* data, DWORD size) {
  DWORD put = 0;
  return WriteFile(h, data, size, &put, nullptr) && put == size;
}

bool ReadU32(HANDLE h, uint32_t* v) {
  unsigned char b[4];
  if (!ReadExact(h, b, 4)) return false;
  *v = b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t(b[3]) << 24);
  return true;
}

bool WriteU32(HANDLE h, uint32_t v) {
  unsigned char b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  return WriteExact(h, b, 4);
}

// Reads records one by one, trusting a length only when the file still holds that many bytes.
class RecordReader {
 public:
  explicit RecordReader(HANDLE h) : h_(h) {
    LARGE_INTEGER size{};
    left_ = GetFileSizeEx(h, &size) ? uint64_t(size.QuadPart) : 0;
  }
  // Reads the next key; false at the end record, the end of the file or damage.
  bool NextKey(std::string* key) {
    uint32_t len = 0;
    if (!Take(4) || !ReadU32(h_, &len)) return false;
    if (len == 0 || len > kMaxStoreKey || !Take(len)) return false;
    key->resize(len);
    if (!ReadExact(h_, key->data(), len)) return false;
    key->resize(strnlen(key->c_str(), len));
    return *key != "[End]";
  }
  // Length of the value that follows a key; false when it cannot be in the file.
  bool ValueLength(uint32_t* len) {
    if (!Take(4) || !ReadU32(h_, len)) return false;
    return *len <= left_;
  }
  bool ReadValue(uint32_t len, std::string* value) {
    if (len > kMaxStoreValue) return false;
    value->resize(len);
    if (!Take(len) || !ReadExact(h_, value->data(), len)) return false;
    value->resize(strnlen(value->c_str(), len));
    return true;
  }
  bool SkipValue(uint32_t len) {
    if (!Take(len)) return false;
    LARGE_INTEGER d;
    d.QuadPart = len;
    return SetFilePointerEx(h_, d, nullptr, FILE_CURRENT);
  }
  // Copies `len` value bytes to `out` through `buffer`.
  bool CopyValue(uint32_t len, HANDLE out, std::vector<char>& buffer) {
    if (!Take(len)) return false;
    while (len > 0) {
      DWORD part = DWORD(std::min<size_t>(len, buffer.size()));
      if (!ReadExact(h_, buffer.data(), part) || !WriteExact(out, buffer.data(), part)) return false;
      len -= part;
    }
    return true;
  }

 private:
  bool Take(uint64_t n) {
    if (n > left_) return false;
    left_ -= n;
    return true;
  }
  HANDLE h_;
  uint64_t left_;
};

bool WriteRecord(HANDLE h, const std::string& key, std::string_view value) {
  return WriteU32(h, uint32_t(key.size() + 1)) && WriteExact(h, key.c_str(), DWORD(key.size() + 1)) &&
         WriteU32(h, uint32_t(value.size() + 1)) && WriteExact(h, value.data(), DWORD(value.size())) &&
         WriteExact(h, "", 1);
}

}  // namespace

size_t EncodeNoteText(char* text) {
  size_t out = 0;
  for (size_t in = 0; text[in]; ++in) {
    unsigned char c = static_cast<unsigned char>(text[in]);
    if (c == 0xA3) text[out++] = char(0xFF);
    else if (c == '\r') text[out++] = char(0xA3);
    else if (c == '\n') continue;
    else if (c < 0x20) text[out++] = ' ';
    else text[out++] = char(c);
  }
  text[out] = 0;
  return out;
}

std::string EncodeNoteText(std::string_view text) {
  std::string s(text.substr(0, text.find('\0')));
  s.resize(EncodeNoteText(s.data()));
  return s;
}

std::string DecodeNoteText(std::string_view encoded) {
  std::string out;
  out.reserve(encoded.size() + 16);
  for (char ch : encoded) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == 0) break;
    if (c == 0xA3) out += "\r\n";
    else if (c == 0xFF) out += char(0xA3);
    else out += ch;
  }
  return out;
}

bool IsBlankText(std::string_view text) {
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == 0) break;
    if (c != ' ' && c != '\r' && c != '\n' && c != 0xA3) return false;
  }
  return true;
}

std::string StoreFileName(const std::string& settingsName, const char* ext) {
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  std::string name = settingsName;
  name.resize(name.size() - std::min<size_t>(3, name.size()));
  return std::string(dir) + "\\" + name + ext;
}

TextStore StoreFor(const std::string& settingsName) {
  TextStore s;
  s.path = StoreFileName(settingsName, "DAT");
  s.tmpPath = StoreFileName(settingsName, "$$$");
  return s;
}

bool ReadStoreValue(const TextStore& store, const std::string& key, std::string* value) {
  value->clear();
  File in(OpenForRead(store.path));
  if (!in.Ok()) return false;
  RecordReader reader(in.Get());
  std::string k;
  uint32_t len = 0;
  while (reader.NextKey(&k) && reader.ValueLength(&len)) {
    if (k == key) return reader.ReadValue(len, value);
    if (!reader.SkipValue(len)) return false;
  }
  return false;
}

std::vector<std::pair<std::string, std::string>> ReadStoreRecords(const TextStore& store) {
  std::vector<std::pair<std::string, std::string>> records;
  File in(OpenForRead(store.path));
  if (!in.Ok()) return records;
  RecordReader reader(in.Get());
  std::string k, v;
  uint32_t len = 0;
  while (reader.NextKey(&k) && reader.ValueLength(&len) && reader.ReadValue(len, &v))
    records.emplace_back(k, v);
  return records;
}

bool RewriteStore(const TextStore& store, const std::string& match, bool prefix,
                  std::string_view value, size_t copyBuffer) {
  auto step = [&](int n) { return !store.faultAt || store.faultAt(n); };
  File in(OpenForRead(store.path));
  // A store that exists but cannot be read must not be replaced by an empty one.
  if (!in.Ok() && GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND)
    return false;
  File out(CreateFileA(store.tmpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out.Ok() || !step(1)) return false;
  if (in.Ok()) {
    // Copy every sound record but the replaced ones; a damaged tail is left behind.
    std::vector<char> buffer(std::max<size_t>(copyBuffer, 64));
    RecordReader reader(in.Get());
    std::string k;
    uint32_t len = 0;
    while (reader.NextKey(&k) && reader.ValueLength(&len)) {
      bool drop = prefix ? k.compare(0, match.size(), match) == 0 : k == match;
      if (drop) {
        if (!reader.SkipValue(len)) break;
        continue;
      }
      if (!WriteU32(out.Get(), uint32_t(k.size() + 1)) ||
          !WriteExact(out.Get(), k.c_str(), DWORD(k.size() + 1)) || !WriteU32(out.Get(), len) ||
          !reader.CopyValue(len, out.Get(), buffer))
        return false;
      if (!step(2)) return false;
    }
    in.Close();
  }
  if (!prefix && !value.empty() && !WriteRecord(out.Get(), match, value)) return false;
  if (!step(3)) return false;
  const std::string end = "[End]";
  if (!WriteU32(out.Get(), uint32_t(end.size() + 1)) || !WriteExact(out.Get(), end.c_str(), 6))
    return false;
  if (!step(4) || !FlushFileBuffers(out.Get()) || !step(5)) return false;
  out.Close();
  if (!step(6)) return false;
  return MoveFileExA(store.tmpPath.c_str(), store.path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace quill
