// What went wrong during an installation: one line per failed step, in German like the rest of
// Install's texts. An empty report means success.
#pragma once
#include <string>
#include <vector>

namespace install {

struct InstallReport {
  std::vector<std::string> failures;

  bool Ok() const { return failures.empty(); }
  void Fail(std::string what) { failures.push_back(std::move(what)); }
  // The message shown instead of the success message; at most `maxLines` failures are listed.
  std::string FailureMessage(size_t maxLines = 12) const;
  // All failures, one per line (CRLF), for the log file of the silent mode.
  std::string LogText() const;
};

}  // namespace install
