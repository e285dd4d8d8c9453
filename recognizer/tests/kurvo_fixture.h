// Test helpers for Kurvo: an installation directory of a test's own (system directory with the
// language library and the stand-in hook library, scheme directory), a settings key of its own,
// recorded effects, and a fresh program state.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kurvo_state.h"
#include "dialog_answerer.h"
#include "registry_scope.h"
#include "temp_dir.h"

namespace kurvo::test {

inline constexpr char kTestKey[] = "SOFTWARE\\StrokewiseTests\\System";

std::string LanguageLibraryPath();  // the built kvo_eng.dll
std::string HookLibraryPath();      // the stand-in kurvo.dll
std::string KurvoExePath();

struct RecordingEffects : Effects {
  std::vector<UINT> exits;  // EndSession flags
  std::vector<std::string> sounds;  // "file:<path>" or "alias:<name>"
  std::vector<std::string> started;
  int stops = 0;
  void EndSession(UINT flags) override { exits.push_back(flags); }
  void PlaySoundFile(const std::string& p) override { sounds.push_back("file:" + p); }
  void PlaySoundAlias(const std::string& a) override { sounds.push_back("alias:" + a); }
  void StopSound() override { ++stops; }
  void StartProgram(const std::string& c) override { started.push_back(c); }
};

// One scheme slot in a compact form for writing test files.
struct Slot {
  int index;
  std::string name;
  int symbol;
  int type = 0;
  std::string p0, p1, p2, p3, sound;
};

class KurvoTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string Dir() const { return dir_.Path(); }
  std::string SystemDir() const { return dir_.Path() + "\\system\\"; }
  std::string SchemeDir() const { return dir_.Path() + "\\schemes\\"; }
  // Writes the settings key of a fresh installation of this directory.
  void WriteInstalledSettings(int klLanguage = 0);
  void SetValue(const std::string& name, const std::string& value);
  std::string Value(const std::string& name);
  // Copies the language library and the hook library into the system directory.
  void InstallLibraries();
  // Writes a scheme file with the given header and slots.
  void WriteScheme(const std::string& file, const std::string& name, const std::string& version,
                   const std::string& windowClass, int language, int level,
                   const std::vector<Slot>& slots = {});
  // LoadSettings and both libraries bound, as at start-up.
  void StartState();
  // StartState, then the real main window, created hidden, with the default scheme loaded.
  HWND CreateMain();

  sw::test::RegistryScope registry_{HKEY_LOCAL_MACHINE, kTestKey};
  sw::test::TempDir dir_;
  RecordingEffects effects_;
  // Answers every box and dialog the code under test opens, so that none can block a test.
  sw::test::DialogAnswerer answerer_;
};

// A top-level window of a class of its own with a title, standing for an application drawn on.
class TargetWindow {
 public:
  TargetWindow(const std::string& windowClass, const std::string& title);
  ~TargetWindow();
  HWND Handle() const { return h_; }

 private:
  HWND h_ = nullptr;
};

// Calls of the stand-in hook library: 0 EnableHook, 1 DisableHook, 2 DataExchange.
int HookCalls(int which);

}  // namespace kurvo::test
