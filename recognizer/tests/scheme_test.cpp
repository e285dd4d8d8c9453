// Scheme files: reading and writing, the scan under two scheme languages, and the choice of a
// scheme for a window.
#include <gtest/gtest.h>

#include <algorithm>

#include "kurvo_fixture.h"
#include "scheme_file.h"
#include "scheme_list.h"
#include "schemes.h"
#include "temp_dir.h"

using namespace kurvo;
using namespace kurvo::test;

TEST(SchemeFile, SlotsWrittenThenReadGiveTheSameRecords) {
  sw::test::TempDir dir;
  std::string path = dir.File("app0.kvo");
  ShortcutTable written;
  for (int i = 0; i < kSlotCount; ++i) {
    ShortcutRecord& r = written[i];
    r.name = "Slot " + std::to_string(i);
    r.symbolId = i % 8;
    r.type = i % 5;
    r.p0 = i == 3 ? "ab\\ncd\\tef\\x\\\\" : "text" + std::to_string(i);
    r.p1 = i % 2 ? "CTRL" : "";
    r.p2 = "F" + std::to_string(i);
    r.sound = i == 4 ? "C:\\snd\\ding.wav" : "";
  }
  for (int i = 0; i < kSlotCount; ++i) WriteShortcutTo(path, i, written[i]);
  for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(ReadShortcutFrom(path, i), written[i]) << "slot " << i;
  EXPECT_EQ(ReadShortcutFrom(path, 3).p0, "ab\\ncd\\tef\\x\\\\");

  std::string text;
  ASSERT_TRUE(sw::test::ReadFileBytes(path, &text));
  size_t at = text.find("[S7]");
  ASSERT_NE(at, std::string::npos);
  std::string section = text.substr(at, text.find("[S8]") - at);
  // Keys in their fixed order.
  size_t last = 0;
  for (const char* key : {"Name=", "ID=", "Type=", "P0=", "P1=", "P2=", "P3=", "Sound="}) {
    size_t pos = section.find(std::string("\n") + key);
    ASSERT_NE(pos, std::string::npos) << key;
    EXPECT_GT(pos, last) << key;
    last = pos;
  }
}

TEST(SchemeFile, MissingKeysGiveDefaultsAndOverlongFieldsAreCut) {
  sw::test::TempDir dir;
  std::string path = dir.Write("x1.kvo",
                               "[App]\r\nName=" + std::string(200, 'n') + "\r\nVer=12345678901\r\n"
                               "[S2]\r\nName=" + std::string(100, 'm') + "\r\nID=7\r\n[S25]\r\nName=never\r\n");
  SchemeHeader h = ReadHeaderFrom(path);
  EXPECT_EQ(h.name, std::string(127, 'n'));
  EXPECT_EQ(h.version, "1234567");
  EXPECT_EQ(h.level, 1);  // no Advanced
  EXPECT_EQ(h.type, 0);
  EXPECT_EQ(h.windowClass, "");
  ShortcutRecord empty = ReadShortcutFrom(path, 0);
  EXPECT_EQ(empty.name, "[NULL]");
  EXPECT_EQ(empty.symbolId, 0);
  EXPECT_EQ(empty.type, 0);
  ShortcutRecord two = ReadShortcutFrom(path, 2);
  EXPECT_EQ(two.name, std::string(63, 'm'));
  EXPECT_EQ(two.symbolId, 7);
  EXPECT_EQ(ReadShortcutFrom(path, 24).name, "[NULL]");
}

TEST(SchemeFile, HeaderWritesKeysInOrderWithProgressSteps) {
  sw::test::TempDir dir;
  std::string path = dir.File("hdr0.kvo");
  SchemeHeader h{"Netscape", "NetClass", "2.0", 12, 3, 4, "comment"};
  std::vector<int> steps;
  WriteHeaderTo(path, h, [&](int s) { steps.push_back(s); });
  EXPECT_EQ(steps, (std::vector<int>{2, 3, 4, 5, 6, 7, 8}));
  SchemeHeader back = ReadHeaderFrom(path);
  EXPECT_EQ(back.name, "Netscape");
  EXPECT_EQ(back.windowClass, "NetClass");
  EXPECT_EQ(back.version, "2.0");
  EXPECT_EQ(back.type, 12);
  EXPECT_EQ(back.language, 3);
  EXPECT_EQ(back.level, 4);
  EXPECT_EQ(back.comments, "comment");
  std::string text;
  ASSERT_TRUE(sw::test::ReadFileBytes(path, &text));
  EXPECT_NE(text.find("[Strokewise]\r\nInfo=Application scheme file"), std::string::npos);
  size_t last = 0;
  for (const char* key : {"Name=", "Type=", "Lang=", "ID=", "Ver=", "Infos=", "Advanced="}) {
    size_t pos = text.find(std::string("\n") + key);
    ASSERT_NE(pos, std::string::npos) << key;
    EXPECT_GT(pos, last) << key;
    last = pos;
  }
}

TEST(SchemeChoice, PassesPreferThePreferredLanguageThenTheDefaultOne) {
  std::vector<ScanEntry> table = {{"excel5", 0}, {"excel5", 1}, {"word7", 0}, {"default", 255}, {"tool", 2}};
  auto files = [&](int lang, int def) { return ChooseSchemeFiles(table, lang, def); };
  EXPECT_EQ(files(1, 0), (std::vector<std::string>{"excel51.kvo", "word70.kvo", "default.kvo"}));
  EXPECT_EQ(files(2, 0), (std::vector<std::string>{"tool2.kvo", "excel50.kvo", "word70.kvo", "default.kvo"}));
  EXPECT_EQ(files(0, 0), (std::vector<std::string>{"excel50.kvo", "word70.kvo", "default.kvo"}));
  EXPECT_EQ(files(4, 5), (std::vector<std::string>{"default.kvo"}));
}

TEST(SchemeChoice, WindowClassThenTitlePrefix) {
  SchemeList list = {{"xl0.kvo", "Excel", "XLMAIN"},     {"xlb0.kvo", "Excel Beta", "XLMAIN"},
                     {"word0.kvo", "Word", "OpusApp"},   {"notepad0.kvo", "Notepad", "Notepad"},
                     {"default.kvo", "Default", ""}};
  EXPECT_EQ(SelectSchemeForWindow(list, "opusapp", "whatever"), "word0.kvo");
  // Two schemes with the class: the title prefix decides, else the default scheme.
  EXPECT_EQ(SelectSchemeForWindow(list, "XLMAIN", "excel beta"), "xlb0.kvo");
  EXPECT_EQ(SelectSchemeForWindow(list, "XLMAIN", "Word"), "default.kvo");
  EXPECT_EQ(SelectSchemeForWindow(list, "XLMAIN", "Lotus"), "default.kvo");
  // No scheme with the class: a named scheme whose class starts alike (with case) serves it.
  EXPECT_EQ(SelectSchemeForWindow(list, "NotepadPlus", "Notepad"), "notepad0.kvo");
  EXPECT_EQ(SelectSchemeForWindow(list, "notepadPlus", "Notepad"), "default.kvo");
  EXPECT_EQ(SelectSchemeForWindow(list, "Other", "Nobody"), "default.kvo");
  EXPECT_EQ(SelectSchemeForWindow({}, "Any", "Any"), "default.kvo");
}

TEST(SchemeChoice, TitlePrefixEndsBeforeTheFirstDash) {
  EXPECT_EQ(TitlePrefix("Notepad - file.txt"), "Notepad ");
  EXPECT_EQ(TitlePrefix("-leading"), "");
  EXPECT_EQ(TitlePrefix("No dash here"), "No dash here");
  EXPECT_EQ(TitlePrefix(std::string(100, 't')), std::string(63, 't'));
}

class ScanTest : public KurvoTest {
 protected:
  void SetUp() override {
    KurvoTest::SetUp();
    WriteInstalledSettings();
    LoadSettings();
    combo_ = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST | CBS_SORT | CBS_HASSTRINGS, 0, 0,
                             200, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    Kurvo().schemeBox = combo_;
  }
  void TearDown() override {
    Kurvo().schemeBox = nullptr;
    DestroyWindow(combo_);
    KurvoTest::TearDown();
  }
  // List-box texts with the file each entry's item data names.
  std::vector<std::string> Entries() {
    std::vector<std::string> out;
    int n = static_cast<int>(SendMessageA(combo_, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char text[256] = {};
      SendMessageA(combo_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      size_t index = static_cast<size_t>(SendMessageA(combo_, CB_GETITEMDATA, i, 0));
      out.push_back(std::string(text) + "=" + (index < Kurvo().schemes.size() ? Kurvo().schemes[index].file : "?"));
    }
    return out;
  }
  HWND combo_ = nullptr;
};

TEST_F(ScanTest, ListsOneFilePerStemUnderTheTwoLanguages) {
  WriteScheme("office0.kvo", "Office", "1.0", "OfficeCls", 0, 1);
  WriteScheme("office1.kvo", "Buero", "1.0", "OfficeCls", 1, 1);
  WriteScheme("DEFAULT.KVO", "Default", "", "", 0, 1);
  // No digit: language 0 with the last character dropped, so "paintx" is listed as paint0.kvo.
  WriteScheme("paintx.kvo", "Paint", "3.1", "PaintCls", 0, 1);
  Kurvo().settings.language = 1;
  Kurvo().settings.defaultLanguage = 0;
  ScanSchemes();
  std::vector<std::string> entries = Entries();
  EXPECT_EQ(entries, (std::vector<std::string>{"Buero 1.0=office1.kvo", "Default =DEFAULT.kvo", "paint0.kvo =paint0.kvo"}));

  Kurvo().settings.language = 2;
  ScanSchemes();
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Default =DEFAULT.kvo", "Office 1.0=office0.kvo", "paint0.kvo =paint0.kvo"}));
  ASSERT_EQ(Kurvo().schemes.size(), 3u);
  EXPECT_EQ(Kurvo().schemes[0].windowClass, "OfficeCls");
}

// A file without a name that shows (garbage, empty, only slots, only blanks) is listed by its
// file name, and a notice for it selects that entry.
TEST_F(ScanTest, EntriesWithoutANameShowTheirFileName) {
  dir_.Write("schemes\\junk0.kvo", std::string("\x01\xff\x00\x7f[[=\n\x02", 9));
  dir_.Write("schemes\\empty0.kvo", "");
  dir_.Write("schemes\\slots0.kvo", "[S0]\r\nName=Copy\r\nID=3\r\n");
  dir_.Write("schemes\\blank0.kvo", "[App]\r\nName=\t\r\nVer=2.0\r\n");
  ScanSchemes();
  EXPECT_EQ(Entries(), (std::vector<std::string>{"blank0.kvo 2.0=blank0.kvo", "empty0.kvo =empty0.kvo",
                                                 "junk0.kvo =junk0.kvo", "slots0.kvo =slots0.kvo"}));
  Kurvo().currentScheme = "slots0.kvo";
  ReadSchemeHeader();
  EXPECT_TRUE(SelectSchemeEntry(SchemeEntryName(Kurvo().header, "slots0.kvo"), Kurvo().header.version));
}

TEST_F(ScanTest, EmptyDirectoryGivesAnEmptyListAndTheDefaultScheme) {
  ScanSchemes();
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(SelectSchemeForWindow(Kurvo().schemes, "Any", "Any"), "default.kvo");
  Kurvo().currentScheme = kDefaultScheme;
  ReadSchemeHeader();
  EXPECT_EQ(Kurvo().header.level, 1);
}

TEST_F(ScanTest, MoreThan256FilesListTheFirst256AndOverlongNamesAreSkipped) {
  for (int i = 0; i < 300; ++i) {
    char name[32];
    snprintf(name, sizeof name, "s%03d0.kvo", i);
    dir_.Write(std::string("schemes\\") + name, "[App]\r\nName=S" + std::to_string(i) + "\r\n");
  }
  dir_.Write("schemes\\averyveryverylongname0.kvo", "[App]\r\nName=Long\r\n");
  ScanSchemes();
  EXPECT_EQ(Kurvo().schemes.size(), 256u);
  EXPECT_EQ(SendMessageA(combo_, CB_GETCOUNT, 0, 0), 256);
  for (const SchemeEntry& e : Kurvo().schemes) EXPECT_LE(e.file.size(), 15u) << e.file;
}
