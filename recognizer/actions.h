// Shortcut actions: menu sequences and the seven system commands, hotkeys, command lines and
// keystroke texts. Keys are typed by the language library's exports.
#pragma once
#include <string>

#include "scheme_file.h"

namespace kurvo {

inline constexpr int kKeyNameCount = 64;
inline constexpr int kSystemCommandCount = 7;
const char* KeyName(int index);  // KeyNameTable order: CTRL, SHIFT, ALT, ... NUMPAD9

// Runs the slot's action; true when it was one of the system commands.
bool PerformShortcut(const ShortcutRecord& slot);
// The texts handed to the language library.
std::string MenuSequenceText(const ShortcutRecord& slot);  // "%" + P0, at most 255 characters
std::string HotkeyText(const ShortcutRecord& slot);        // at most 255 characters
std::string ExpandKeystrokeEscapes(const std::string& p0); // \n and \t, at most 2047 characters
// The command started for P0: the registered App Paths program or P0 itself.
std::string CommandLineFor(const std::string& p0);

void RunMenuSequence(const ShortcutRecord& slot);
void RunHotkey(const ShortcutRecord& slot);
void RunCommandLine(const ShortcutRecord& slot);
void RunKeystrokes(const ShortcutRecord& slot);
void RunSystemCommand(int index);

}  // namespace kurvo
