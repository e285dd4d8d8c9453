// A program a test starts. When the object goes, a program still running is given `graceMs` to
// end by itself and is then ended, so no test leaves a process behind.
#pragma once
#include <windows.h>
#include <string>

namespace sw::test {

class ChildProcess {
 public:
  // `commandLine` as CreateProcess takes it; `dir` the working folder (empty: the test's own).
  explicit ChildProcess(std::string commandLine, const std::string& dir = "", DWORD graceMs = 0);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The program itself, quoted, as a command line without arguments.
  static std::string Quoted(const std::string& exe) { return "\"" + exe + "\""; }

  bool Ended() const { return WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0; }
  // Waits up to `ms` without handling messages; its exit code when it ended.
  bool Ended(DWORD ms, DWORD* code) const;
  // Exit code once ended within `ms`, with the test's messages handled meanwhile; -1 when it did
  // not end.
  int Wait(DWORD ms) const;

  PROCESS_INFORMATION info{};

 private:
  DWORD graceMs_;
};

}  // namespace sw::test
