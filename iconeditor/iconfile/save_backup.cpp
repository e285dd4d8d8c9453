#include "save_backup.h"

#include <windows.h>

#include "file_copy.h"

namespace zwicon::files {

namespace {

bool SameState(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
  return a.nFileSizeLow == b.nFileSizeLow && a.nFileSizeHigh == b.nFileSizeHigh &&
         CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

}  // namespace

SaveOutcome SaveWithBackup(const std::string& file, const std::string& temp,
                           const std::function<bool(const std::string&)>& write) {
  WIN32_FILE_ATTRIBUTE_DATA before{};
  const bool existed = GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &before) &&
                       !(before.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  // The backup must stay writable: the temporary file is written again by later operations.
  const bool backup =
      existed && !temp.empty() && SafeCopyFile(file, temp, {.keepAttributes = false}) == CopyResult::Ok;
  if (write(file)) return SaveOutcome::Saved;
  if (backup) return SafeCopyFile(temp, file) == CopyResult::Ok ? SaveOutcome::Restored : SaveOutcome::NotRestored;
  if (existed) {
    WIN32_FILE_ATTRIBUTE_DATA after{};
    bool same = GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &after) && SameState(before, after);
    return same ? SaveOutcome::Unchanged : SaveOutcome::NoBackup;
  }
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
    case SaveOutcome::Unchanged: return head + "The file has not been changed.";
    case SaveOutcome::NotRestored: break;
  }
  return head + "The previous file could not be restored;\rits copy is kept in " + temp + ".";
}

}  // namespace zwicon::files
