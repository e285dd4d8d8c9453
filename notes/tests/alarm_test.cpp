// Alarm markers: grammar, due moments with the clock set by the test, firing and presentation.
#include <gtest/gtest.h>

#include "alarms.h"
#include "dialog_answerer.h"
#include "note_storage.h"
#include "pump.h"
#include "quill_ids.h"
#include "test_notes.h"

namespace quill::test {
namespace {

SYSTEMTIME At(int year, int month, int day, int hour = 0, int minute = 0) {
  FixedClock c;
  c.Set(year, month, day, hour, minute);
  return c.now;
}

bool DueAt(const std::string& text, const SYSTEMTIME& now) {
  AlarmMarker m;
  return FindDueAlarm(text, now, &m) != std::string::npos;
}

TEST(AlarmMarkerTest, DateOrderFollowsTheFirstSeparator) {
  AlarmMarker m;
  ASSERT_TRUE(ParseAlarmMarker("@24/12/26 gifts", 0, 2026, &m));
  EXPECT_EQ(m.day, 24);
  EXPECT_EQ(m.month, 12);
  EXPECT_EQ(m.year, 2026);
  EXPECT_FALSE(m.timed);
  EXPECT_EQ(m.message, " gifts");
  ASSERT_TRUE(ParseAlarmMarker("@12.24/26", 0, 2026, &m));
  EXPECT_EQ(m.day, 24);
  EXPECT_EQ(m.month, 12);
  ASSERT_TRUE(ParseAlarmMarker("@07/12/26-09:45 call\xA3next line", 0, 2026, &m));
  EXPECT_TRUE(m.timed);
  EXPECT_EQ(m.hour, 9);
  EXPECT_EQ(m.minute, 45);
  EXPECT_EQ(m.message, " call");
  // An incomplete time part leaves a date-only marker whose message starts at the dash.
  ASSERT_TRUE(ParseAlarmMarker("@07/12/26-09:4x", 0, 2026, &m));
  EXPECT_FALSE(m.timed);
  EXPECT_EQ(m.message, "-09:4x");
  for (const char* bad : {"@7/12/26", "@07-12-26", "@07/12/2", "@0a/12/26", "@07/12,26", "07/12/26"})
    EXPECT_FALSE(ParseAlarmMarker(bad, 0, 2026, &m)) << bad;
  // The message ends at 256 characters.
  ASSERT_TRUE(ParseAlarmMarker("@01/01/26" + std::string(300, 'm'), 0, 2026, &m));
  EXPECT_EQ(m.message.size(), 256u);
}

TEST(AlarmMarkerTest, TwoDigitYearIsTheNearestToToday) {
  EXPECT_EQ(MarkerYear(26, 2026), 2026);
  EXPECT_EQ(MarkerYear(76, 2026), 2076);
  EXPECT_EQ(MarkerYear(77, 2026), 1977);
  EXPECT_EQ(MarkerYear(99, 2026), 1999);
  EXPECT_EQ(MarkerYear(0, 2026), 2000);
  EXPECT_EQ(MarkerYear(0, 1999), 2000);
  EXPECT_EQ(MarkerYear(50, 1999), 1950);
  // Next Christmas is not due today; year 00 is long past and fires.
  EXPECT_FALSE(DueAt("@25/12/26", At(2026, 12, 7)));
  EXPECT_TRUE(DueAt("@01/01/00", At(2026, 12, 7)));
  EXPECT_TRUE(DueAt("@31/12/99", At(2026, 12, 7)));
}

TEST(AlarmMarkerTest, DueFromItsDayOrItsMinute) {
  EXPECT_FALSE(DueAt("@08/12/26", At(2026, 12, 7, 23, 59)));
  EXPECT_TRUE(DueAt("@08/12/26", At(2026, 12, 8, 0, 0)));
  EXPECT_TRUE(DueAt("@12.08.26", At(2026, 12, 8, 0, 0)));
  EXPECT_FALSE(DueAt("@08.12.26", At(2026, 8, 11)));  // "." reads month first: 12 August
  EXPECT_TRUE(DueAt("@08.12.26", At(2026, 8, 12)));
  EXPECT_FALSE(DueAt("@08/12/26", At(2026, 8, 12)));
  EXPECT_FALSE(DueAt("@08/12/26-10:31", At(2026, 12, 8, 10, 30)));
  EXPECT_TRUE(DueAt("@08/12/26-10:31", At(2026, 12, 8, 10, 31)));
  EXPECT_TRUE(DueAt("@08/12/26-09:59", At(2026, 12, 8, 10, 0)));
  EXPECT_FALSE(DueAt("@08/12/26-11:00", At(2026, 12, 8, 10, 59)));
  EXPECT_TRUE(DueAt("@30/11/26-23:00", At(2026, 12, 8, 0, 0)));
  EXPECT_FALSE(DueAt("#08/12/26", At(2026, 12, 9)));  // a fired marker
}

TEST(AlarmMarkerTest, CaretCountsLineBreaksAsTwo) {
  EXPECT_EQ(CaretOffset("ab\xA3" "cd\xA3\xA3@", 7), 10);
  EXPECT_EQ(CaretOffset("\xFF" "x@", 2), 2);
}

using AlarmScanTest = NotesTest;

TEST_F(AlarmScanTest, FirstDueAlarmInNotePagePositionOrderFiresOnce) {
  clock.Set(2026, 12, 7, 10, 30);
  WriteNoteValue(t, "Quill Red", "Text0", "@01/12/26 red");
  WriteNoteValue(t, "Quill Green", "Text6", "@09/12/26 later \xA3 x @06/12/26-08:00  :\tgreen");
  WriteNoteValue(t, "Quill Green", "Text2", "no marker @07/12/2");
  ASSERT_TRUE(ScanAlarms(t));
  EXPECT_EQ(t.alarm.note, 1);
  EXPECT_EQ(t.alarm.page, 6);
  EXPECT_EQ(t.alarm.caret, 21);
  EXPECT_STREQ(t.alarm.message, "  :\tgreen");
  EXPECT_EQ(ReadNoteValue(t, "Quill Green", "Text6"),
            "@09/12/26 later \xA3 x #06/12/26-08:00  :\tgreen");
  ASSERT_TRUE(ScanAlarms(t));  // the next due one: the red note
  EXPECT_EQ(t.alarm.note, 3);
  EXPECT_FALSE(ScanAlarms(t));
  EXPECT_FALSE(t.alarm.fired);
  clock.Set(2026, 12, 9, 0, 0);
  ASSERT_TRUE(ScanAlarms(t));
  EXPECT_EQ(t.alarm.caret, 0);
}

TEST_F(AlarmScanTest, StartUpOpensTheAlarmPageWithTheCaretBeforeTheMark) {
  clock.Set(2026, 12, 7, 10, 30);
  WriteNoteValue(t, "Quill Blue", "Text3", "first\xA3@07/12/26-10:30 Dentist");
  sw::test::DialogAnswerer answerer;
  Start();
  ASSERT_EQ(answerer.Count(), 1u);
  EXPECT_EQ(answerer.Seen()[0].caption, "Alarm warning is reached !");
  EXPECT_EQ(answerer.Seen()[0].text, "Dentist");
  NoteRecord& blue = t.notes[2];
  ASSERT_TRUE(blue.inUse);
  EXPECT_EQ(blue.page, 3);
  EXPECT_EQ(EditText(2), "first\r\n#07/12/26-10:30 Dentist");
  EXPECT_TRUE(IsWindowVisible(blue.window));
  DWORD from = 0, to = 0;
  SendMessageA(Edit(2), EM_GETSEL, WPARAM(&from), LPARAM(&to));
  EXPECT_EQ(from, 7u);
  EXPECT_EQ(to, 7u);
}

TEST_F(AlarmScanTest, TimerAlarmForANoteWithoutWindowCreatesItAndHidesTheOthers) {
  clock.Set(2026, 12, 7, 10, 30);
  WriteNoteValue(t, "Quill", "Text0", "main");
  Start();
  sw::test::PumpMessages(50);
  ASSERT_TRUE(IsWindowVisible(t.notes[0].window));
  EXPECT_FALSE(t.notes[3].inUse);
  WriteNoteValue(t, "Quill Red", "Text1", "@07/12/26-10:31    ");
  sw::test::DialogAnswerer answerer;
  SendMessageA(t.notes[0].window, WM_TIMER, TIMER_SAVE, 0);
  EXPECT_EQ(answerer.Count(), 0u);  // not yet due
  clock.Set(2026, 12, 7, 10, 31);
  SendMessageA(t.notes[0].window, WM_TIMER, TIMER_SAVE, 0);
  ASSERT_EQ(answerer.Count(), 1u);
  EXPECT_EQ(answerer.Seen()[0].caption, "Alarm");
  EXPECT_EQ(answerer.Seen()[0].text, "Alarm warning is reached !");
  EXPECT_TRUE(t.notes[3].inUse);
  EXPECT_EQ(t.notes[3].page, 1);
  EXPECT_TRUE(IsWindowVisible(t.notes[3].window));
  EXPECT_FALSE(IsWindowVisible(t.notes[0].window));
  EXPECT_EQ(ReadNoteValue(t, "Quill Red", "Text1"), "#07/12/26-10:31    ");
}

}  // namespace
}  // namespace quill::test
