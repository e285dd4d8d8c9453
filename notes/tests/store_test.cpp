// The page text encoding and the text store file: records, damage, interrupted rewrites.
#include <gtest/gtest.h>

#include "note_store.h"
#include "temp_dir.h"

namespace quill {
namespace {

using sw::test::ReadFileBytes;
using sw::test::TempDir;
using sw::test::WriteFileBytes;

TEST(EncodingTest, RoundTripsAndSpecialBytes) {
  // CR LF is one encoded byte 0xA3 and back; a typed 0xA3 survives through 0xFF.
  EXPECT_EQ(EncodeNoteText(std::string("a\r\nb")), "a\xA3" "b");
  EXPECT_EQ(DecodeNoteText("a\xA3" "b"), "a\r\nb");
  EXPECT_EQ(EncodeNoteText(std::string("\xA3" "5")), "\xFF" "5");
  EXPECT_EQ(DecodeNoteText(EncodeNoteText(std::string("\xA3" "5"))), "\xA3" "5");
  // A typed 0xFF comes back as 0xA3; a tab and other control bytes as spaces; bare LF vanishes.
  EXPECT_EQ(DecodeNoteText(EncodeNoteText(std::string("x\xFFy"))), "x\xA3y");
  EXPECT_EQ(DecodeNoteText(EncodeNoteText(std::string("\t"))), " ");
  EXPECT_EQ(EncodeNoteText(std::string("a\x01\x1F\nb")), "a  b");
  // In place: the encoded text never grows.
  char text[] = "one\r\ntwo\r\n\tthree";
  EXPECT_EQ(EncodeNoteText(text), 14u);
  EXPECT_STREQ(text, "one\xA3two\xA3 three");
}

TEST(EncodingTest, BlankMeansOnlySpacesAndLineBreaks) {
  EXPECT_TRUE(IsBlankText(""));
  EXPECT_TRUE(IsBlankText("  \r\n \r\n"));
  EXPECT_TRUE(IsBlankText(" \xA3 "));
  EXPECT_FALSE(IsBlankText(" \t "));
  EXPECT_FALSE(IsBlankText("\r\n."));
}

TEST(StoreNameTest, LastThreeCharactersReplaced) {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  EXPECT_EQ(StoreFileName("QUILL.INI", "DAT"), std::string(dir) + "\\QUILL.DAT");
  EXPECT_EQ(StoreFileName("NOTES", "DAT"), std::string(dir) + "\\NODAT");
  EXPECT_EQ(StoreFileName("MY.CF", "$$$"), std::string(dir) + "\\MY$$$");
  EXPECT_EQ(StoreFileName("AB", "DAT"), std::string(dir) + "\\DAT");
}

class StoreTest : public ::testing::Test {
 protected:
  StoreTest() {
    store.path = dir.File("T.DAT");
    store.tmpPath = dir.File("T.$$$");
  }
  bool Write(const std::string& key, const std::string& value) {
    return RewriteStore(store, key, false, value, 64);
  }
  std::string Read(const std::string& key) {
    std::string v;
    ReadStoreValue(store, key, &v);
    return v;
  }
  std::vector<std::string> Keys() {
    std::vector<std::string> keys;
    for (auto& r : ReadStoreRecords(store)) keys.push_back(r.first);
    return keys;
  }
  static std::string U32(uint32_t v) { return std::string(reinterpret_cast<char*>(&v), 4); }
  static std::string Record(const std::string& k, const std::string& v) {
    return U32(uint32_t(k.size() + 1)) + k + '\0' + U32(uint32_t(v.size() + 1)) + v + '\0';
  }
  static std::string End() { return U32(6) + std::string("[End]\0", 6); }

  TempDir dir;
  TextStore store;
};

TEST_F(StoreTest, RecordsWrittenReplacedRemovedAndDeletedBySection) {
  EXPECT_EQ(Read("Quill_Text0"), "");  // no store yet
  ASSERT_TRUE(Write("Quill_Text0", "first"));
  ASSERT_TRUE(Write("Quill_Text1", "second"));
  ASSERT_TRUE(Write("Quill Green_Text0", "green"));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(store.path, &bytes));
  EXPECT_EQ(bytes, Record("Quill_Text0", "first") + Record("Quill_Text1", "second") +
                       Record("Quill Green_Text0", "green") + End());

  ASSERT_TRUE(Write("Quill_Text0", "again"));  // a rewritten record moves to the end
  EXPECT_EQ(Keys(), (std::vector<std::string>{"Quill_Text1", "Quill Green_Text0", "Quill_Text0"}));
  EXPECT_EQ(Read("Quill_Text0"), "again");

  ASSERT_TRUE(Write("Quill_Text1", ""));  // an empty text has no record
  EXPECT_EQ(Keys(), (std::vector<std::string>{"Quill Green_Text0", "Quill_Text0"}));

  // Deleting section "Quill" leaves "Quill Green" alone: the match is the name and "_".
  ASSERT_TRUE(RewriteStore(store, "Quill_", true, {}, 64));
  EXPECT_EQ(Keys(), (std::vector<std::string>{"Quill Green_Text0"}));
  EXPECT_FALSE(sw::test::FileExists(store.tmpPath));
}

TEST_F(StoreTest, LongValuesCopyThroughASmallBuffer) {
  std::string big(5000, 'x');
  ASSERT_TRUE(Write("A_Text0", big));
  ASSERT_TRUE(Write("B_Text0", "b"));  // copies A through the 64-byte buffer
  EXPECT_EQ(Read("A_Text0"), big);
}

TEST_F(StoreTest, DamagedStoresReadAsFarAsTheyAreSound) {
  const std::string sound = Record("A_Text0", "alpha") + Record("B_Text0", "beta");
  // Cut at every length: never a crash; a record is read only when whole.
  for (size_t n = 0; n <= sound.size(); ++n) {
    ASSERT_TRUE(WriteFileBytes(store.path, sound.substr(0, n)));
    std::string a = Read("A_Text0"), b = Read("B_Text0");
    EXPECT_EQ(a, n >= Record("A_Text0", "alpha").size() ? "alpha" : "") << n;
    EXPECT_EQ(b, n == sound.size() ? "beta" : "") << n;
  }
  // Damage in the middle: reading picks up again at the next whole record, and a store that
  // cannot be read whole is never rewritten.
  for (std::string bad : {U32(0xFFFFFFFF) + "junk", U32(7) + "A_Text0" + U32(0x7FFFFFFF) + "xy",
                          U32(0), U32(9) + std::string("B_Text0\0\0", 9) + U32(3) + "b"}) {
    std::string bytes = Record("A_Text0", "alpha") + bad + Record("C_Text0", "c") + End();
    ASSERT_TRUE(WriteFileBytes(store.path, bytes));
    EXPECT_EQ(Read("A_Text0"), "alpha");
    EXPECT_EQ(Read("C_Text0"), "c");
    EXPECT_EQ(Keys(), (std::vector<std::string>{"A_Text0", "C_Text0"}));
    EXPECT_FALSE(ScanStore(store).whole);
    bool damaged = false;
    EXPECT_FALSE(RewriteStore(store, "B_Text0", false, "beta", 64, &damaged));
    EXPECT_TRUE(damaged);
    std::string now;
    ASSERT_TRUE(ReadFileBytes(store.path, &now));
    EXPECT_EQ(now, bytes);
  }
  // A value without its terminator inside its length still reads, cut at its length.
  ASSERT_TRUE(WriteFileBytes(store.path, U32(8) + std::string("A_Text0\0", 8) + U32(3) + "abc"));
  EXPECT_EQ(Read("A_Text0"), "abc");
}

TEST_F(StoreTest, AWrongValueLengthLosesNothingThatCanBeReadWithCertainty) {
  std::string bytes;
  for (int i = 0; i < 6; ++i)
    bytes += Record("N_Text" + std::to_string(i), "page " + std::to_string(i));
  std::string wrong = bytes;
  size_t fourth = 3 * Record("N_Text0", "page 0").size() + 4 + 8;  // its value length
  wrong.replace(fourth, 4, U32(0x7FFFFFF0));
  const std::string damagedBytes = wrong + End();
  ASSERT_TRUE(WriteFileBytes(store.path, damagedBytes));
  StoreScan scan = ScanStore(store);
  EXPECT_FALSE(scan.whole);
  ASSERT_EQ(scan.records.size(), 6u);  // the value ends at its terminator, a record follows
  EXPECT_EQ(Read("N_Text3"), "page 3");
  EXPECT_EQ(Read("N_Text5"), "page 5");
  // A terminator followed by no whole record proves nothing: that value is not taken.
  wrong.replace(fourth + 4 + 7, 4, "????");
  EXPECT_EQ(ParseStore(wrong + End()).records.size(), 4u);
  EXPECT_EQ(ParseStore(wrong + End()).records[3].first, "N_Text5");

  // Set aside unchanged under the first free name; the new store holds what was read.
  ASSERT_TRUE(WriteFileBytes(store.path + ".damaged", "older"));
  std::string kept;
  ASSERT_TRUE(ReplaceDamagedStore(store, scan.records, &kept));
  EXPECT_EQ(kept, store.path + ".damaged2");
  std::string keptBytes;
  ASSERT_TRUE(ReadFileBytes(kept, &keptBytes));
  EXPECT_EQ(keptBytes, damagedBytes);
  EXPECT_TRUE(ScanStore(store).whole);
  EXPECT_EQ(ReadStoreRecords(store), scan.records);
}

TEST_F(StoreTest, InterruptedRewriteLeavesOldOrNewStoreWhole) {
  ASSERT_TRUE(Write("A_Text0", "old a"));
  ASSERT_TRUE(Write("B_Text0", "old b"));
  std::string old;
  ASSERT_TRUE(ReadFileBytes(store.path, &old));
  for (int step = 1; step <= 6; ++step) {
    store.faultAt = [step](int s) { return s != step; };
    EXPECT_FALSE(Write("A_Text0", "new a")) << step;
    store.faultAt = nullptr;
    std::string now;
    ASSERT_TRUE(ReadFileBytes(store.path, &now));
    EXPECT_EQ(now, old) << "interrupted at step " << step;
    EXPECT_EQ(Read("A_Text0"), "old a");
    EXPECT_EQ(Read("B_Text0"), "old b");
  }
  ASSERT_TRUE(Write("A_Text0", "new a"));
  EXPECT_EQ(Read("A_Text0"), "new a");
  EXPECT_EQ(Read("B_Text0"), "old b");
}

TEST_F(StoreTest, UnreadableStoreIsNotReplaced) {
  ASSERT_TRUE(Write("A_Text0", "keep"));
  HANDLE lock = CreateFileA(store.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Write("B_Text0", "x"));
  CloseHandle(lock);
  EXPECT_EQ(Read("A_Text0"), "keep");
}

}  // namespace
}  // namespace quill
