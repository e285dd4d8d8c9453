#include "keystrokes.h"

#include <windows.h>

namespace kvo {

const KeyName KeyNameTable[kKeyNameCount] = {
    {"CTRL", 17},     {"SHIFT", 16},    {"ALT", 18},      {"CAPSLOCK", 20}, {"NUMLOCK", 144},
    {"SCROLLOCK", 145}, {"SPACE", 32},  {"F1", 112},      {"F2", 113},      {"F3", 114},
    {"F4", 115},      {"F5", 116},      {"F6", 117},      {"F7", 118},      {"F8", 119},
    {"F9", 120},      {"F10", 121},     {"F11", 122},     {"F12", 123},     {"F13", 124},
    {"F14", 125},     {"F15", 126},     {"F16", 127},     {"DEL", 46},      {"PAUSE", 19},
    {"INSERT", 45},   {"LEFT", 37},     {"RIGHT", 39},    {"UP", 38},       {"DOWN", 40},
    {"PGUP", 33},     {"PGDN", 34},     {"HOME", 36},     {"END", 35},      {"ESC", 27},
    {"ENTER", 13},    {"HELP", 47},     {"PRTSC", 44},    {"TAB", 9},       {"BREAK", 17},
    {"CLEAR", 12},    {"BACKSPACE", 8}, {"SELECT", 41},   {"EXECUTE", 43},  {"0", 48},
    {"1", 49},        {"2", 50},        {"3", 51},        {"4", 52},        {"5", 53},
    {"6", 54},        {"7", 55},        {"8", 56},        {"9", 57},        {"NUMPAD0", 96},
    {"NUMPAD1", 97},  {"NUMPAD2", 98},  {"NUMPAD3", 99},  {"NUMPAD4", 100}, {"NUMPAD5", 101},
    {"NUMPAD6", 102}, {"NUMPAD7", 103}, {"NUMPAD8", 104}, {"NUMPAD9", 105},
};

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (Upper(*a) != Upper(*b)) return false;
  }
  return *a == *b;
}

// A key on the current layout: its code and whether Shift must be held for it.
struct LayoutKey {
  bool typeable = false;
  uint32_t code = 0;
  uint32_t shiftState = 0;  // 1 Shift, 2 Control, 4 Alt
};

LayoutKey KeyForChar(LayoutLookup layout, char c) {
  const SHORT scan = layout(c);
  LayoutKey key;
  if (scan == -1 || (scan & 0xFF) == 0xFF) return key;
  key.typeable = true;
  key.code = scan & 0xFF;
  key.shiftState = (scan >> 8) & 0xFF;
  return key;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads one keystroke text element after another into the queue.
class KeystrokeParser {
 public:
  KeystrokeParser(const char* text, KeyEventQueue& queue, LayoutLookup layout)
      : p_(text), q_(queue), layout_(layout) {}

  int32_t ParseAll() {
    while (*p_) {
      if (int32_t r = Element()) return r;
    }
    return kKeyOk;
  }

 private:
  int32_t Add(uint32_t code) { return q_.Append(code) ? kKeyOk : kKeyQueueFull; }

  int32_t Element() {
    switch (*p_) {
      case '+': return Modified(kVkShift);
      case '^': return Modified(kVkControl);
      case '%': return Modified(kVkAlt);
      case '~': ++p_; return Add(kVkEnter);
      case '[': return Group();
      default: return TypedChar(*p_++);
    }
  }

  // A modifier prefix wraps exactly one following element (none at the end of the text).
  int32_t Modified(uint32_t modifier) {
    ++p_;
    if (int32_t r = Add(modifier)) return r;
    if (*p_) {
      if (int32_t r = Element()) return r;
    }
    return Add(modifier);
  }

  int32_t TypedChar(char c) {
    const LayoutKey key = KeyForChar(layout_, c);
    if (!key.typeable) return kKeyOk;  // nothing on this layout types it: skipped
    return AddKey(key.code, (key.shiftState & 1) != 0, 1);
  }

  int32_t AddKey(uint32_t code, bool shift, long count) {
    if (shift) {
      if (int32_t r = Add(kVkShift)) return r;
    }
    for (long i = 0; i < count; ++i) {
      if (int32_t r = Add(code)) return r;
    }
    return shift ? Add(kVkShift) : kKeyOk;
  }

  // "[" name [blank count] "]"; "[]" names the key that types "]".
  int32_t Group() {
    ++p_;
    uint32_t code = 0;
    bool shift = false;
    bool bracketKey = false;
    if (*p_ == ']') {
      const LayoutKey key = KeyForChar(layout_, ']');
      if (!key.typeable) return kKeyUnknownName;
      code = key.code;
      shift = (key.shiftState & 1) != 0;
      bracketKey = true;
      ++p_;
    }

    // The name runs to the first blank, "]" or end of text; only 23 characters are kept.
    char name[kMaxKeyNameLength + 1];
    int length = 0;
    while (*p_ && *p_ != ' ' && *p_ != ']') {
      if (length < kMaxKeyNameLength) name[length] = *p_;
      ++length;
      ++p_;
    }
    if (!*p_) return kKeyUnterminatedGroup;
    name[length < kMaxKeyNameLength ? length : kMaxKeyNameLength] = '\0';

    if (!bracketKey) {
      const int32_t named = length <= kMaxKeyNameLength ? FindKeyName(name) : -1;
      if (named >= 0) {
        code = static_cast<uint32_t>(named);
      } else if (length == 1) {
        const LayoutKey key = KeyForChar(layout_, name[0]);
        if (!key.typeable) return kKeyUnknownName;
        code = key.code;
        shift = (key.shiftState & 1) != 0;
      } else {
        return kKeyUnknownName;
      }
    }

    long count = 1;
    if (*p_ == ' ') {
      ++p_;
      if (int32_t r = Count(&count)) return r;
    }

    // Anything between the count and "]" is ignored; a missing "]" is an unterminated group.
    while (*p_ && *p_ != ']') ++p_;
    if (!*p_) return kKeyUnterminatedGroup;
    ++p_;
    return AddKey(code, shift, count);
  }

  // A decimal count: leading blanks, one sign, digits up to the first non-digit.
  int32_t Count(long* count) {
    while (IsBlank(*p_)) ++p_;
    bool negative = false;
    if (*p_ == '+' || *p_ == '-') negative = *p_++ == '-';
    if (*p_ < '0' || *p_ > '9') return kKeyBadCount;
    long value = 0;
    for (; *p_ >= '0' && *p_ <= '9'; ++p_) {
      if (value <= kKeyQueueCapacity) value = value * 10 + (*p_ - '0');  // more can never fit
    }
    if (value == 0) return kKeyBadCount;
    if (negative) return kKeyQueueFull;  // would fill the queue without end
    *count = value;
    return kKeyOk;
  }

  const char* p_;
  KeyEventQueue& q_;
  LayoutLookup layout_;
};

}  // namespace

int32_t FindKeyName(const char* name) {
  for (const KeyName& entry : KeyNameTable) {
    if (SameName(entry.name, name)) return entry.code;
  }
  return -1;
}

int32_t ParseKeystrokes(const char* text, KeyEventQueue& queue, LayoutLookup layout) {
  queue.Reset();
  if (!text) return kKeyOk;
  return KeystrokeParser(text, queue, layout).ParseAll();
}

int32_t ParseLiteralText(const char* text, KeyEventQueue& queue, LayoutLookup layout) {
  queue.Reset();
  if (!text) return kKeyOk;
  for (const char* p = text; *p; ++p) {
    const LayoutKey key = KeyForChar(layout, *p);
    if (!key.typeable) continue;  // nothing on this layout types it
    uint32_t codes[5];
    int n = 0;
    if (key.shiftState == 1) {
      codes[n++] = kVkShift, codes[n++] = key.code, codes[n++] = kVkShift;
    } else if (key.shiftState == 6) {
      codes[n++] = kVkControl, codes[n++] = kVkAlt, codes[n++] = key.code;
      codes[n++] = kVkControl, codes[n++] = kVkAlt;
    } else {
      codes[n++] = key.code;
    }
    for (int i = 0; i < n; ++i) {
      if (!queue.Append(codes[i])) return kKeyQueueFull;
    }
  }
  return kKeyOk;
}

void InjectKey(uint32_t vk, bool up, void*) {
  keybd_event(static_cast<BYTE>(vk), static_cast<BYTE>(MapVirtualKeyA(vk, 0)),
              up ? KEYEVENTF_KEYUP : 0, 0);
}

void ReplayKeyEvents(KeyEventQueue& queue, KeySink sink, void* context) {
  queue.read = 0;
  bool shift = false, control = false, alt = false;
  uint32_t owed = 0;  // ordinary key whose key-up is still to be sent
  bool keyUpOwed = false;
  for (;;) {
    if (keyUpOwed) {
      sink(owed, true, context);
      keyUpOwed = false;
      continue;
    }
    if (queue.read >= queue.write) return;
    const uint32_t code = queue.codes[queue.read++];
    bool* modifier = code == kVkShift ? &shift : code == kVkControl ? &control : code == kVkAlt ? &alt : nullptr;
    if (modifier) {
      *modifier = !*modifier;
      sink(code, !*modifier, context);
    } else {
      sink(code, false, context);
      owed = code;
      keyUpOwed = true;
    }
  }
}

}  // namespace kvo
