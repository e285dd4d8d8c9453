#include "alarms.h"

#include <cstdio>
#include <cstring>

#include "note_lifecycle.h"
#include "note_storage.h"
#include "pages.h"
#include "quill_ids.h"

namespace quill {
namespace {

bool TwoDigits(std::string_view s, size_t at, int* v) {
  if (at + 2 > s.size()) return false;
  char a = s[at], b = s[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return false;
  *v = (a - '0') * 10 + (b - '0');
  return true;
}

bool DateSeparator(char c) { return c == '.' || c == '/'; }

}  // namespace

int MarkerYear(int twoDigits, int currentYear) {
  int year = currentYear - currentYear % 100 + twoDigits;
  if (year > currentYear + 50) year -= 100;
  if (year < currentYear - 49) year += 100;
  return year;
}

bool ParseAlarmMarker(std::string_view s, size_t pos, int currentYear, AlarmMarker* m) {
  int first = 0, second = 0, year = 0;
  if (pos + 9 > s.size() || s[pos] != '@' || !TwoDigits(s, pos + 1, &first) ||
      !DateSeparator(s[pos + 3]) || !TwoDigits(s, pos + 4, &second) ||
      !DateSeparator(s[pos + 6]) || !TwoDigits(s, pos + 7, &year))
    return false;
  bool dayFirst = s[pos + 3] == '/';
  m->day = dayFirst ? first : second;
  m->month = dayFirst ? second : first;
  m->year = MarkerYear(year, currentYear);
  m->timed = pos + 15 <= s.size() && s[pos + 9] == '-' && TwoDigits(s, pos + 10, &m->hour) &&
             s[pos + 12] == ':' && TwoDigits(s, pos + 13, &m->minute);
  if (!m->timed) m->hour = m->minute = 0;
  size_t start = pos + (m->timed ? 15 : 9);
  size_t end = start;
  while (end < s.size() && end - start < 256 && s[end] != '\xA3' && s[end] != 0) ++end;
  m->message.assign(s.substr(start, end - start));
  return true;
}

bool AlarmDue(const AlarmMarker& m, const SYSTEMTIME& now) {
  if (m.year != now.wYear) return m.year < now.wYear;
  if (m.month != now.wMonth) return m.month < now.wMonth;
  if (m.day != now.wDay) return m.day < now.wDay;
  if (!m.timed) return true;
  if (m.hour != now.wHour) return m.hour < now.wHour;
  return m.minute <= now.wMinute;
}

size_t FindDueAlarm(std::string_view text, const SYSTEMTIME& now, AlarmMarker* marker) {
  for (size_t p = text.find('@'); p != std::string_view::npos; p = text.find('@', p + 1))
    if (ParseAlarmMarker(text, p, now.wYear, marker) && AlarmDue(*marker, now)) return p;
  return std::string_view::npos;
}

int32_t CaretOffset(std::string_view text, size_t pos) {
  int32_t offset = 0;
  for (size_t i = 0; i < pos && i < text.size(); ++i) offset += text[i] == '\xA3' ? 2 : 1;
  return offset;
}

bool ScanAlarms(NoteTable& t) {
  t.alarm.fired = false;
  SYSTEMTIME now = t.clock->Now();
  char key[16];
  AlarmMarker marker;
  for (int note = 0; note < kNoteCount; ++note) {
    const char* section = kNoteKinds[note].section;
    for (int page = 0; page < kPageCount; ++page) {
      snprintf(key, sizeof key, "Text%d", page);
      if (FindDueAlarm(ReadNoteValue(t, section, key), now, &marker) == std::string::npos) continue;
      // Every note is hidden (and saved) first; the page is then read again as stored.
      for (NoteRecord& r : t.notes)
        if (r.inUse && r.window) SendMessageA(r.window, WM_CLOSE, 0, 0);
      std::string text = ReadNoteValue(t, section, key);
      size_t pos = FindDueAlarm(text, now, &marker);
      if (pos == std::string::npos) continue;
      text[pos] = '#';
      WriteNoteValue(t, section, key, text);
      t.alarm.fired = true;
      t.alarm.note = note;
      t.alarm.page = page;
      t.alarm.caret = CaretOffset(text, pos);
      lstrcpynA(t.alarm.message, DecodeNoteText(marker.message).c_str(), sizeof t.alarm.message);
      return true;
    }
  }
  return false;
}

void PresentAlarm(NoteTable& t, bool fromTimer) {
  if (!t.alarm.fired) return;
  int index = t.alarm.note;
  NoteRecord& r = t.notes[index];
  if (fromTimer) {
    // A note without a window (destroyed, or not created this run) is created for its alarm.
    if (!r.inUse) CreateNote(t, index);
    r.page = t.alarm.page;
    LoadPage(t, r);
    SendMessageA(r.window, WM_COMMAND, CMD_OPEN, 0);
  }
  const char* message = t.alarm.message;
  while (*message == ' ' || *message == ':' || *message == '\t') ++message;
  const char* reached = "Alarm warning is reached !";
  if (*message) MessageBoxA(r.window, message, reached, MB_OK | MB_ICONWARNING);
  else MessageBoxA(r.window, reached, "Alarm", MB_OK | MB_ICONWARNING);
  HWND edit = NoteEdit(r.window);
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, WPARAM(t.alarm.caret), LPARAM(t.alarm.caret));
  SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  t.alarm.fired = false;
}

}  // namespace quill
