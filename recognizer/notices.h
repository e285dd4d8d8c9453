// The hook library's notices and the feedback that follows them: status line, notification icon,
// sounds and the countdown back to "Ready".
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace kurvo {

inline constexpr char kKurvoClass[] = "Strokewise";

// WM_DRAWBEGIN: chooses the scheme for `target` and returns its level (1 when ignored).
LRESULT OnDrawBegin(HWND target);
// WM_SYMBOLDRAWN: loads the window's scheme, looks the symbol up and performs its shortcut.
LRESULT OnSymbolDrawn(int32_t symbolId, HWND target);
void SetTrayState(int iconId, UINT tipId);
// Plays an existing sound file or one of the six system sound names; anything else is skipped.
void PlayEventSound(const std::string& name);
void FeedbackCountdownTick();
bool IsSystemSoundName(const std::string& name);
extern const char* const kSystemSoundNames[6];

}  // namespace kurvo
