// Scheme files: the profile (INI) form of one application's header and its 25 shortcut slots.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace kurvo {

inline constexpr int kSlotCount = 25;
inline constexpr char kDefaultScheme[] = "default.kvo";
inline constexpr size_t kSchemeFileChars = 15;

// Field widths in characters.
inline constexpr size_t kAppNameChars = 127;
inline constexpr size_t kWindowClassChars = 63;
inline constexpr size_t kVersionChars = 7;
inline constexpr size_t kCommentsChars = 127;
inline constexpr size_t kShortcutNameChars = 63;
inline constexpr size_t kActionTextChars = 2047;
inline constexpr size_t kHotkeyFieldChars = 63;
inline constexpr size_t kShortcutSoundChars = 254;

struct SchemeHeader {
  std::string name;
  std::string windowClass;
  std::string version;
  int32_t type = 0;
  int32_t language = 0;
  int32_t level = 1;
  std::string comments;
};

enum ActionType : int32_t { kActionNone = 0, kActionMenu = 1, kActionHotkey = 2, kActionCommand = 3, kActionKeystrokes = 4 };

struct ShortcutRecord {
  std::string name = "[NULL]";
  int32_t symbolId = 0;
  std::string sound;
  int32_t type = kActionNone;
  std::string p0, p1, p2, p3;
  bool operator==(const ShortcutRecord&) const = default;
};

using ShortcutTable = std::array<ShortcutRecord, kSlotCount>;

// Reads [App] of the file; missing keys give the defaults.
SchemeHeader ReadHeaderFrom(const std::string& path);
// Writes [Strokewise] Info and [App] in the fixed key order, then flushes. `step` is called with
// 2 to 7 after each of the first six writes and 8 after the flush.
void WriteHeaderTo(const std::string& path, const SchemeHeader& header,
                   const std::function<void(int)>& step = {});
ShortcutRecord ReadShortcutFrom(const std::string& path, int slot);
void WriteShortcutTo(const std::string& path, int slot, const ShortcutRecord& record);

}  // namespace kurvo
