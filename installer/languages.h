// The installation languages: which ones a medium offers (by its files) and what index and code
// each list entry stands for.
#pragma once
#include <string>
#include <vector>

namespace install {

struct MediumLanguage {
  const char* pattern;  // a file of the medium matching it offers the language
  const char* entry;    // the text in the language list
  int index;            // index into the language table shared with Kurvo
};

// The languages Install can offer, in search order.
const std::vector<MediumLanguage>& MediumLanguages();

// Entry texts of the languages the medium directory `dir` has files for, in table order.
std::vector<std::string> OfferedLanguages(const std::string& dir);

// Language index of a list entry's text; 0 for a text that names no language.
int LanguageIndexOfEntry(const std::string& entry);

// Three-letter code of a language index ("eng" for 0); empty outside 0 to 9.
std::string LanguageCode(int index);

}  // namespace install
