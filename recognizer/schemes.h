// Scheme operations on Kurvo's state: the current scheme file's header and slots, the scan of the
// scheme directory into the list and the scheme list box.
#pragma once
#include <string>

#include "scheme_file.h"

namespace kurvo {

std::string CurrentSchemePath();
void ReadSchemeHeader();
// Writes the header with the progress bar and the saved message in the status line.
void WriteSchemeHeader();
void ReadShortcut(int slot);
void WriteShortcut(int slot);
void ReadAllShortcuts();
// Rebuilds the scheme list and the scheme list box; the last listed scheme is left current.
void ScanSchemes();
// Makes `file` current and loaded, reads its header and slots and refreshes the symbol list.
void LoadScheme(const std::string& file);
// The name a scheme's entry shows: its application name, or its file name when the header has
// none that shows (an empty, garbage or slot-only file), so that no entry is blank.
std::string SchemeEntryName(const SchemeHeader& header, const std::string& file);
// Selects the list-box entry "name version" (case ignored); none selected when absent.
bool SelectSchemeEntry(const std::string& name, const std::string& version);

}  // namespace kurvo
