// Directory search and small path helpers of Install.
#pragma once
#include <string>
#include <vector>

namespace install {

// Names (without directory) of the plain files in `dir` matching `pattern`, in the order of the
// directory search.
std::vector<std::string> FindFiles(const std::string& dir, const std::string& pattern);

// `path` without one trailing backslash.
std::string WithoutTrailingBackslash(const std::string& path);

// The parent folder of `path` (text before the last backslash); empty when there is none.
std::string ParentOf(const std::string& path);

// ASCII lower case of `s` (file names on the medium are plain ASCII).
std::string LowerCase(std::string s);

}  // namespace install
