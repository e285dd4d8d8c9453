// Alarm markers written into page texts ("@dd/mm/yy" or "@mm.dd.yy", optionally "-hh:mm", then
// a message), the scan that fires the first due one, and its presentation.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "note_table.h"

namespace quill {

struct AlarmMarker {
  int year = 0, month = 0, day = 0;  // full year
  bool timed = false;
  int hour = 0, minute = 0;
  std::string message;  // encoded, up to the line end, at most 256 characters
};

// The year of two digits: the one nearest to `currentYear`, from 49 years back to 50 ahead.
int MarkerYear(int twoDigits, int currentYear);
// Reads a marker starting at text[pos] ("@"); false when the text there is no marker.
bool ParseAlarmMarker(std::string_view text, size_t pos, int currentYear, AlarmMarker* marker);
// True when the marker's moment is not later than `now`.
bool AlarmDue(const AlarmMarker& m, const SYSTEMTIME& now);
// Position of the first due marker in an encoded text, or npos.
size_t FindDueAlarm(std::string_view text, const SYSTEMTIME& now, AlarmMarker* marker);
// Caret position in the edit control of encoded position `pos`: a line break is 2 characters.
int32_t CaretOffset(std::string_view text, size_t pos);

// True when an alarm fired; t.alarm then describes it and its marker reads "#".
bool ScanAlarms(NoteTable& t);
// Shows the fired alarm. From the timer the note first turns to the alarm page and opens.
void PresentAlarm(NoteTable& t, bool fromTimer);

}  // namespace quill
