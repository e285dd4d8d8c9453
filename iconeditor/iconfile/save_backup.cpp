#include "save_backup.h"

#include <windows.h>

#include "file_copy.h"

namespace zwicon::files {

SaveOutcome SaveWithBackup(const std::string& file, const std::string& temp,
                           const std::function<bool(const std::string&)>& write) {
  DWORD a = GetFileAttributesA(file.c_str());
  const bool existed = a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  // The backup must stay writable: the temporary file is written again by later operations.
  const bool backup =
      existed && !temp.empty() && SafeCopyFile(file, temp, {.keepAttributes = false}) == CopyResult::Ok;
  if (write(file)) return SaveOutcome::Saved;
  if (backup) return SafeCopyFile(temp, file) == CopyResult::Ok ? SaveOutcome::Restored : SaveOutcome::NotRestored;
  if (existed) return SaveOutcome::NoBackup;
  DeleteFileA(file.c_str());
  return SaveOutcome::Removed;
}

std::string SaveFailureText(SaveOutcome outcome, const std::string& file, const std::string& temp) {
  const std::string head = "An error has occurred in saving " + file + "\r";
  switch (outcome) {
    case SaveOutcome::Saved: return "";
    case SaveOutcome::Restored: return head + "The previous file has been restored.";
    case SaveOutcome::Removed: return head + "The icon has not been saved.";
    case SaveOutcome::NoBackup: return head + "The previous file could not be kept.";
    case SaveOutcome::NotRestored: break;
  }
  return head + "The previous file could not be restored;\rits copy is kept in " + temp + ".";
}

}  // namespace zwicon::files
