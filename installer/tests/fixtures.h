// Medium folders for the installer tests, made from the compressed files the build prepares.
#pragma once
#include <initializer_list>
#include <string>

#include "installer.h"
#include "temp_dir.h"

namespace install::test {

// Folder of the original (uncompressed) fixture files.
std::string OriginalsDir();
// Copies the named fixture medium files into `dir` (a Windows path) and adds them to its
// packing list.
void FillMedium(const std::string& dir, std::initializer_list<const char*> names);
// Adds names to the packing list of the medium in `dir` (which need not hold them).
void ListOnMedium(const std::string& dir, std::initializer_list<const char*> names);
// Bytes of a file; empty when it cannot be read.
std::string Bytes(const std::string& path);

// An environment on a medium folder of the test's own, with a settings key of its own, a DDE
// service that does not exist (unless a test sets one) and a recorder of started programs.
struct TestInstall {
  sw::test::TempDir medium;
  sw::test::TempDir root;
  InstallerEnvironment env;
  std::vector<std::string> started;

  explicit TestInstall(const std::string& keyName);
  std::string Target() const { return root.File("Kurvo"); }
};

}  // namespace install::test
