// The record of an installation: a plain-text file "install.rec" in the installation directory
// that lists what Install put there and into the system (files with their checksums, folders,
// the settings key and its values, program groups and items, the language). Install appends to
// it as it goes, so that even a half-finished installation can be removed; the uninstaller reads
// it and removes exactly what it lists.
//
// The file is one line per entry, CR LF:
//   Strokewise Install record 1
//   language=eng
//   dir=schemes
//   file=schemes\default.kvo 1a2b3c4d
//   key=SOFTWARE\Strokewise\System
//   value=Directory
//   group=Strokewise
//   item=StartUp|Strokewise 32-bit
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace install {

inline constexpr char kRecordName[] = "install.rec";
inline constexpr char kRecordHeader[] = "Strokewise Install record 1";
inline constexpr size_t kMaxRecordBytes = 256 * 1024;
inline constexpr size_t kMaxRecordLine = 600;

struct RecordedFile {
  std::string path;       // relative to the installation directory, lower case
  uint32_t checksum = 0;  // of the installed bytes
};

struct ProgramItemEntry {
  std::string group;
  std::string item;
};

struct InstallRecord {
  std::string language;  // three-letter code
  std::vector<std::string> dirs;   // folders below the installation directory Install made
  std::vector<RecordedFile> files;
  std::string key;                 // below HKEY_LOCAL_MACHINE; empty when none was written
  std::vector<std::string> values;
  std::vector<std::string> groups;  // groups Install created
  std::vector<ProgramItemEntry> items;

  const RecordedFile* FindFile(const std::string& path) const;
  // Adds an entry, replacing an earlier one of the same name (a re-installation).
  void AddFile(const std::string& path, uint32_t checksum);
  void AddUnique(std::vector<std::string>& list, const std::string& entry);
  void AddItem(const std::string& group, const std::string& item);
  // The whole record as the text of the file.
  std::string Text() const;
};

enum class RecordStatus { Ok, Missing, Damaged };

// Parses a record's text; every line must be well formed, every path inside the installation
// directory and every name safe to pass to the shell, else the record counts as damaged and
// `problem` says why.
RecordStatus ParseRecord(const std::string& text, InstallRecord& out, std::string* problem);
// Reads `dir`\install.rec.
RecordStatus ReadRecord(const std::string& dir, InstallRecord& out, std::string* problem);
// Replaces `dir`\install.rec with the record (a new file renamed over the old one).
bool WriteRecord(const std::string& dir, const InstallRecord& record);

// Keeps the record of the installation in progress, written after every entry.
class RecordWriter {
 public:
  RecordWriter(std::string dir, InstallRecord start);
  bool Ok() const { return ok_; }
  const InstallRecord& Record() const { return record_; }
  void File(const std::string& path, uint32_t checksum);
  void Dir(const std::string& path);
  void Key(const std::string& key, const std::vector<std::string>& values);
  void Group(const std::string& group);
  void Item(const std::string& group, const std::string& item);

 private:
  void Save();
  std::string dir_;
  InstallRecord record_;
  bool ok_ = true;
};

// Checksum of a file's bytes (32-bit FNV-1a); false when it cannot be read.
bool FileChecksum(const std::string& path, uint32_t& out);

// A name for the shell's Program Manager commands: no brackets, parentheses, commas, quotes or
// control characters, which would end or change the command.
bool SafeShellName(const std::string& name);

}  // namespace install
