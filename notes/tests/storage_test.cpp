// Values kept through the settings file and the store, buffers, command line, text files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "damaged_files.h"
#include "dialog_answerer.h"
#include "note_settings.h"
#include "note_storage.h"
#include "quill_ids.h"
#include "quillnote_app.h"
#include "temp_dir.h"
#include "test_notes.h"
#include "text_files.h"

namespace quill::test {
namespace {

TEST(SettingsTest, NumbersReadAsSignAndDigits) {
  EXPECT_EQ(ParseNumber("  42"), 42);
  EXPECT_EQ(ParseNumber("-17x"), -17);
  EXPECT_EQ(ParseNumber("+5"), 5);
  EXPECT_EQ(ParseNumber("abc"), 0);
  EXPECT_EQ(ParseNumber(""), 0);
  EXPECT_EQ(ParseNumber("99999999999"), INT32_MAX);
}

TEST(CommandLineTest, SettingsNameIsTrimmedAndRefusedWhenTooLong) {
  std::string name = "QUILL.INI";
  EXPECT_EQ(SettingsNameFromCommandLine("", &name), CommandLineResult::Default);
  EXPECT_EQ(SettingsNameFromCommandLine("   ", &name), CommandLineResult::Default);
  EXPECT_EQ(name, "QUILL.INI");
  EXPECT_EQ(SettingsNameFromCommandLine(" \"WORK.INI\" ", &name), CommandLineResult::Named);
  EXPECT_EQ(name, "WORK.INI");
  EXPECT_EQ(SettingsNameFromCommandLine("ABCDEFGHIJK.INI", &name), CommandLineResult::Named);
  EXPECT_EQ(SettingsNameFromCommandLine("ABCDEFGHIJKL.INI", &name), CommandLineResult::TooLong);
  EXPECT_EQ(name, "ABCDEFGHIJK.INI");
  NoteTable t;
  EXPECT_FALSE(SetSettingsFile(t, "ABCDEFGHIJKL.INI"));
  EXPECT_STREQ(t.settingsFile, "QUILL.INI");
}

TEST(TextFileTest, DefaultExtensionOnlyWhenTheLastComponentHasNone) {
  auto with = [](const char* in) {
    char p[kField];
    lstrcpynA(p, in, kField);
    AddDefaultExtension(p, kField);
    return std::string(p);
  };
  EXPECT_EQ(with("C:\\notes\\list"), "C:\\notes\\list.TXT");
  EXPECT_EQ(with("C:\\notes\\list.md"), "C:\\notes\\list.md");
  EXPECT_EQ(with("C:\\my.dir\\list"), "C:\\my.dir\\list.TXT");
  EXPECT_EQ(with("C:list"), "C:list.TXT");
  std::string full(kField - 2, 'a');  // no room left: unchanged, never overrun
  EXPECT_EQ(with(full.c_str()), full);
}

using StorageTest = NotesTest;

TEST_F(StorageTest, SettingsValueWinsUntilThePageIsNextWritten) {
  ASSERT_TRUE(WriteNoteValue(t, "Quill", "Text0", "from store"));
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "from store");
  Set("Quill", "Text0", "from settings");
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "from settings");
  ASSERT_TRUE(WriteNoteValue(t, "Quill", "Text0", "written"));
  EXPECT_EQ(Get("Quill", "Text0"), "");
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "written");
  ASSERT_TRUE(WriteNoteValue(t, "Quill", "Text0", ""));
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text0"), "");
  EXPECT_TRUE(ReadStoreRecords(t.store).empty());
}

TEST_F(StorageTest, DeletingANoteRemovesItsSectionAndRecordsOnly) {
  Set("Quill Green", "TopMost", "0");
  Set("Quill", "TopMost", "1");
  WriteNoteValue(t, "Quill Green", "Text0", "g0");
  WriteNoteValue(t, "Quill Green", "Text5", "g5");
  WriteNoteValue(t, "Quill", "Text0", "main");
  DeleteNoteValues(t, "Quill Green");
  EXPECT_EQ(Get("Quill Green", "TopMost"), "");
  EXPECT_EQ(Get("Quill", "TopMost"), "1");
  auto records = ReadStoreRecords(t.store);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].first, "Quill_Text0");
}

TEST_F(StorageTest, BuffersGrowByKilobytesAndStoredLongTextsGrowPageSize) {
  EXPECT_TRUE(EnsureTextCapacity(t, 2027));
  EXPECT_FALSE(EnsureTextCapacity(t, 2028));
  EXPECT_EQ(t.pageSize, 3072u);
  EXPECT_EQ(t.editBuffer.size(), 3072u);
  // A store made elsewhere may hold a text longer than our buffers: it is read whole.
  std::string big(10000, 'q');
  ASSERT_TRUE(RewriteStore(t.store, "Quill_Text3", false, big, 64));
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text3"), big);
  EXPECT_GT(t.pageSize, big.size() + 20);
}

TEST_F(StorageTest, LongSettingsTextsAreReadWhole) {
  std::string big(5000, 's');
  Set("Quill", "Text2", big);
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text2"), big);
  EXPECT_GT(t.pageSize, big.size() + 20);
}

TEST_F(StorageTest, StoredPageSizeIsBounded) {
  for (auto [stored, expected] : {std::pair<const char*, uint32_t>{"-5", 2048}, {"10", 2048},
                                  {"4096", 4096}, {"999999999", kMaxPageSize}}) {
    Set("Quill", "PageSize", stored);
    Set("Quill", "ShowStartup", "0");
    t.pageSize = kDefaultPageSize;
    Start();
    EXPECT_EQ(t.pageSize, expected) << stored;
    EXPECT_EQ(t.editBuffer.size(), expected);
    Stop();
  }
}

TEST_F(StorageTest, TextFilesLoadIntoTheSelectionAndSaveAsTyped) {
  Set("Quill", "ShowStartup", "0");
  Start();
  sw::test::TempDir dir;
  std::string in = dir.Write("in.txt", "line 1\r\nline 2");
  SetWindowTextA(Edit(0), "[]");
  SendMessageA(Edit(0), EM_SETSEL, 1, 1);
  ASSERT_TRUE(InsertTextFile(t, t.notes[0].window, in.c_str()));
  EXPECT_EQ(EditText(0), "[line 1\r\nline 2]");
  EXPECT_FALSE(InsertTextFile(t, t.notes[0].window, dir.File("missing.txt").c_str()));
  ASSERT_TRUE(WriteTextFile(t, t.notes[0].window, dir.File("out.txt").c_str()));
  std::string out;
  ASSERT_TRUE(sw::test::ReadFileBytes(dir.File("out.txt"), &out));
  EXPECT_EQ(out, "[line 1\r\nline 2]");
  EXPECT_FALSE(WriteTextFile(t, t.notes[0].window, dir.File("gone\\out.txt").c_str()));
}

TEST_F(StorageTest, DamagedStoreIsSetAsideAndWhatWasReadIsSavedAnew) {
  // 22 records: ten main pages, ten green ones, two blue ones.
  const char* sections[] = {"Quill", "Quill Green", "Quill Blue"};
  for (int n = 0; n < 22; ++n) {
    std::string key = "Text" + std::to_string(n % 10);
    ASSERT_TRUE(WriteNoteValue(t, sections[n / 10], key.c_str(), "text " + std::to_string(n)));
  }
  std::string bytes;
  ASSERT_TRUE(sw::test::ReadFileBytes(t.store.path, &bytes));
  size_t at = 0;
  for (int n = 0; n < 3; ++n) {  // past three records to the fourth one's value length
    uint32_t key = 0, value = 0;
    memcpy(&key, &bytes[at], 4);
    memcpy(&value, &bytes[at + 4 + key], 4);
    at += 8 + key + value;
  }
  uint32_t key = 0, wrong = 0x7FFFFFF0;
  memcpy(&key, &bytes[at], 4);
  memcpy(&bytes[at + 4 + key], &wrong, 4);
  ASSERT_TRUE(sw::test::WriteFileBytes(t.store.path, bytes));

  sw::test::DialogAnswerer answerer;
  Set("Quill", "ShowStartup", "0");
  Start();
  ASSERT_EQ(answerer.Count(), 1u);
  const std::string kept = t.store.path + ".damaged";
  EXPECT_NE(answerer.Seen()[0].text.find(t.store.path + " could not be read whole"),
            std::string::npos) << answerer.Seen()[0].text;
  EXPECT_NE(answerer.Seen()[0].text.find("kept unchanged as " + kept), std::string::npos);
  EXPECT_NE(answerer.Seen()[0].text.find("The 22 page texts"), std::string::npos);
  EXPECT_TRUE(t.notes[1].inUse);
  EXPECT_TRUE(t.notes[2].inUse);
  EXPECT_EQ(EditText(2), "text 20");

  SetWindowTextA(Edit(2), "typed");
  SendMessageA(t.notes[0].window, WM_TIMER, TIMER_SAVE, 0);
  auto records = ReadStoreRecords(t.store);
  EXPECT_EQ(records.size(), 22u);
  EXPECT_EQ(ReadNoteValue(t, "Quill Blue", "Text0"), "typed");
  EXPECT_EQ(ReadNoteValue(t, "Quill", "Text3"), "text 3");
  std::string keptBytes;
  ASSERT_TRUE(sw::test::ReadFileBytes(kept, &keptBytes));
  EXPECT_EQ(keptBytes, bytes);  // never written over
  EXPECT_EQ(answerer.Count(), 1u);  // said once
  DeleteFileA(kept.c_str());
}

TEST(SettingsFileTest, LinesTheProfileFunctionsCannotReadAreFound) {
  EXPECT_EQ(FirstDamagedSettingsLine(""), 0);
  EXPECT_EQ(FirstDamagedSettingsLine("[Quill]\r\nTopMost=1\r\n\r\n; note\r\n[Red]\r\n a = b \r\n"),
            0);
  EXPECT_EQ(FirstDamagedSettingsLine("TopMost=1\r\n[Quill]\r\n"), 1);  // before any section
  EXPECT_EQ(FirstDamagedSettingsLine("[Quill]\r\nTopMost=1\r\n[Quill Red\r\n"), 3);
  EXPECT_EQ(FirstDamagedSettingsLine("[Quill]\nPosX=1\n\x7F\x01\x02garbage\n"), 3);
  EXPECT_EQ(FirstDamagedSettingsLine(std::string("[Quill]\r\nText0=ab\0cd\r\n", 22)), 2);
  EXPECT_EQ(FirstDamagedSettingsLine("[Quill]\r\nno value here\r\n"), 2);
}

TEST_F(StorageTest, DamagedSettingsFileIsSaidOnceNamingItAndKeptAside) {
  Set("Quill", "ShowStartup", "0");
  Set("Quill", "TopMost", "0");
  Set("Quill Green", "TopMost", "0");
  FlushSettings(t);
  std::string bytes;
  const std::string path = SettingsPath(t);
  ASSERT_TRUE(sw::test::ReadFileBytes(path, &bytes));
  size_t green = bytes.find("[Quill Green]");
  ASSERT_NE(green, std::string::npos);
  bytes.insert(green, std::string("\x01\0\x9C\xFE junk\r\n", 10));
  ASSERT_TRUE(sw::test::WriteFileBytes(path, bytes));
  int line = 1 + int(std::count(bytes.begin(), bytes.begin() + long(green), '\n'));

  sw::test::DialogAnswerer answerer;
  Start();
  ASSERT_EQ(answerer.Count(), 1u);
  EXPECT_NE(answerer.LastText().find("The settings file " + path + " is damaged: line " +
                                     std::to_string(line) + " "),
            std::string::npos) << answerer.LastText();
  EXPECT_NE(answerer.LastText().find("kept as " + path + ".damaged."), std::string::npos);
  std::string kept;
  ASSERT_TRUE(sw::test::ReadFileBytes(path + ".damaged", &kept));
  EXPECT_EQ(kept, bytes);
  EXPECT_FALSE(t.notes[0].topMost);
  // Written back by the platform, the line has lost its zero byte and what followed: the file
  // is still said to be damaged, but there is nothing more to keep.
  Stop();
  Start();
  EXPECT_EQ(answerer.Count(), 2u);
  EXPECT_FALSE(sw::test::FileExists(path + ".damaged2"));
  DeleteFileA((path + ".damaged").c_str());
}

TEST_F(StorageTest, LoadedFilesKeepTheirLinesAndAllTheyHoldAndWhatChangedIsSaid) {
  Set("Quill", "ShowStartup", "0");
  Start();
  sw::test::TempDir dir;
  sw::test::DialogAnswerer answerer;
  HWND w = t.notes[0].window;
  SetWindowTextA(Edit(0), "");
  ASSERT_TRUE(InsertTextFile(t, w, dir.Write("lines.txt", "one\ntwo\rthree\r\nfour").c_str()));
  EXPECT_EQ(EditText(0), "one\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(answerer.Count(), 0u);  // the text is as it was: nothing to say
  EXPECT_EQ(PrepareLoadedText("ab\r\ncd", 3).text, "ab");  // never cut inside a line break

  // Past 32 767 bytes and past a zero byte the text goes on, and is stored whole.
  std::string big = std::string("a\0b", 3);
  while (big.size() < 40000) big += "\r\n" + std::string(78, 'c');
  big += "end";
  SetWindowTextA(Edit(0), "");
  ASSERT_TRUE(InsertTextFile(t, w, dir.Write("big.txt", big).c_str()));
  std::string shown = ReadEditText(t, Edit(0));
  EXPECT_EQ(shown.size(), big.size());
  EXPECT_EQ(shown.substr(0, 3), "a b");
  EXPECT_EQ(shown.substr(shown.size() - 3), "end");
  ASSERT_EQ(answerer.Count(), 1u);
  EXPECT_NE(answerer.LastText().find("big.txt was loaded with changes:\n\n1 zero byte became a "
                                     "space."), std::string::npos) << answerer.LastText();
  SendMessageA(w, WM_COMMAND, CMD_SAVE, 0);
  EXPECT_EQ(DecodeNoteText(ReadNoteValue(t, "Quill", "Text0")), shown);

  // More than a page holds (here a lowered limit): cut at the limit, after what the page had.
  t.maxPageText = 1000;
  std::string huge;
  for (int i = 0; i < 20; ++i) huge += std::string(79, 'h') + "\n";  // 1600 bytes
  SetWindowTextA(Edit(0), "12345");
  SendMessageA(Edit(0), EM_SETSEL, 5, 5);
  ASSERT_TRUE(InsertTextFile(t, w, dir.Write("huge.txt", huge).c_str()));
  EXPECT_EQ(GetWindowTextLengthA(Edit(0)), 1000);  // 12 lines and 23 bytes of the 13th
  EXPECT_NE(answerer.LastText().find("Only the first 983 of its 1600 bytes were loaded: a page "
                                     "holds at most 1000 characters."), std::string::npos)
      << answerer.LastText();
}

TEST_F(StorageTest, SaveNoteWritesSettingsAndThePage) {
  Set("Quill", "ShowStartup", "0");
  Start();
  NoteRecord& r = t.notes[0];
  SetWindowTextA(Edit(0), "hello\r\n\tworld\xA3");
  r.shownSinceSave = false;
  SaveNote(t, r);
  EXPECT_EQ(Get("Quill", "PosX"), "");  // not shown since the last save
  EXPECT_EQ(Get("Quill", "TopMost"), "1");
  EXPECT_EQ(Get("Quill", "lfHeight"), "16");
  EXPECT_EQ(Get("Quill", "lfWeight"), "400");
  EXPECT_EQ(Get("Quill", "ShowStartup"), "0");
  EXPECT_EQ(Get("Quill", "OneTray"), "0");
  EXPECT_EQ(Get("Quill", "Title0"), "Page 1");
  EXPECT_EQ(Get("Quill", "PageSize"), "2048");
  std::string v;
  ASSERT_TRUE(ReadStoreValue(t.store, "Quill_Text0", &v));
  EXPECT_EQ(v, "hello\xA3 world\xFF");
  SendMessageA(r.window, WM_COMMAND, 201, 0);  // Open
  SetWindowPos(r.window, nullptr, 30, 40, 220, 180, SWP_NOZORDER | SWP_NOACTIVATE);
  SaveNote(t, r);
  EXPECT_EQ(Get("Quill", "PosX"), "30");
  EXPECT_EQ(Get("Quill", "SizeY"), "180");
  EXPECT_EQ(Get("Quill", "Page"), "0");
  EXPECT_FALSE(r.shownSinceSave);
}

}  // namespace
}  // namespace quill::test
