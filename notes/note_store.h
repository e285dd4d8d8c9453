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
// Longest page text taken in from a text file, and with PageSize's bound what a damaged settings
// file can make us allocate. (Store values are bounded by the store file's size.)
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

// Largest store file read: forty pages of the largest value, with room to spare.
constexpr uint32_t kMaxStoreFile = 64u << 20;

// What one reading of the whole store found.
struct StoreScan {
  bool exists = false;    // the file is there (it may still be unreadable)
  bool readable = false;  // it could be opened and read
  // True when every byte up to the end record belongs to a sound record. A store that is not
  // whole is never written over.
  bool whole = false;
  // The records read with certainty, in file order, the first of equal keys only: sound records,
  // and records after damage found again by their structure (see ParseStore).
  std::vector<std::pair<std::string, std::string>> records;
};

// Reads the records of a store's bytes. A record is taken when its lengths agree with its
// terminators; after damage the reading picks up again at the next place where a whole record
// (a printable "..._Text<n>" key, a value of no zero byte but its terminator) or the end record
// starts. A value whose length field is wrong is still taken when its terminator is followed by
// such a record: page texts hold no zero byte, so the terminator marks its end.
StoreScan ParseStore(std::string_view bytes);
StoreScan ScanStore(const TextStore& store);

// Reads the value stored under `key`; false when there is none.
bool ReadStoreValue(const TextStore& store, const std::string& key, std::string* value);

// Every record that could be read, in file order.
std::vector<std::pair<std::string, std::string>> ReadStoreRecords(const TextStore& store);

// Rewrites the store without the record `match` (or, with `prefix`, without every record whose key
// begins with `match`), then appends (match, value) when `value` is not empty and not `prefix`.
// The new file replaces the old one in one step, so the store is always either old or new.
// Returns false when the rewrite did not complete (the old store is then unchanged); `damaged`
// is set when that is because the store cannot be read whole.
bool RewriteStore(const TextStore& store, const std::string& match, bool prefix,
                  std::string_view value, size_t copyBuffer, bool* damaged = nullptr);

// Keeps a store that cannot be read whole beside itself, unchanged, under the first free name of
// "<store>.damaged", "<store>.damaged2" ... "<store>.damaged99", and puts a new store of
// `records` in its place. False when that could not be done; the damaged store then stays
// where it was.
bool ReplaceDamagedStore(const TextStore& store,
                         const std::vector<std::pair<std::string, std::string>>& records,
                         std::string* keptPath);

}  // namespace quill
