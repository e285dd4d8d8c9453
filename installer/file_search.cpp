#include "file_search.h"

#include <windows.h>

#include "handles.h"
#include "paths.h"

namespace install {

std::vector<std::string> FindFiles(const std::string& dir, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd{};
  sw::FindHandle search(FindFirstFileA((dir + "\\" + pattern).c_str(), &fd));
  if (!search) return names;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
  } while (FindNextFileA(search.get(), &fd));
  return names;
}

std::string WithoutTrailingBackslash(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
  return path;
}

std::string ParentOf(const std::string& path) {
  return sw::DirectoryPart(path);
}

std::string LowerCase(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

}  // namespace install
