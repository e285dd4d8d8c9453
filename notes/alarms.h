// Alarm markers written into page texts ("@dd/mm/yy" or "@mm.dd.yy", optional "-hh:mm", then a
// message), the scan that fires the first due one, and its presentation.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "note_table.h"

namespace quill {

// True when an alarm fired; t.alarm then describes it and the marker reads "#".
bool ScanAlarms(NoteTable& t);
// Shows the fired alarm. From the timer the note first turns to the alarm page and opens.
void PresentAlarm(NoteTable& t, bool fromTimer);

}  // namespace quill
