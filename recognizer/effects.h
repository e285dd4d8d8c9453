// Effects that tests must not cause for real: ending the session, playing sounds and starting
// programs. The program uses the system's; tests install a recorder.
#pragma once
#include <windows.h>

#include <string>

namespace kurvo {

class Effects {
 public:
  virtual ~Effects() = default;
  virtual void EndSession(UINT flags);                     // ExitWindowsEx
  virtual void PlaySoundFile(const std::string& path);      // asynchronous, no default sound
  virtual void PlaySoundAlias(const std::string& alias);    // a system sound alias
  virtual void StopSound();
  virtual void StartProgram(const std::string& commandLine);  // WinExec, shown normally
};

// The system's own effects, the default of the program's state.
Effects& SystemEffects();

}  // namespace kurvo
