#include "stroke_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "symbols.h"

namespace hooklib {

int SymbolOfClassName(const std::string& name) {
  static const struct {
    const char* name;
    int id;
  } kNames[] = {
      {"triangle", kTriangle}, {"x", kX}, {"rectangle", kRectangle}, {"circle", kCircle},
      {"check", kCheck}, {"caret", kCaret}, {"question_mark", kQuestionMark}, {"arrow", kArrow},
      {"left_sq_bracket", kLeftSquareBracket}, {"right_sq_bracket", kRightSquareBracket},
      {"v", kV}, {"delete_mark", kDeleteMark}, {"left_curly_brace", kLeftCurlyBrace},
      {"right_curly_brace", kRightCurlyBrace}, {"star", kStar}, {"pigtail", kPigtail},
  };
  for (const auto& n : kNames)
    if (name == n.name) return n.id;
  return 0;
}

namespace {

bool ParseLine(const std::string& line, Example& e) {
  std::istringstream in(line);
  std::string cls, person, speed;
  if (!(in >> cls >> person >> speed)) return false;
  e.id = SymbolOfClassName(cls);
  if (!e.id || person.size() < 2 || person[0] != 's') return false;
  e.person = std::atoi(person.c_str() + 1);
  e.speed = speed == "slow" ? 0 : speed == "medium" ? 1 : speed == "fast" ? 2 : -1;
  if (e.speed < 0) return false;
  double x, y;
  while (in >> x >> y) {
    if (!std::isfinite(x) || !std::isfinite(y) || e.points.size() >= kMaxExamplePoints) return false;
    e.points.push_back({x, y});
  }
  return in.eof() && e.points.size() >= 2;
}

void AddLine(const std::string& line, std::vector<Example>& out) {
  Example e;
  if (line.size() <= kMaxStrokeLine && ParseLine(line, e)) out.push_back(std::move(e));
}

}  // namespace

uint32_t HashBytes(const void* data, size_t size, uint32_t hash) {
  const unsigned char* p = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) hash = (hash ^ p[i]) * 16777619u;
  return hash;
}

void ParseStrokeLines(const std::string& text, std::vector<Example>& out) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    AddLine(text.substr(start, end - start), out);
    start = end + 1;
  }
}

bool ReadStrokeFile(const std::string& path, std::vector<Example>& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string line;
  char buf[4096];
  bool tooLong = false;
  while (std::fgets(buf, sizeof buf, f)) {
    line += buf;
    if (line.size() > kMaxStrokeLine) tooLong = true, line.clear();
    if (line.empty() || line.back() != '\n') continue;
    if (!tooLong) AddLine(line, out);
    line.clear();
    tooLong = false;
  }
  if (!tooLong && !line.empty()) AddLine(line, out);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

}  // namespace hooklib
