// Splitting and joining Windows paths. Each caller names the separators it accepts: a backslash
// only (the default), a backslash and a drive's colon, either slash, or either slash and a
// drive's colon.
#pragma once
#include <string>

namespace sw {

inline constexpr const char kBackslash[] = "\\";
inline constexpr const char kBackslashAndDrive[] = "\\:";
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

// The directory part as a folder to open: a drive's root keeps its backslash ("c:\\").
inline std::string FolderPart(const std::string& path, const char* separators = kBackslash) {
  std::string dir = DirectoryPart(path, separators);
  if (dir.size() == 2 && dir[1] == ':') dir += '\\';
  return dir;
}

// The file part without its extension.
inline std::string FileStem(const std::string& path, const char* separators = kBackslash) {
  std::string name = FilePart(path, separators);
  return name.substr(0, name.rfind('.'));
}

// The extension in ASCII capitals, for comparing with ".ICO" and the like.
inline std::string UpperExtension(const std::string& path, const char* separators = kBackslash) {
  std::string ext = Extension(path, separators);
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return ext;
}

// `folder` and `name` with a backslash between them unless `folder` ends with one; `name` alone
// when `folder` is empty.
inline std::string AppendName(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '\\' ? folder + name : folder + '\\' + name;
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
