// A temporary folder of a test's own (Windows path), removed with its contents at the end.
#pragma once
#include <string>

namespace sw::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }          // without trailing backslash
  std::string File(const std::string& name) const { return path_ + "\\" + name; }
  // Writes `bytes` to the file `name` inside the folder; returns its full path.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// Whole-file helpers for tests.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string* bytes);
bool FileExists(const std::string& path);
// Removes a folder and everything below it.
void RemoveTree(const std::string& path);
// The full path of `name` in the folder of the running test program.
std::string BesideProgram(const std::string& name);

}  // namespace sw::test
