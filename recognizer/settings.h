// Kurvo's settings: the registry key's values in memory (RecognizerSettings), reading and writing
// them, and the directories and files derived from the installation directory.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace kurvo {

inline constexpr char kSettingsKeyPath[] = "SOFTWARE\\Strokewise\\System";
inline constexpr size_t kRegTextBytes = 512;  // every value is written as this whole buffer
inline constexpr size_t kHelpFileChars = 15;
inline constexpr size_t kSoundNameChars = 255;
inline constexpr size_t kPathChars = 511;

// Where the settings live: HKEY_LOCAL_MACHINE\SOFTWARE\Strokewise\System unless a test says else.
struct SettingsLocation {
  HKEY root = HKEY_LOCAL_MACHINE;
  std::string path = kSettingsKeyPath;
};

struct RecognizerSettings {
  std::string directory;  // installation directory, no trailing backslash
  int32_t mouseBtn = 1;
  int32_t sound = 1;
  int32_t soundNot = 0;
  std::string soundName = "None";
  std::string soundNameNot;
  int32_t showMainWinDraw = 1;
  int32_t showMainWinTray = 1;
  int32_t autoHide = 2;
  int32_t startUpAutoHide = 2;
  int32_t autoFocus = 0;
  int32_t alwaysOnTop = 1;
  int32_t klLanguage = 0;
  int32_t language = 0;
  int32_t defaultLanguage = 0;
  std::string helpFile = "kvo_eng.hlp";

  bool recognitionEnabled = false;  // run-time only, never stored

  // Derived by LoadSettings.
  std::string appDir;       // directory + "\"
  std::string systemDir;    // appDir + "system\"
  std::string schemeDir;    // appDir + "schemes\"
  std::string soundDir;     // appDir + "sounds"
  std::string hookLibrary;  // systemDir + "kurvo.dll"
  std::string languageLibrary;
  std::string helpFilePath;
};

// Reads every value into `s` in the fixed order, sets recognition enabled and derives the paths.
// Returns false when the key or "Directory" is missing (the caller reports it); the directory is
// then empty and the paths are built from that. Values missing without a default keep their field.
bool ReadSettings(const SettingsLocation& where, RecognizerSettings& s);
// Writes the values Kurvo owns, in the fixed order, each as a 512-byte REG_SZ.
bool WriteSettings(const SettingsLocation& where, const RecognizerSettings& s);
void DerivePaths(RecognizerSettings& s);
// The first values of a fresh installation, as the installer writes them, in its order:
// Directory (without a trailing backslash), MouseBtn, Sound, Language, DefaultLanguage,
// KLLanguage, SoundName, HelpFile, ShowMainWinDraw, ShowMainWinTray, RecognitionKLK, AutoFocus,
// AutoHide, StartUpAutoHide; each a 512-byte REG_SZ.
bool WriteInstallationSettings(const SettingsLocation& where, const std::string& directory, int32_t language);

// A registry text value as Kurvo writes it: the text cut to 511 characters, zero-filled to 512.
bool WriteRegText(HKEY key, const char* name, const std::string& text);
// Reads a REG_SZ of any length, cut to 511 characters; false when missing.
bool ReadRegText(HKEY key, const char* name, std::string& text);

}  // namespace kurvo
