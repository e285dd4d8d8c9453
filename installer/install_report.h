// What went wrong during an installation: one line per failed step, in German like the rest of
// Install's texts. An empty report means success.
#pragma once
#include <string>
#include <vector>

namespace install {

struct InstallReport {
  std::vector<std::string> failures;
  std::vector<std::string> notes;  // what the user should know although nothing failed

  bool Ok() const { return failures.empty(); }
  void Fail(std::string what) { failures.push_back(std::move(what)); }
  void Note(std::string what) { notes.push_back(std::move(what)); }
  // The message shown instead of the success message; at most `maxLines` failures are listed.
  std::string FailureMessage(size_t maxLines = 12) const;
  // The same list under another first line and without the closing advice.
  std::string FailureList(const std::string& heading, size_t maxLines = 12) const;
  // All failures, then the notes, one per line (CRLF), for the log file of the silent mode.
  std::string LogText() const;
  // The notes, one per line, each after a line break; empty when there are none.
  std::string NotesText() const;
};

}  // namespace install
