// The medium's packing list "Install.lst": the name of every file the medium should hold, one a
// line, written when the medium is built. Install checks it before it changes anything.
#pragma once
#include <string>
#include <vector>

#include "install_report.h"

namespace install {

inline constexpr char kPackingListName[] = "Install.lst";
inline constexpr size_t kMaxPackingListBytes = 16 * 1024;

// Parses the list's text into plain file names; false when a line is not a plain file name.
bool ParsePackingList(const std::string& text, std::vector<std::string>& names);

// Adds a failure for a missing or damaged list and one for each listed file the medium lacks.
void CheckMedium(const std::string& medium, InstallReport& report);

}  // namespace install
