#include "fixtures.h"

#include <windows.h>

#include "pump.h"

namespace install::test {

std::string OriginalsDir() { return sw::test::HostToWinePath(INSTALL_FIXTURES "/orig"); }

void ListOnMedium(const std::string& dir, std::initializer_list<const char*> names) {
  std::string list;
  sw::test::ReadFileBytes(dir + "\\Install.lst", &list);
  for (const char* name : names) list += std::string(name) + "\r\n";
  sw::test::WriteFileBytes(dir + "\\Install.lst", list);
}

void FillMedium(const std::string& dir, std::initializer_list<const char*> names) {
  std::string from = sw::test::HostToWinePath(INSTALL_FIXTURES "/medium");
  for (const char* name : names) {
    CopyFileA((from + "\\" + name).c_str(), (dir + "\\" + name).c_str(), FALSE);
  }
  ListOnMedium(dir, names);
}

std::string Bytes(const std::string& path) {
  std::string bytes;
  sw::test::ReadFileBytes(path, &bytes);
  return bytes;
}

TestInstall::TestInstall(const std::string& keyName) {
  env.medium = medium.Path();
  env.settings.path = "SOFTWARE\\StrokewiseTest\\Installer\\" + keyName;
  env.shell.service = "SWNOSUCHSERVICE";
  env.shell.showGroups = false;
  env.startProgram = [this](const std::string& command) {
    started.push_back(command);
    return 33u;
  };
}

}  // namespace install::test
