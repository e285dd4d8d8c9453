#include "note_store.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_set>

#include "handles.h"

namespace quill {
namespace {

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

bool WriteU32(HANDLE h, uint32_t v) {
  unsigned char b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  return WriteExact(h, b, 4);
}

// Reads a store's bytes as records; see ParseStore.
class StoreParser {
 public:
  explicit StoreParser(std::string_view b) : b_(b) {}

  StoreScan Run() {
    StoreScan scan;
    scan.exists = scan.readable = true;
    scan.whole = true;
    size_t pos = 0;
    while (!IsEnd(pos)) {
      if (pos >= b_.size()) {  // no end record: the file was cut short
        scan.whole = false;
        break;
      }
      if (ReadRecord(pos, &scan)) continue;
      scan.whole = false;
      pos = NextRecordStart(pos + 1);
    }
    return scan;
  }

 private:
  bool Fits(size_t at, uint64_t n) const { return at <= b_.size() && n <= b_.size() - at; }
  uint32_t U32(size_t at) const {
    const auto* p = reinterpret_cast<const unsigned char*>(b_.data() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
  }
  bool HasZero(size_t at, size_t n) const { return memchr(b_.data() + at, 0, n) != nullptr; }
  bool IsEnd(size_t at) const {
    return Fits(at, 10) && U32(at) == 6 && memcmp(b_.data() + at + 4, "[End]", 6) == 0;
  }
  // Length field of a key at `at` whose only zero byte is its last; 0 when there is none.
  uint32_t KeyLength(size_t at) const {
    if (!Fits(at, 4)) return 0;
    uint32_t len = U32(at);
    if (len < 2 || len > kMaxStoreKey || !Fits(at + 4, len)) return 0;
    if (b_[at + 4 + len - 1] != 0 || HasZero(at + 4, len - 1)) return 0;
    return len;
  }
  // A value at `at` (its length field) whose only zero byte is its terminator; its end or 0.
  size_t SoundValueEnd(size_t at) const {
    if (!Fits(at, 4)) return 0;
    uint32_t len = U32(at);
    if (len < 1 || !Fits(at + 4, len)) return 0;
    if (b_[at + 4 + len - 1] != 0 || HasZero(at + 4, len - 1)) return 0;
    return at + 4 + len;
  }
  // Where damage is passed over only a whole page-text record counts: a printable key ending in
  // "_Text" and digits, and a sound value.
  bool IsStrictRecord(size_t at) const {
    uint32_t len = KeyLength(at);
    if (len < 8) return false;
    std::string_view key = b_.substr(at + 4, len - 1);
    for (char c : key)
      if (c < 0x20 || c > 0x7E) return false;
    size_t digits = key.find_last_not_of("0123456789");
    if (digits == std::string_view::npos || digits == key.size() - 1 || digits < 5 ||
        key.substr(digits - 4, 5) != "_Text")
      return false;
    return SoundValueEnd(at + 4 + len) != 0;
  }
  bool SoundAt(size_t at) const { return at == b_.size() || IsEnd(at) || IsStrictRecord(at); }
  size_t NextRecordStart(size_t from) const {
    for (size_t p = from; p < b_.size(); ++p)
      if (IsEnd(p) || IsStrictRecord(p)) return p;
    return b_.size();
  }
  void Take(StoreScan* scan, std::string_view key, std::string_view value) {
    if (seen_.insert(key).second) scan->records.emplace_back(key, value);
  }
  // Takes the record at `pos` and moves past it; false when it cannot be read with certainty.
  bool ReadRecord(size_t& pos, StoreScan* scan) {
    uint32_t keyLen = KeyLength(pos);
    if (!keyLen) return false;
    std::string_view key = b_.substr(pos + 4, keyLen - 1);
    size_t v = pos + 4 + keyLen;
    if (size_t end = SoundValueEnd(v)) {
      Take(scan, key, b_.substr(v + 4, end - v - 5));
      pos = end;
      return true;
    }
    if (!Fits(v, 4)) return false;
    uint32_t len = U32(v);
    // A value written without its terminator is taken at its length when a record follows.
    if (len >= 1 && Fits(v + 4, len) && !HasZero(v + 4, len) && SoundAt(v + 4 + len)) {
      Take(scan, key, b_.substr(v + 4, len));
      pos = v + 4 + len;
      return true;
    }
    // A wrong length: the value ends at its terminator when a whole record follows it.
    size_t zero = b_.find('\0', v + 4);
    if (zero != std::string_view::npos && SoundAt(zero + 1)) {
      Take(scan, key, b_.substr(v + 4, zero - v - 4));
      scan->whole = false;
      pos = zero + 1;
      return true;
    }
    return false;
  }

  std::string_view b_;
  std::unordered_set<std::string_view> seen_;  // keys taken (they point into b_)
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

StoreScan ParseStore(std::string_view bytes) { return StoreParser(bytes).Run(); }

StoreScan ScanStore(const TextStore& store) {
  StoreScan scan;
  sw::FileHandle in(OpenForRead(store.path));
  if (!in) {
    DWORD error = GetLastError();
    scan.exists = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
    return scan;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(in.get(), &size)) {
    scan.exists = true;
    return scan;
  }
  std::string bytes(size_t(std::min<int64_t>(size.QuadPart, kMaxStoreFile)), '\0');
  if (!ReadExact(in.get(), bytes.data(), DWORD(bytes.size()))) {
    scan.exists = true;
    return scan;
  }
  scan = ParseStore(bytes);
  if (size.QuadPart > kMaxStoreFile) scan.whole = false;  // the rest was never read
  return scan;
}

bool ReadStoreValue(const TextStore& store, const std::string& key, std::string* value) {
  value->clear();
  for (auto& r : ScanStore(store).records) {
    if (r.first != key) continue;
    *value = std::move(r.second);
    return true;
  }
  return false;
}

std::vector<std::pair<std::string, std::string>> ReadStoreRecords(const TextStore& store) {
  return ScanStore(store).records;
}

namespace {

// Writes `records` (then `extra` when it has a key) and the end record to the temporary file,
// flushed, and moves it to `target` (left as it is when `target` is empty).
bool WriteThroughTemp(const TextStore& store, const std::string& target,
                      const std::vector<const std::pair<std::string, std::string>*>& records,
                      const std::string& extraKey, std::string_view extraValue, size_t copyBuffer) {
  auto step = [&](int n) { return !store.faultAt || store.faultAt(n); };
  sw::FileHandle out(CreateFileA(store.tmpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out || !step(1)) return false;
  size_t chunk = std::max<size_t>(copyBuffer, 64);
  for (const auto* r : records) {
    const std::string& v = r->second;
    if (!WriteU32(out.get(), uint32_t(r->first.size() + 1)) ||
        !WriteExact(out.get(), r->first.c_str(), DWORD(r->first.size() + 1)) ||
        !WriteU32(out.get(), uint32_t(v.size() + 1)))
      return false;
    for (size_t at = 0; at < v.size(); at += chunk)
      if (!WriteExact(out.get(), v.data() + at, DWORD(std::min(chunk, v.size() - at))))
        return false;
    if (!WriteExact(out.get(), "", 1) || !step(2)) return false;
  }
  if (!extraKey.empty() && !WriteRecord(out.get(), extraKey, extraValue)) return false;
  if (!step(3)) return false;
  if (!WriteU32(out.get(), 6) || !WriteExact(out.get(), "[End]", 6)) return false;
  if (!step(4) || !FlushFileBuffers(out.get()) || !step(5)) return false;
  out.Close();
  if (!step(6)) return false;
  if (target.empty()) return true;
  return MoveFileExA(store.tmpPath.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

bool RewriteStore(const TextStore& store, const std::string& match, bool prefix,
                  std::string_view value, size_t copyBuffer, bool* damaged) {
  if (damaged) *damaged = false;
  StoreScan scan = ScanStore(store);
  // A store that exists but cannot be read, or not whole, must not be replaced.
  if (scan.exists && (!scan.readable || !scan.whole)) {
    if (damaged) *damaged = scan.readable;
    return false;
  }
  std::vector<const std::pair<std::string, std::string>*> kept;
  for (const auto& r : scan.records) {
    bool drop = prefix ? r.first.compare(0, match.size(), match) == 0 : r.first == match;
    if (!drop) kept.push_back(&r);
  }
  bool append = !prefix && !value.empty();
  return WriteThroughTemp(store, store.path, kept, append ? match : std::string(), value,
                          copyBuffer);
}

bool ReplaceDamagedStore(const TextStore& store,
                         const std::vector<std::pair<std::string, std::string>>& records,
                         std::string* keptPath) {
  std::string kept;
  for (int n = 1; n <= 99 && kept.empty(); ++n) {
    std::string name = store.path + ".damaged" + (n > 1 ? std::to_string(n) : std::string());
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) kept = name;
  }
  if (kept.empty()) return false;
  // The new store is made first, the old one copied aside, and only then is it replaced, in one
  // rename: a kill at any point leaves the old store under its name or both stores whole.
  std::vector<const std::pair<std::string, std::string>*> all;
  for (const auto& r : records) all.push_back(&r);
  TextStore plain{store.path, store.tmpPath, nullptr};
  if (!WriteThroughTemp(plain, {}, all, {}, {}, 4096)) return false;
  if (!CopyFileA(store.path.c_str(), kept.c_str(), TRUE)) {
    DeleteFileA(store.tmpPath.c_str());
    return false;
  }
  if (!MoveFileExA(store.tmpPath.c_str(), store.path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return false;
  *keptPath = kept;
  return true;
}

}  // namespace quill
