#include "effects.h"

#include <mmsystem.h>

namespace kurvo {

void Effects::EndSession(UINT flags) { ExitWindowsEx(flags, 0); }

void Effects::PlaySoundFile(const std::string& path) {
  PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void Effects::PlaySoundAlias(const std::string& alias) {
  PlaySoundA(alias.c_str(), nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT);
}

void Effects::StopSound() { PlaySoundA(nullptr, nullptr, 0); }

void Effects::StartProgram(const std::string& commandLine) { WinExec(commandLine.c_str(), SW_SHOWNORMAL); }

Effects& SystemEffects() {
  static Effects system;
  return system;
}

}  // namespace kurvo
