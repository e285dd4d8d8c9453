// Message pumping for tests: bounded loops, never an open-ended wait.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace sw::test {

// Dispatches posted and sent messages for up to `ms` milliseconds.
void PumpMessages(DWORD ms);

// Dispatches messages until `done` returns true or `ms` milliseconds pass; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD ms);

// Converts a host path ("/tmp/x") to the path a Windows program sees under Wine ("Z:\tmp\x").
std::string HostToWinePath(const std::string& hostPath);

}  // namespace sw::test
