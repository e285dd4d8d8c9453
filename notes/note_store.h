// The text store: a file of (key, value) records ended by an "[End]" record, and the one-line
// encoding of page texts kept in it. Plain file functions, no windows.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quill {

// Longest key a record may have (section of 79 characters, "_", "Text9", terminator).
constexpr uint32_t kMaxStoreKey = 256;
// Longest value read from a store: bounds what a damaged or foreign file can make us allocate.
constexpr uint32_t kMaxStoreValue = 1 << 20;

// Edit text to stored form: 0xA3 -> 0xFF, CR -> 0xA3, LF dropped, other control bytes -> space.
// Works in place (the result is never longer); returns the new length.
size_t EncodeNoteText(char* text);
std::string EncodeNoteText(std::string_view text);
// Stored form back to edit text: 0xA3 -> CR LF, 0xFF -> 0xA3.
std::string DecodeNoteText(std::string_view encoded);
// True when the text holds nothing but spaces and line breaks (CR, LF, or the encoded 0xA3).
bool IsBlankText(std::string_view text);

// The store's file and the temporary file it is rewritten through.
struct TextStore {
  std::string path;
  std::string tmpPath;
  // Test seam: called at each step of a rewrite; returning false stops the rewrite there, as a
  // crash would (the temporary file is left as it is).
  std::function<bool(int step)> faultAt;
};

// Store path for a settings file name: the Windows directory, "\", and the name with its last
// three characters replaced by `ext` ("DAT" or "$$$").
std::string StoreFileName(const std::string& settingsName, const char* ext);
TextStore StoreFor(const std::string& settingsName);

// Reads the value stored under `key`. Stops, reporting not found, at the end record, at the end of
// the file or at the first record whose lengths do not fit the file.
bool ReadStoreValue(const TextStore& store, const std::string& key, std::string* value);

// Every sound record before the end record, in file order.
std::vector<std::pair<std::string, std::string>> ReadStoreRecords(const TextStore& store);

// Rewrites the store without the record `match` (or, with `prefix`, without every record whose key
// begins with `match`), then appends (match, value) when `value` is not empty and not `prefix`.
// The new file replaces the old one in one step, so the store is always either old or new.
// Returns false when the rewrite did not complete (the old store is then unchanged).
bool RewriteStore(const TextStore& store, const std::string& match, bool prefix,
                  std::string_view value, size_t copyBuffer);

}  // namespace quill
