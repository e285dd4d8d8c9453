// A careful file copy for the save's backup: in blocks, with a size check, the source's date
// (and attributes), refusing to copy a file onto itself, and deleting an incomplete target.
#pragma once
#include <string>

namespace zwicon::files {

enum class CopyResult { Ok, SameFile, NoSource, NoTarget, WriteFailed, SizeMismatch };

constexpr unsigned kCopyBlock = 65528;

struct CopyOptions {
  // Carry the source's read-only, hidden and system attributes over (off for backups, which are
  // written again later and must stay writable).
  bool keepAttributes = true;
};

CopyResult SafeCopyFile(const std::string& source, const std::string& target, CopyOptions options = {});
// True when both names lead to the same existing file (another spelling, case or path).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace zwicon::files
