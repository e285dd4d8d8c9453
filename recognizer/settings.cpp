#include "settings.h"

#include <cstring>
#include <utility>
#include <vector>

#include "handles.h"
#include "languages.h"
#include "text_util.h"

namespace kurvo {

namespace {

void ReadInt(HKEY key, const char* name, int32_t& field) {
  std::string text;
  if (ReadRegText(key, name, text)) field = DecimalValue(text);
}

void ReadInt(HKEY key, const char* name, int32_t& field, int32_t missing) {
  std::string text;
  field = ReadRegText(key, name, text) ? DecimalValue(text) : missing;
}

void ReadText(HKEY key, const char* name, std::string& field, size_t limit) {
  std::string text;
  if (ReadRegText(key, name, text)) field = Cut(text, limit);
}

}  // namespace

bool WriteRegText(HKEY key, const char* name, const std::string& text) {
  char buffer[kRegTextBytes] = {};
  std::string cut = Cut(text, kRegTextBytes - 1);
  memcpy(buffer, cut.data(), cut.size());
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer),
                        sizeof buffer) == ERROR_SUCCESS;
}

bool ReadRegText(HKEY key, const char* name, std::string& text) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::vector<char> buffer(size + 1, 0);
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return false;
  text = Cut(buffer.data(), kRegTextBytes - 1);
  return true;
}

void DerivePaths(RecognizerSettings& s) {
  s.appDir = s.directory + "\\";
  s.systemDir = s.appDir + "system\\";
  s.schemeDir = s.appDir + "schemes\\";
  s.soundDir = s.appDir + "sounds";
  s.hookLibrary = s.systemDir + "kurvo.dll";
  s.languageLibrary = s.systemDir + LanguageLibraryName(s.klLanguage);
  s.helpFilePath = s.systemDir + s.helpFile;
}

bool ReadSettings(const SettingsLocation& where, RecognizerSettings& s) {
  sw::RegKey key;
  bool found = RegOpenKeyExA(where.root, where.path.c_str(), 0, KEY_ALL_ACCESS, key.put()) == ERROR_SUCCESS;
  HKEY k = found ? key.get() : nullptr;
  std::string directory;
  bool haveDirectory = k && ReadRegText(k, "Directory", directory);
  // A missing directory leaves an empty one: the derived paths are then relative, never garbage.
  s.directory = haveDirectory ? Cut(directory, kPathChars - 20) : std::string();
  if (k) {
    ReadInt(k, "MouseBtn", s.mouseBtn);
    ReadInt(k, "Sound", s.sound);
    ReadInt(k, "AutoFocus", s.autoFocus);
    ReadInt(k, "SoundNot", s.soundNot);
    ReadInt(k, "KLLanguage", s.klLanguage, 0);
    ReadInt(k, "Language", s.language, 0);
    ReadInt(k, "DefaultLanguage", s.defaultLanguage, 0);
    ReadText(k, "SoundName", s.soundName, kSoundNameChars);
    ReadText(k, "SoundNameNot", s.soundNameNot, kSoundNameChars);
    ReadInt(k, "ShowMainWinDraw", s.showMainWinDraw);
    ReadInt(k, "AutoHide", s.autoHide);
    ReadInt(k, "StartUpAutoHide", s.startUpAutoHide);
    ReadInt(k, "AlwaysOnTop", s.alwaysOnTop, 1);
    ReadInt(k, "ShowMainWinTray", s.showMainWinTray);
    ReadText(k, "HelpFile", s.helpFile, kHelpFileChars);
  } else {
    s.klLanguage = s.language = s.defaultLanguage = 0;
    s.alwaysOnTop = 1;
  }
  s.recognitionEnabled = true;
  DerivePaths(s);
  return haveDirectory;
}

bool WriteSettings(const SettingsLocation& where, const RecognizerSettings& s) {
  sw::RegKey key;
  if (RegCreateKeyExA(where.root, where.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                      nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = true;
  auto num = [&](const char* name, int32_t v) { ok &= WriteRegText(key.get(), name, Decimal(v)); };
  auto txt = [&](const char* name, const std::string& v) { ok &= WriteRegText(key.get(), name, v); };
  num("MouseBtn", s.mouseBtn);
  num("Sound", s.sound);
  num("SoundNot", s.soundNot);
  txt("SoundName", s.soundName);
  txt("SoundNameNot", s.soundNameNot);
  num("ShowMainWinDraw", s.showMainWinDraw);
  num("ShowMainWinTray", s.showMainWinTray);
  num("AutoHide", s.autoHide);
  num("StartUpAutoHide", s.startUpAutoHide);
  num("AutoFocus", s.autoFocus);
  num("AlwaysOnTop", s.alwaysOnTop);
  num("KLLanguage", s.klLanguage);
  num("Language", s.language);
  num("DefaultLanguage", s.defaultLanguage);
  txt("HelpFile", s.helpFile);
  return ok;
}

bool WriteInstallationSettings(const SettingsLocation& where, const std::string& directory, int32_t language) {
  sw::RegKey key;
  if (RegCreateKeyExA(where.root, where.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                      nullptr) != ERROR_SUCCESS)
    return false;
  std::string dir = directory;
  while (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
  const std::pair<const char*, std::string> values[] = {
      {"Directory", dir},        {"MouseBtn", "1"},
      {"Sound", "1"},            {"Language", Decimal(language)},
      {"DefaultLanguage", "0"},  {"KLLanguage", Decimal(language)},
      {"SoundName", "None"},     {"HelpFile", HelpFileName(language)},
      {"ShowMainWinDraw", "1"},  {"ShowMainWinTray", "1"},
      {"RecognitionKLK", "1"},   {"AutoFocus", "0"},
      {"AutoHide", "2"},         {"StartUpAutoHide", "2"}};
  bool ok = true;
  for (const auto& [name, value] : values) ok &= WriteRegText(key.get(), name, value);
  return ok;
}

}  // namespace kurvo
