// The fixed language table, the names built from its codes, the binding of one language library
// (kvo_<code>.dll: dialogs, menu, strings and the two keystroke exports) and the discovery of the
// installed ones.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kurvo {

inline constexpr int kLanguageCount = 10;
// "eng", "ger", ... by index; empty for an index outside 0 to 9.
std::string LanguageCode(int32_t index);
// "kvo_" + code + ".dll" (no code for an index outside the table).
std::string LanguageLibraryName(int32_t index);
std::string HelpFileName(int32_t index);         // "kvo_" + code + ".hlp"
std::string QuickStartArgument(int32_t index);   // "qcks_" + code

using KeystrokeFunction = int32_t(WINAPI*)(const char* text);

// The bound language library. Every entry point may be missing; callers go through the members.
struct LanguageLibrary {
  HMODULE module = nullptr;
  KeystrokeFunction tamrin = nullptr;
  KeystrokeFunction velsor = nullptr;

  // Loads and binds; false when the library cannot be loaded (nothing is reported here).
  bool Bind(const std::string& path);
  void Release();
  // Both return -1 when the entry point is not bound.
  int32_t Tamrin(const std::string& text) const { return tamrin ? tamrin(text.c_str()) : -1; }
  int32_t Velsor(const std::string& text) const { return velsor ? velsor(text.c_str()) : -1; }
  // A string of the table, at most `limit` characters; empty without a library.
  std::string String(UINT id, size_t limit = 255) const;
};

inline constexpr char kMissingLanguageText[] =
    "Couldn't find the Strokewise language DLL.\nIt must be in the application directory.\nPlease re-install it.";

// Language indices of the libraries "kvo_<code>.dll" in `systemDir`, in directory order; the base
// name must match a code exactly, with case. At most ten.
std::vector<int32_t> DiscoverLanguages(const std::string& systemDir);

}  // namespace kurvo
