// Quick-start pages: a text file of sections, each a title in square brackets followed by its
// text up to the next "[" or the end of the file.
#pragma once
#include <string>
#include <vector>

namespace kvowiz {

struct Page {
  std::string title;  // at most kMaxTitle characters
  std::string text;   // line ends as CR LF, at most kMaxText characters
};

constexpr size_t kMaxPages = 64;
constexpr size_t kMaxTitle = 127;
constexpr size_t kMaxText = 8191;
constexpr size_t kMaxFileBytes = 256 * 1024;

// Splits a file's text into pages. Text before the first title is ignored; a title without a
// closing "]" ends the file. Leading and trailing blank lines of a page's text are dropped.
std::vector<Page> ParsePages(const std::string& fileText);

// The pages file for the wizard's argument in `dir` ("qcks_eng" gives dir\qcks_eng.qks); empty
// when the argument is not a plain name (letters, digits, "_", at most 32 characters).
std::string PagesPath(const std::string& dir, const std::string& argument);

// Reads a pages file (at most kMaxFileBytes); false when it cannot be opened.
bool ReadPagesFile(const std::string& path, std::vector<Page>* pages);

}  // namespace kvowiz
