#include "note_settings.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace quill {

int32_t ParseNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t v = 0;
  for (; i < text.size() && isdigit(static_cast<unsigned char>(text[i])); ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > INT32_MAX) v = INT32_MAX;  // saturate instead of overflowing
  }
  return int32_t(negative ? -v : v);
}

std::string ReadSetting(const NoteTable& t, const char* section, const char* key, int size) {
  std::vector<char> buf(size > 1 ? size : 2);
  GetPrivateProfileStringA(section, key, "", buf.data(), DWORD(buf.size()), t.settingsFile);
  return buf.data();
}

bool ReadSettingNumber(const NoteTable& t, const char* section, const char* key, int32_t* value,
                       int size) {
  std::string s = ReadSetting(t, section, key, size);
  if (s.empty()) return false;
  *value = ParseNumber(s);
  return true;
}

void WriteSetting(const NoteTable& t, const char* section, const char* key, const char* value) {
  WritePrivateProfileStringA(section, key, value, t.settingsFile);
}

void WriteSettingNumber(const NoteTable& t, const char* section, const char* key, long value) {
  char buf[24];
  snprintf(buf, sizeof buf, "%ld", value);
  WriteSetting(t, section, key, buf);
}

void DeleteSetting(const NoteTable& t, const char* section, const char* key) {
  WritePrivateProfileStringA(section, key, nullptr, t.settingsFile);
}

void FlushSettings(const NoteTable& t) {
  // Returns FALSE under some platforms even when it works: nothing to check.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, t.settingsFile);
}

}  // namespace quill
