// A registry key of a test's own: deleted with its sub-keys when the scope starts and ends, so
// each test starts from a clean state and leaves nothing behind.
#pragma once
#include <windows.h>
#include <string>

namespace sw::test {

class RegistryScope {
 public:
  RegistryScope(HKEY root, std::string path);
  ~RegistryScope();
  RegistryScope(const RegistryScope&) = delete;
  RegistryScope& operator=(const RegistryScope&) = delete;

  HKEY Root() const { return root_; }
  const std::string& Path() const { return path_; }
  void Clear() const;

 private:
  HKEY root_;
  std::string path_;
};

// Registry helpers for tests; each returns false (or empty) when the value is missing.
bool SetRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value);
bool GetRegString(HKEY root, const std::string& key, const std::string& name, std::string* value);
std::string RegString(HKEY root, const std::string& key, const std::string& name);
// The raw byte length that RegQueryValueEx reports for a value, or -1.
long RegValueSize(HKEY root, const std::string& key, const std::string& name);

}  // namespace sw::test
