// Small text helpers shared by Kurvo's modules: cutting texts to their fields, case-free
// comparison, case conversion and the decimal-text conversion used for settings and schemes.
#pragma once
#include <cstdint>
#include <string>

namespace kurvo {

// The first `limit` characters of `text` (fields of a fixed width keep at most that many).
std::string Cut(const std::string& text, size_t limit);
bool EqualNoCase(const std::string& a, const std::string& b);
std::string ToLower(std::string text);
std::string ToUpper(std::string text);
// Leading white space, one optional sign, digits up to the first non-digit; no digits give 0.
// Values beyond the 32-bit range are clamped.
int32_t DecimalValue(const std::string& text);
std::string Decimal(int32_t value);
// printf-style formatting with one text argument into a string of at most `limit` characters.
std::string FormatText(const std::string& format, const std::string& arg, size_t limit = 1023);
std::string FormatText2(const std::string& format, const std::string& a, const std::string& b,
                        size_t limit = 1023);
std::string FormatNumber(const std::string& format, int value, size_t limit = 1023);

}  // namespace kurvo
