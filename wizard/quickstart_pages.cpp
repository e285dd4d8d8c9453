#include "quickstart_pages.h"

#include <windows.h>

namespace kvowiz {

namespace {

bool IsBlankLineChar(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

// Drops blank lines around the text and writes every line end as CR LF.
std::string PageText(const std::string& raw) {
  size_t begin = 0, end = raw.size();
  // Keep a first line's indentation: skip whole blank lines only.
  for (size_t i = 0; i < raw.size() && IsBlankLineChar(raw[i]); ++i) {
    if (raw[i] == '\n') begin = i + 1;
  }
  while (end > begin && IsBlankLineChar(raw[end - 1])) --end;
  std::string text;
  for (size_t i = begin; i < end && text.size() < kMaxText; ++i) {
    if (raw[i] == '\r') continue;
    if (raw[i] == '\n') {
      if (text.size() + 2 > kMaxText) break;
      text += "\r\n";
    } else {
      text += raw[i];
    }
  }
  return text;
}

}  // namespace

std::vector<Page> ParsePages(const std::string& fileText) {
  std::vector<Page> pages;
  size_t pos = fileText.find('[');
  while (pos != std::string::npos && pages.size() < kMaxPages) {
    size_t close = fileText.find(']', pos + 1);
    if (close == std::string::npos) break;
    size_t next = fileText.find('[', close + 1);
    Page page;
    page.title = fileText.substr(pos + 1, close - pos - 1).substr(0, kMaxTitle);
    page.text = PageText(fileText.substr(close + 1, next == std::string::npos
                                                        ? std::string::npos
                                                        : next - close - 1));
    pages.push_back(std::move(page));
    pos = next;
  }
  return pages;
}

std::string PagesPath(const std::string& dir, const std::string& argument) {
  if (argument.empty() || argument.size() > 32) return std::string();
  for (char c : argument) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '_';
    if (!plain) return std::string();
  }
  return dir + "\\" + argument + ".qks";
}

bool ReadPagesFile(const std::string& path, std::vector<Page>* pages) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  std::string text(kMaxFileBytes, '\0');
  DWORD got = 0;
  BOOL ok = ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
  CloseHandle(h);
  if (!ok) return false;
  text.resize(got);
  *pages = ParsePages(text);
  return true;
}

}  // namespace kvowiz
