#include "scheme_file.h"

#include <windows.h>

#include <vector>

#include "text_util.h"

namespace kurvo {

namespace {

std::string Get(const std::string& path, const char* section, const char* key, const char* fallback,
                size_t width) {
  std::vector<char> buffer(width + 1, 0);
  GetPrivateProfileStringA(section, key, fallback, buffer.data(), static_cast<DWORD>(buffer.size()),
                           path.c_str());
  return buffer.data();
}

void Put(const std::string& path, const char* section, const char* key, const std::string& value) {
  WritePrivateProfileStringA(section, key, value.c_str(), path.c_str());
}

void Flush(const std::string& path) { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()); }

std::string SlotSection(int slot) { return "S" + std::to_string(slot); }

}  // namespace

SchemeHeader ReadHeaderFrom(const std::string& path) {
  SchemeHeader h;
  h.name = Get(path, "App", "Name", "", kAppNameChars);
  h.type = DecimalValue(Get(path, "App", "Type", "", 15));
  h.language = DecimalValue(Get(path, "App", "Lang", "", 15));
  h.version = Get(path, "App", "Ver", "", kVersionChars);
  h.windowClass = Get(path, "App", "ID", "", kWindowClassChars);
  h.comments = Get(path, "App", "Infos", "", kCommentsChars);
  h.level = DecimalValue(Get(path, "App", "Advanced", "1", 15));
  return h;
}

void WriteHeaderTo(const std::string& path, const SchemeHeader& h, const std::function<void(int)>& step) {
  auto progress = [&](int n) { if (step) step(n); };
  Put(path, "Strokewise", "Info", "Application scheme file");
  progress(2);
  Put(path, "App", "Name", Cut(h.name, kAppNameChars));
  progress(3);
  Put(path, "App", "Type", Decimal(h.type));
  progress(4);
  Put(path, "App", "Lang", Decimal(h.language));
  progress(5);
  Put(path, "App", "ID", Cut(h.windowClass, kWindowClassChars));
  progress(6);
  Put(path, "App", "Ver", Cut(h.version, kVersionChars));
  progress(7);
  Put(path, "App", "Infos", Cut(h.comments, kCommentsChars));
  Put(path, "App", "Advanced", Decimal(h.level));
  Flush(path);
  progress(8);
}

ShortcutRecord ReadShortcutFrom(const std::string& path, int slot) {
  std::string s = SlotSection(slot);
  ShortcutRecord r;
  r.name = Get(path, s.c_str(), "Name", "[NULL]", kShortcutNameChars);
  r.symbolId = DecimalValue(Get(path, s.c_str(), "ID", "0", 15));
  r.type = DecimalValue(Get(path, s.c_str(), "Type", "0", 15));
  r.p0 = Get(path, s.c_str(), "P0", "", kActionTextChars);
  r.p1 = Get(path, s.c_str(), "P1", "", kHotkeyFieldChars);
  r.p2 = Get(path, s.c_str(), "P2", "", kHotkeyFieldChars);
  r.p3 = Get(path, s.c_str(), "P3", "", kHotkeyFieldChars);
  r.sound = Get(path, s.c_str(), "Sound", "", kShortcutSoundChars);
  return r;
}

void WriteShortcutTo(const std::string& path, int slot, const ShortcutRecord& r) {
  std::string s = SlotSection(slot);
  Put(path, s.c_str(), "Name", Cut(r.name, kShortcutNameChars));
  Put(path, s.c_str(), "ID", Decimal(r.symbolId));
  Put(path, s.c_str(), "Type", Decimal(r.type));
  Put(path, s.c_str(), "P0", Cut(r.p0, kActionTextChars));
  Put(path, s.c_str(), "P1", Cut(r.p1, kHotkeyFieldChars));
  Put(path, s.c_str(), "P2", Cut(r.p2, kHotkeyFieldChars));
  Put(path, s.c_str(), "P3", Cut(r.p3, kHotkeyFieldChars));
  Put(path, s.c_str(), "Sound", Cut(r.sound, kShortcutSoundChars));
  Flush(path);
}

}  // namespace kurvo
