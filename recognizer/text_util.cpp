#include "text_util.h"

#include <windows.h>

#include <initializer_list>

namespace kurvo {

std::string Cut(const std::string& text, size_t limit) {
  return text.size() > limit ? text.substr(0, limit) : text;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string ToLower(std::string text) {
  if (!text.empty()) CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::string ToUpper(std::string text) {
  if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

int32_t DecimalValue(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) value = 2147483648LL;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

std::string Decimal(int32_t value) { return std::to_string(value); }

namespace {
// Fills the conversions %s and %d of a format from the language library with the given texts in
// order; "%%" is a percent sign and any other conversion is kept as written, so a library's
// format can never read arguments that are not there.
std::string Format(size_t limit, const std::string& format, std::initializer_list<std::string> args) {
  std::string out;
  auto next = args.begin();
  for (size_t i = 0; i < format.size() && out.size() < limit; ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) { out += format[i]; continue; }
    char c = format[i + 1];
    if (c == '%') { out += '%'; ++i; continue; }
    if ((c == 's' || c == 'd' || c == 'u') && next != args.end()) { out += *next++; ++i; continue; }
    out += format[i];
  }
  return Cut(out, limit);
}
}  // namespace

std::string FormatText(const std::string& format, const std::string& arg, size_t limit) {
  return Format(limit, format, {arg});
}

std::string FormatText2(const std::string& format, const std::string& a, const std::string& b,
                        size_t limit) {
  return Format(limit, format, {a, b});
}

std::string FormatNumber(const std::string& format, int value, size_t limit) {
  return Format(limit, format, {std::to_string(value)});
}

}  // namespace kurvo
