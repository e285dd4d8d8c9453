#include "scheme_list.h"

#include <windows.h>

#include <cstring>

#include "scheme_file.h"
#include "text_util.h"

namespace kurvo {

namespace {
bool IsDefaultStem(const std::string& stem) { return EqualNoCase(stem, "default"); }
}  // namespace

std::vector<ScanEntry> ReadScanTable(const std::string& schemeDir) {
  std::vector<ScanEntry> table;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((schemeDir + "*.kvo").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return table;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string name = data.cFileName;
    size_t dot = name.rfind('.');
    std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    ScanEntry e;
    if (IsDefaultStem(base)) {
      e.stem = base;
      e.language = 255;
    } else {
      if (base.empty()) continue;
      char last = base.back();
      e.language = last >= '0' && last <= '9' ? last - '0' : 0;
      e.stem = base.substr(0, base.size() - 1);
      // A name that cannot be held in the 15-character field would name another file: skip it.
      if (e.stem.size() + 1 + 4 > kSchemeFileChars) continue;
    }
    table.push_back(e);
  } while (table.size() < kMaxSchemes && FindNextFileA(h, &data));
  FindClose(h);
  return table;
}

std::vector<std::string> ChooseSchemeFiles(const std::vector<ScanEntry>& table, int32_t language,
                                           int32_t defaultLanguage) {
  std::vector<bool> chosen(table.size(), false);
  std::vector<size_t> order;
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].language == language) chosen[i] = true, order.push_back(i);
  for (size_t i = 0; i < table.size(); ++i) {
    if (chosen[i] || table[i].language != defaultLanguage) continue;
    bool taken = false;
    for (size_t j : order) taken |= table[j].stem == table[i].stem;
    if (!taken) chosen[i] = true, order.push_back(i);
  }
  for (size_t i = 0; i < table.size(); ++i)
    if (!chosen[i] && IsDefaultStem(table[i].stem)) chosen[i] = true, order.push_back(i);

  std::vector<std::string> files;
  for (size_t i : order) {
    const ScanEntry& e = table[i];
    files.push_back(IsDefaultStem(e.stem) ? e.stem + ".kvo" : e.stem + Decimal(e.language) + ".kvo");
  }
  return files;
}

std::string SelectSchemeForWindow(const SchemeList& list, const std::string& windowClass,
                                  const std::string& titlePrefix) {
  const SchemeEntry* sameClass = nullptr;
  int count = 0;
  for (const SchemeEntry& e : list)
    if (EqualNoCase(e.windowClass, windowClass) && count++ == 0) sameClass = &e;
  if (count == 1) return sameClass->file;

  const SchemeEntry* named = nullptr;
  for (const SchemeEntry& e : list)
    if (EqualNoCase(e.appName, titlePrefix)) { named = &e; break; }
  if (count > 1) {
    if (named && EqualNoCase(named->windowClass, windowClass)) return named->file;
  } else if (named && strncmp(named->windowClass.c_str(), windowClass.c_str(), 3) == 0) {
    return named->file;
  }
  return kDefaultScheme;
}

std::string TitlePrefix(const std::string& title) {
  return Cut(title.substr(0, title.find('-')), kSchemeListTextChars);
}

}  // namespace kurvo
