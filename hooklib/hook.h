// The low-level mouse hook: catches the chosen button, asks the recognizer program for the
// level of the window under the pointer, follows the stroke (StrokeCapture), and afterwards
// replays held-back clicks or reports the recognized symbol. All of it runs on the thread that
// started the hook, which must run a message loop (the system calls the hook through it).
#pragma once
#include <windows.h>

#include <cstdint>

#include "capture.h"

namespace hooklib {

enum class Button { kLeft, kRight, kMiddle };

struct HookOptions {
  Button button = Button::kRight;
  CaptureConfig capture;
  const char* notifyClass = "Strokewise";  // class of the window told about strokes
  DWORD answerTimeoutMs = 200;             // wait for WM_DRAWBEGIN's answer at most this
  bool trail = true;                       // a line on the screen along the stroke
};

// A number from the settings key root\path: decimal text (REG_SZ of any length, padded with
// zeros or not) or a REG_DWORD; `missing` when the value is absent, of another type or larger
// than kMaxSettingBytes.
constexpr DWORD kMaxSettingBytes = 64 * 1024;
int32_t ReadSettingNumber(HKEY root, const char* path, const char* name, int32_t missing);

// The button for the MouseBtn value under root\path: 0 the middle button; anything else (and a
// missing value) the right one, or the left one when the system has the buttons swapped.
Button ReadMouseButton(HKEY root, const char* path);

// Installs the hook in the calling thread (replacing one it already has). False when the system
// refused it.
bool StartHook(HINSTANCE module, const HookOptions& options);
// Removes the hook and drops a stroke in progress; harmless when none is installed.
void StopHook();
bool HookRunning();

// Marker in dwExtraInfo of the input the library injects itself; the hook lets it pass.
constexpr ULONG_PTR kInjectedMarker = 0x4B52564Fu;

}  // namespace hooklib
