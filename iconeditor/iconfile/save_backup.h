// Writing an icon file over an existing one with a backup: the old file is copied to the
// temporary file first and copied back when the write fails. The backup comes only from this
// same save; a file that did not exist before is removed again when its write fails.
#pragma once
#include <functional>
#include <string>

namespace zwicon::files {

enum class SaveOutcome {
  Saved,
  Restored,     // the write failed; the previous file is back
  NotRestored,  // the write failed and so did the restore: the backup is kept in the temporary file
  NoBackup,     // the write failed and no backup of the previous file could be made
  Unchanged,    // the write failed before touching the previous file (no backup was needed)
  Removed,      // the write failed; there was no previous file, and nothing is left behind
};

SaveOutcome SaveWithBackup(const std::string& file, const std::string& temp,
                           const std::function<bool(const std::string&)>& write);

// The alert text for a failed save (empty for Saved).
std::string SaveFailureText(SaveOutcome outcome, const std::string& file, const std::string& temp);

}  // namespace zwicon::files
