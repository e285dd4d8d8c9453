#include "child_process.h"

#include "pump.h"

namespace sw::test {

ChildProcess::ChildProcess(std::string commandLine, const std::string& dir, DWORD graceMs) : graceMs_(graceMs) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      dir.empty() ? nullptr : dir.c_str(), &si, &info))
    info = {};
}

ChildProcess::~ChildProcess() {
  if (!info.hProcess) return;
  if (WaitForSingleObject(info.hProcess, graceMs_) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 9);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
}

bool ChildProcess::Ended(DWORD ms, DWORD* code) const {
  if (!info.hProcess || WaitForSingleObject(info.hProcess, ms) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(info.hProcess, code);
  return true;
}

int ChildProcess::Wait(DWORD ms) const {
  DWORD code = static_cast<DWORD>(-1);
  if (info.hProcess && PumpUntil([&] { return Ended(); }, ms)) GetExitCodeProcess(info.hProcess, &code);
  return static_cast<int>(code);
}

}  // namespace sw::test
