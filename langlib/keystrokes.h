// The keystroke engine behind Tamrin and Velsor: a queue of virtual-key codes, the parsers that
// fill it from keystroke text or plain text on the current keyboard layout, and the replay that
// turns the queue into key events.
#pragma once
#include <windows.h>

#include <cstdint>

namespace kvo {

constexpr int32_t kKeyQueueCapacity = 4096;
constexpr uint32_t kVkShift = 16;
constexpr uint32_t kVkControl = 17;
constexpr uint32_t kVkAlt = 18;
constexpr uint32_t kVkEnter = 13;

// Results of the parsers (and of the exports).
enum KeyResult : int32_t {
  kKeyOk = 0,
  kKeyUnterminatedGroup = 1,  // a "[" group reaches the end of the text
  kKeyUnknownName = 2,        // the key name of a "[" group is unknown
  kKeyBadCount = 4,           // the repeat count is 0 or not a number
  kKeyQueueFull = 5,          // more than 4096 entries
};

// Codes 16, 17 and 18 are modifier toggles; every other code is an ordinary key.
struct KeyEventQueue {
  uint32_t codes[kKeyQueueCapacity];
  int32_t write = 0;  // entries filled
  int32_t read = 0;   // next entry to replay

  void Reset() { write = read = 0; }
  bool Append(uint32_t code) {
    if (write >= kKeyQueueCapacity) return false;
    codes[write++] = code;
    return true;
  }
};

struct KeyName {
  const char* name;
  uint8_t code;
};
constexpr int kKeyNameCount = 64;
extern const KeyName KeyNameTable[kKeyNameCount];
constexpr int kMaxKeyNameLength = 23;

// The code of a key name, compared without regard to case, first match winning; -1 when absent.
int32_t FindKeyName(const char* name);

// The keyboard layout's key for a character, as VkKeyScanA answers: the virtual-key code in the
// low byte, the shift state (1 Shift, 2 Control, 4 Alt) in the high byte, -1 when untypeable.
using LayoutLookup = SHORT(WINAPI*)(CHAR);

// Keystroke text: "+", "^", "%" prefixes, "~" for Enter, "[NAME count]" groups, other characters
// typed as themselves. Resets the queue first.
int32_t ParseKeystrokes(const char* text, KeyEventQueue& queue, LayoutLookup layout = VkKeyScanA);

// Plain text: every character typed as itself, with Shift or AltGr as the layout needs.
// Resets the queue first.
int32_t ParseLiteralText(const char* text, KeyEventQueue& queue, LayoutLookup layout = VkKeyScanA);

// Receives each key event of a replay: virtual-key code and whether it is a key-up.
using KeySink = void (*)(uint32_t vk, bool up, void* context);

// Sends a key event through the system's keyboard injection.
void InjectKey(uint32_t vk, bool up, void* context);

// Replays the queue: ordinary keys are pressed and released at once; a modifier code toggles
// that modifier, which stays down from its first code to its second.
void ReplayKeyEvents(KeyEventQueue& queue, KeySink sink = InjectKey, void* context = nullptr);

}  // namespace kvo
