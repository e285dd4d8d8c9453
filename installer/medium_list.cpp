#include "medium_list.h"

#include <windows.h>

namespace install {

bool ParsePackingList(const std::string& text, std::vector<std::string>& names) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string name = text.substr(pos, end - pos);
    pos = end + 1;
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (name.empty()) continue;
    if (name.size() > 64 || name.find_first_of("\\/:*?\"<>|") != std::string::npos ||
        name == "." || name == "..")
      return false;
    for (unsigned char c : name) {
      if (c < 32) return false;
    }
    names.push_back(name);
  }
  return true;
}

void CheckMedium(const std::string& medium, InstallReport& report) {
  const std::string listPath = medium + "\\" + kPackingListName;
  HANDLE h = CreateFileA(listPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    report.Fail("Inhaltsliste " + std::string(kPackingListName) +
                " fehlt auf dem Installationsmedium");
    return;
  }
  char buffer[kMaxPackingListBytes + 1];
  DWORD got = 0;
  BOOL read = ReadFile(h, buffer, sizeof buffer, &got, nullptr);
  CloseHandle(h);
  std::vector<std::string> names;
  if (!read || got > kMaxPackingListBytes || !ParsePackingList(std::string(buffer, got), names)) {
    report.Fail("Inhaltsliste " + std::string(kPackingListName) + " ist besch\xE4" "digt");
    return;
  }
  for (const std::string& name : names) {
    DWORD a = GetFileAttributesA((medium + "\\" + name).c_str());
    if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY)) {
      report.Fail("Datei " + name + " fehlt auf dem Installationsmedium");
    }
  }
}

}  // namespace install
