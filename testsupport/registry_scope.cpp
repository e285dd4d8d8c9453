#include "registry_scope.h"

#include <utility>
#include <vector>

namespace sw::test {

RegistryScope::RegistryScope(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
  Clear();
}

RegistryScope::~RegistryScope() { Clear(); }

void RegistryScope::Clear() const { RegDeleteTreeA(root_, path_.c_str()); RegDeleteKeyA(root_, path_.c_str()); }

bool SetRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  HKEY k;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) return false;
  LONG r = RegSetValueExA(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
  RegCloseKey(k);
  return r == ERROR_SUCCESS;
}

std::string RegString(HKEY root, const std::string& key, const std::string& name) {
  std::string value;
  GetRegString(root, key, name, &value);
  return value;
}

bool GetRegString(HKEY root, const std::string& key, const std::string& name, std::string* value) {
  HKEY k;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  DWORD size = 0, type = 0;
  LONG r = RegQueryValueExA(k, name.c_str(), nullptr, &type, nullptr, &size);
  if (r == ERROR_SUCCESS) {
    std::vector<char> buf(size + 1, 0);
    r = RegQueryValueExA(k, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size);
    if (r == ERROR_SUCCESS) *value = buf.data();
  }
  RegCloseKey(k);
  return r == ERROR_SUCCESS;
}

long RegValueSize(HKEY root, const std::string& key, const std::string& name) {
  HKEY k;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return -1;
  DWORD size = 0;
  LONG r = RegQueryValueExA(k, name.c_str(), nullptr, nullptr, nullptr, &size);
  RegCloseKey(k);
  return r == ERROR_SUCCESS ? static_cast<long>(size) : -1;
}

}  // namespace sw::test
