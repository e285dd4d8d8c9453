// Splitting and joining Windows paths. Each caller names the separators it accepts: a backslash
// only (the default), either slash, or either slash and a drive's colon.
#pragma once
#include <string>

namespace sw {

inline constexpr const char kBackslash[] = "\\";
inline constexpr const char kSlashes[] = "\\/";
inline constexpr const char kSlashesAndDrive[] = "\\/:";

// What follows the last separator; all of `path` when it has none.
inline std::string FilePart(const std::string& path, const char* separators = kBackslash) {
  size_t at = path.find_last_of(separators);
  return at == std::string::npos ? path : path.substr(at + 1);
}

// What precedes the last separator, without it; empty when there is none.
inline std::string DirectoryPart(const std::string& path, const char* separators = kBackslash) {
  size_t at = path.find_last_of(separators);
  return at == std::string::npos ? std::string() : path.substr(0, at);
}

// The file part's extension from its last dot, dot included; empty when it has no dot.
inline std::string Extension(const std::string& path, const char* separators = kBackslash) {
  std::string name = FilePart(path, separators);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

// `dir` and `name` with exactly one backslash between them; `name` alone when `dir` is empty.
inline std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  size_t end = dir.size();
  while (end > 0 && dir[end - 1] == '\\') --end;
  size_t start = 0;
  while (start < name.size() && name[start] == '\\') ++start;
  return dir.substr(0, end) + '\\' + name.substr(start);
}

}  // namespace sw
