#include "languages.h"

#include <windows.h>

#include "file_search.h"

namespace install {

const std::vector<MediumLanguage>& MediumLanguages() {
  static const std::vector<MediumLanguage> rows = {
      {"*eng.*", "English", 0},   {"*ger.*", "Deutsch", 1}, {"*fre.*", "French", 2},
      {"*spa.*", "Spanish", 3},   {"*ita.*", "Italian", 4}, {"*dut.*", "Dutch", 5},
      {"*swe.*", "Swedish", 7},   {"*nor.*", "Norwegian", 8}, {"*fin.*", "Finnish", 9},
  };
  return rows;
}

std::vector<std::string> OfferedLanguages(const std::string& dir) {
  std::vector<std::string> offered;
  for (const auto& row : MediumLanguages()) {
    if (!FindFiles(dir, row.pattern).empty()) offered.push_back(row.entry);
  }
  return offered;
}

int LanguageIndexOfEntry(const std::string& entry) {
  for (const auto& row : MediumLanguages()) {
    if (entry == row.entry) return row.index;
  }
  return 0;
}

std::string LanguageCode(int index) {
  static const char* const codes[] = {"eng", "ger", "fre", "spa", "ita",
                                      "dut", "dan", "swe", "nor", "fin"};
  if (index < 0 || index > 9) return std::string();
  return codes[index];
}

}  // namespace install
