// Damaged files of the program. A text store that cannot be read whole is set aside unchanged and
// a new one made of the page texts read with certainty; a settings file with lines the profile
// functions cannot read is reported. Each is said once, in a message that names the file.
#pragma once
#include <string>
#include <string_view>

#include "note_table.h"

namespace quill {

// Sets a store that cannot be read whole aside and says so; true when the store is whole (again).
// When it cannot be set aside, writing to it stops for the rest of the run.
bool RecoverDamagedStore(NoteTable& t);

// Number (1-based) of the first line of a settings file's text that the profile functions cannot
// read whole: a zero or control byte, a section header without "]", a line that is neither a
// comment nor "key=value", or a key before the first section. 0 when every line is sound.
int FirstDamagedSettingsLine(std::string_view text);
// Start-up: checks the settings file and reports a damaged one; one holding a zero byte is first
// copied aside, since the profile functions write back a line only up to its zero byte.
void CheckSettingsFile(NoteTable& t);

// Path of the settings file as the profile functions find it.
std::string SettingsPath(const NoteTable& t);

}  // namespace quill
