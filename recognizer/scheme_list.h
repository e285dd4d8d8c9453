// The list of installed schemes: scanning the scheme directory under the two scheme languages, and
// choosing the scheme for the window a symbol is drawn on.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kurvo {

inline constexpr size_t kMaxSchemes = 256;
inline constexpr size_t kSchemeListTextChars = 63;

struct SchemeEntry {
  std::string file;         // file name without directory, at most 15 characters
  std::string appName;      // at most 63
  std::string windowClass;  // at most 63
};
using SchemeList = std::vector<SchemeEntry>;

struct ScanEntry {
  std::string stem;
  int32_t language = 0;  // 255 for the default scheme
};

// The first 256 ".kvo" files of the directory, in directory order, as stems and languages. Files
// whose listed name would not fit in 15 characters are skipped.
std::vector<ScanEntry> ReadScanTable(const std::string& schemeDir);
// The three passes: preferred language, then the default language for stems not chosen yet, then
// the default scheme. Returns the file names in the order chosen.
std::vector<std::string> ChooseSchemeFiles(const std::vector<ScanEntry>& table, int32_t language,
                                           int32_t defaultLanguage);

// The scheme file for a window of class `windowClass` whose title starts with `titlePrefix`.
std::string SelectSchemeForWindow(const SchemeList& list, const std::string& windowClass,
                                  const std::string& titlePrefix);

// The window title before its first "-" (the whole title when it has none), at most 63 characters.
std::string TitlePrefix(const std::string& title);

}  // namespace kurvo
