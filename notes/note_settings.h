// The settings file through the profile functions: texts, decimal numbers, flushing.
#pragma once
#include <cstdint>
#include <string>

#include "note_table.h"

namespace quill {

// Optional sign and digits after leading white space; anything else reads as 0.
int32_t ParseNumber(const std::string& text);

// The value, cut to size - 1 characters; empty when missing.
std::string ReadSetting(const NoteTable& t, const char* section, const char* key, int size = kField);
// True when the key is present (non-empty); `value` gets its number.
bool ReadSettingNumber(const NoteTable& t, const char* section, const char* key, int32_t* value,
                       int size = kField);
void WriteSetting(const NoteTable& t, const char* section, const char* key, const char* value);
void WriteSettingNumber(const NoteTable& t, const char* section, const char* key, long value);
// Deletes a key, or with no key the whole section.
void DeleteSetting(const NoteTable& t, const char* section, const char* key);
void FlushSettings(const NoteTable& t);

}  // namespace quill
