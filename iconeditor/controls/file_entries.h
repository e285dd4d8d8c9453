// The file list's entries as plain data: how an entry is encoded as one sortable list box string,
// read back, named (text case) and given its icon, and how a mask text splits into masks.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zw {

enum TFileListOrder { flNormal, flInverted };
enum TFileListSortTypes { sbName, sbType, sbSize, sbDate };
enum TTextCase { tcLowerCase, tcUpperCase, tcAuto, tcNone };
enum TFileDetailItems { fdName, fdSize, fdDate, fdTime, fdAttr };
enum TListDetailItems { ldDrives, ldSystemDirectories, ldDirectories, ldFiles, ldNewFile };
enum TSearchModeTypes { smNormal, smSubDirectories };

// Sets of the enumerations above, one bit per member.
using FileDetailSet = unsigned;
using ListDetailSet = unsigned;
constexpr unsigned Bit(int member) { return 1u << member; }
constexpr ListDetailSet kDefaultListDetails = Bit(ldDrives) | Bit(ldSystemDirectories) | Bit(ldDirectories) | Bit(ldFiles);

// Entry kinds, in their sort order.
constexpr char kNewEntry = 'A', kDriveEntry = 'B', kRootEntry = 'C', kParentEntry = 'D', kDirEntry = 'E',
               kFileEntry = 'F';

// Icon numbers (1 ... 28) of the entries that do not depend on an extension.
constexpr int kIconRoot = 6, kIconParent = 7, kIconDirectory = 8, kIconPlain = 9, kIconHiddenFile = 20,
              kIconHiddenDirectory = 27, kIconHiddenProgram = 28, kIconPrograms = 10;

struct FileEntry {
  char kind = kFileEntry;
  std::string name;
  int icon = kIconPlain;
  uint32_t attributes = 0;
  uint32_t dateTime = 0;  // packed: date in the high word, time in the low word
  uint64_t size = 0;
};

// The list box string of an entry; with `inverted` the kinds "B" and "F" are exchanged.
std::string EncodeEntry(const FileEntry& e, TFileListSortTypes sortBy, bool inverted);
// Reads a string made by EncodeEntry back (false when it is not one).
bool DecodeEntry(const std::string& s, bool inverted, FileEntry& e);
// The 11-character sort key of an entry.
std::string SortKey(const FileEntry& e, TFileListSortTypes sortBy);

std::string ApplyTextCase(const std::string& name, TTextCase tc);
// The group icon of a file name's extension, 9 for none or an unknown one.
int ExtensionIcon(const std::string& name);
// The icon of a listed directory or file, hidden variants included.
int EntryIcon(const std::string& name, uint32_t attributes, bool directory);
// Masks separated by spaces or commas; double quotes group (a quoted mask may hold spaces).
std::vector<std::string> SplitMasks(const std::string& masks);

// Column texts of the detail view.
std::string FormatSize(uint64_t size);             // "1,234,567"
std::string AttributeLetters(uint32_t attributes);  // "RHSA" subset
uint32_t PackFileTime(const FILETIME& ft);          // local date and time, packed
std::string FormatPackedDate(uint32_t packed);      // "?" when not above 0x20FFFF
std::string FormatPackedTime(uint32_t packed);

}  // namespace zw
