// The file groups Install copies from the medium, and their copying with LZ expansion.
#pragma once
#include <string>
#include <vector>

#include "install_report.h"

namespace install {

struct FileGroup {
  const char* pattern;    // searched in the medium's directory
  const char* extension;  // its last character ends the destination name
  const char* subdir;     // below the target directory: "schemes", "sounds", "system" or ""
};

// The fourteen groups in copying order.
const std::vector<FileGroup>& FileGroups();

// Destination name of a medium file: its last character replaced by the extension's last one,
// all lower case ("SCHEMES.KV_" with "kvo" gives "schemes.kvo").
std::string DestinationName(const std::string& mediumName, const std::string& extension);

// Size a medium file expands to: the size stored in a compressed file's header, or the file's
// own size for a file stored plain. -1 when it cannot be read.
long long ExpandedSize(const std::string& path);

// Expands (or copies, for a plain file) `source` to `destination`; false when the source cannot
// be opened, the destination cannot be created or the result is short of the expected size.
bool ExpandFile(const std::string& source, const std::string& destination);

// Copies every group from `source` into `target` (no trailing backslash): creates the target
// and its subdirectories as each group needs them and deletes an old Kurvo.exe from the system
// directory between groups 7 and 8. Every failure is added to `report`; a pattern that matches
// nothing is no failure.
void CopyFileGroups(const std::string& source, const std::string& target, InstallReport& report);

}  // namespace install
