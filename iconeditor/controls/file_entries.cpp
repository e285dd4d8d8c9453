#include "file_entries.h"

#include <algorithm>

#include "paths.h"

namespace zw {

namespace {

std::string Padded(uint64_t n, size_t width) {
  std::string s;
  do {
    s.insert(s.begin(), static_cast<char>('0' + n % 10));
    n /= 10;
  } while (n);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s.substr(s.size() - width);
}

bool ReadNumber(const std::string& s, size_t pos, size_t len, uint64_t& out) {
  if (pos + len > s.size()) return false;
  out = 0;
  for (size_t i = pos; i < pos + len; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    out = out * 10 + static_cast<uint64_t>(s[i] - '0');
  }
  return true;
}

char SwapKind(char k, bool inverted) {
  if (!inverted) return k;
  return k == kDriveEntry ? kFileEntry : k == kFileEntry ? kDriveEntry : k;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// The extension with its dot, upper-cased, cut or padded with "." to four characters; empty
// when the name has none.
std::string ExtensionKey(const std::string& name) {
  std::string ext = sw::UpperExtension(name, sw::kSlashesAndDrive).substr(0, 4);
  if (ext.empty()) return {};
  ext.resize(4, '.');
  return ext;
}

const struct {
  const char* group;
  int icon;
} kGroups[] = {
    {".COM.EXE.BAT.PIF.LNK", 10},
    {".PCX.TIF.BMP.GEM.IMG.GIF.ST..PNG.ICO.ICC.JPG.IFF", 18},
    {".CGM.CDR.CDT.EPS.WPG.AI..DHP.DXF.HPG.TEO.WMF", 11},
    {".ZIP.LZH", 12},
    {".XLC.PIC.CHT.SHW", 13},
    {".XLS.WKS.WK1.WK2.WQ1", 14},
    {".PUB.CHP", 15},
    {".DBF.DB..DIF.PB.", 16},
    {".BAK.TMP.$$$.OLD", 17},
    {".TXT.ASC.INF.INI.DOC.WRI.WP..WP5.WP6", 19},
    {".VOC.WAV.MID.SNG.CMF.ORG", 21},
    {".HLP", 22},
    {".SYS.BIN.DRV.386.CFG", 23},
    {".FNT.CHR.GFT.FON.SFP", 24},
    {".FLI.AVI.MOV", 25},
    {".PAS.BAS.C...CPP", 26},
};

}  // namespace

std::string SortKey(const FileEntry& e, TFileListSortTypes sortBy) {
  switch (sortBy) {
    case sbType: {
      std::string ext = e.kind == kFileEntry ? ExtensionKey(e.name) : std::string();
      // The key holds the extension as it appears (dot included), filled with "0".
      size_t dot = e.name.rfind('.');
      if (!ext.empty()) ext = e.name.substr(dot, 11);
      for (char& c : ext) c = Upper(c);
      ext.resize(11, '0');
      return ext;
    }
    case sbSize: return Padded(e.size, 11);
    case sbDate: return Padded(e.dateTime, 11);
    default: return std::string(11, '0');
  }
}

std::string EncodeEntry(const FileEntry& e, TFileListSortTypes sortBy, bool inverted) {
  std::string s(1, SwapKind(e.kind, inverted));
  s += SortKey(e, sortBy);
  s += e.name;
  s += '|';
  s += static_cast<char>(std::clamp(e.icon, 1, 28));
  s += Padded(e.attributes & 0xFF, 6);
  s += Padded(e.dateTime, 11);
  s += Padded(e.size, 11);
  return s;
}

bool DecodeEntry(const std::string& s, bool inverted, FileEntry& e) {
  constexpr size_t kTail = 1 + 1 + 6 + 11 + 11;  // separator, icon, attributes, date, size
  if (s.size() < 12 + kTail) return false;
  size_t sep = s.size() - kTail;
  if (s[sep] != '|') return false;
  uint64_t attr, dt, size;
  if (!ReadNumber(s, sep + 2, 6, attr) || !ReadNumber(s, sep + 8, 11, dt) || !ReadNumber(s, sep + 19, 11, size))
    return false;
  e.kind = SwapKind(s[0], inverted);
  e.name = s.substr(12, sep - 12);
  e.icon = static_cast<unsigned char>(s[sep + 1]);
  e.attributes = static_cast<uint32_t>(attr);
  e.dateTime = static_cast<uint32_t>(dt);
  e.size = size;
  return true;
}

std::string ApplyTextCase(const std::string& name, TTextCase tc) {
  std::string s = name;
  switch (tc) {
    case tcLowerCase:
      for (char& c : s) c = Lower(c);
      break;
    case tcUpperCase:
      for (char& c : s) c = Upper(c);
      break;
    case tcAuto:
      for (size_t i = 0; i < s.size(); ++i)
        s[i] = (i == 0 || s[i - 1] == ' ' || s[i - 1] == '\\') ? Upper(s[i]) : Lower(s[i]);
      break;
    case tcNone: break;
  }
  return s;
}

int ExtensionIcon(const std::string& name) {
  std::string ext = ExtensionKey(name);
  if (ext.empty()) return kIconPlain;
  for (auto& g : kGroups)
    if (std::string(g.group).find(ext) != std::string::npos) return g.icon;
  return kIconPlain;
}

int EntryIcon(const std::string& name, uint32_t attributes, bool directory) {
  bool hidden = attributes & FILE_ATTRIBUTE_HIDDEN;
  if (directory) return hidden ? kIconHiddenDirectory : kIconDirectory;
  int icon = ExtensionIcon(name);
  if (!hidden) return icon;
  return icon == kIconPrograms ? kIconHiddenProgram : kIconHiddenFile;
}

std::vector<std::string> SplitMasks(const std::string& masks) {
  std::vector<std::string> out;
  std::string cur;
  bool quoted = false;
  for (char c : masks) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == ' ' || c == ',')) {
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

std::string FormatSize(uint64_t size) {
  std::string digits;
  uint64_t n = size;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + n % 10));
    n /= 10;
  } while (n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string AttributeLetters(uint32_t a) {
  std::string s;
  if (a & FILE_ATTRIBUTE_READONLY) s += 'R';
  if (a & FILE_ATTRIBUTE_HIDDEN) s += 'H';
  if (a & FILE_ATTRIBUTE_SYSTEM) s += 'S';
  if (a & FILE_ATTRIBUTE_ARCHIVE) s += 'A';
  return s;
}

uint32_t PackFileTime(const FILETIME& ft) {
  FILETIME local;
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return 0;
  return (static_cast<uint32_t>(date) << 16) | time;
}

namespace {
bool Unpack(uint32_t packed, SYSTEMTIME& st) {
  if (packed <= 0x20FFFF) return false;
  FILETIME ft;
  if (!DosDateTimeToFileTime(static_cast<WORD>(packed >> 16), static_cast<WORD>(packed), &ft)) return false;
  return FileTimeToSystemTime(&ft, &st);
}
}  // namespace

std::string FormatPackedDate(uint32_t packed) {
  SYSTEMTIME st;
  char buf[64];
  if (!Unpack(packed, st) || !GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, sizeof buf))
    return "?";
  return buf;
}

std::string FormatPackedTime(uint32_t packed) {
  SYSTEMTIME st;
  char buf[64];
  if (!Unpack(packed, st) || !GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, buf, sizeof buf))
    return "?";
  return buf;
}

}  // namespace zw
