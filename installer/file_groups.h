// The file groups Install copies from the medium, and their copying with LZ expansion.
#pragma once
#include <string>
#include <vector>

#include "install_record.h"
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

// Expands (or copies, for a plain file) `source` into a new temporary file in the folder of
// `destination` and returns its path; "" when the source cannot be opened, the file cannot be
// created or the result is short of the expected size (nothing is left behind then).
std::string ExpandBeside(const std::string& source, const std::string& destination);
// Renames the expanded file over `destination`; on failure the temporary file is removed.
bool MoveIntoPlace(const std::string& temp, const std::string& destination);
// Expands `source` to `destination`. A failure leaves no half-expanded file and an existing
// destination as it was.
bool ExpandFile(const std::string& source, const std::string& destination);

// Creates a directory with every missing level above it; an existing directory is fine.
bool MakeDirectoryPath(const std::string& path);

// Copies every group from `source` into `target` (no trailing backslash): creates the target
// and its subdirectories as each group needs them and deletes an old Kurvo.exe from the system
// directory between groups 7 and 8. Every failure is added to `report`; a pattern that matches
// nothing is no failure. Each folder and file that lands is added to `record`. A scheme that
// exists already is replaced only when the user has not changed it since `previous` recorded it
// (or it equals the new one); a changed one stays and `report` gets a note.
void CopyFileGroups(const std::string& source, const std::string& target, InstallReport& report,
                    RecordWriter* record = nullptr, const InstallRecord* previous = nullptr);

}  // namespace install
