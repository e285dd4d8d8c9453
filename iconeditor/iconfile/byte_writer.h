// Little-endian bytes of a file layout: bytes, words as low byte then high byte, double words as
// low word then high word.
#pragma once
#include <cstdint>
#include <string>

namespace zwicon::files {

class ByteWriter {
 public:
  void Byte(uint32_t v) { bytes_ += static_cast<char>(v & 0xFF); }
  void Word(uint32_t v) {
    Byte(v);
    Byte(v >> 8);
  }
  void DWord(uint32_t v) {
    Word(v & 0xFFFF);
    Word(v >> 16);
  }
  void Bytes(const void* p, size_t n) { bytes_.append(static_cast<const char*>(p), n); }
  const std::string& Data() const { return bytes_; }
  size_t Size() const { return bytes_.size(); }

 private:
  std::string bytes_;
};

// Reads a little-endian word or double word at `at` of a byte string (the caller checks the size).
inline uint32_t ReadWord(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | (static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8);
}
inline uint32_t ReadDWord(const std::string& b, size_t at) { return ReadWord(b, at) | (ReadWord(b, at + 2) << 16); }

}  // namespace zwicon::files
