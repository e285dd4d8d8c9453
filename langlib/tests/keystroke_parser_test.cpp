// The keystroke engine without injection: what each text queues, the result codes, and the
// order in which a queue is replayed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "keystrokes.h"

using namespace kvo;

namespace {

std::vector<uint32_t> Queued(const KeyEventQueue& q) { return {q.codes, q.codes + q.write}; }

struct Parsed {
  int32_t result;
  std::vector<uint32_t> codes;
};

Parsed Keys(const std::string& text) {
  static KeyEventQueue q;
  int32_t r = ParseKeystrokes(text.c_str(), q);
  return {r, Queued(q)};
}

Parsed Literal(const std::string& text) {
  static KeyEventQueue q;
  int32_t r = ParseLiteralText(text.c_str(), q);
  return {r, Queued(q)};
}

using Codes = std::vector<uint32_t>;
const uint32_t S = 16, C = 17, A = 18;

}  // namespace

TEST(KeyNameTable, HasSixtyFourNamesFoundWithoutRegardToCase) {
  EXPECT_EQ(116, FindKeyName("f5"));
  EXPECT_EQ(116, FindKeyName("F5"));
  EXPECT_EQ(17, FindKeyName("Break"));  // the Control code, not 3
  EXPECT_EQ(145, FindKeyName("scrollock"));
  EXPECT_EQ(53, FindKeyName("5"));
  EXPECT_EQ(105, FindKeyName("NumPad9"));
  EXPECT_EQ(-1, FindKeyName("F17"));
  EXPECT_EQ(-1, FindKeyName(""));
  EXPECT_EQ(-1, FindKeyName("DELETE"));
  EXPECT_STREQ("NUMPAD9", KeyNameTable[63].name);
}

TEST(ParseKeystrokes, ModifierPrefixesWrapOneElementAndNest) {
  EXPECT_EQ((Codes{C, 'C', C}), Keys("^c").codes);
  EXPECT_EQ((Codes{S, C, 116, 116, C, S}), Keys("+^[F5 2]").codes);
  EXPECT_EQ((Codes{C, S, S, 'S', S, S, C}), Keys("^+S").codes);  // "S" itself needs Shift
  EXPECT_EQ((Codes{A, A}), Keys("%").codes);                     // prefix at the end
  EXPECT_EQ((Codes{C, S, S, C}), Keys("^+").codes);
  EXPECT_EQ((Codes{A, 'F', A, 'X'}), Keys("%fx").codes);         // only the next element
  EXPECT_EQ((Codes{S, 121, S}), Keys("+[F10]").codes);
  EXPECT_EQ((Codes{C, 46, C}), Keys("^[del]").codes);
}

TEST(ParseKeystrokes, PlainCharactersTildeAndDigits) {
  EXPECT_EQ((Codes{'A', 'B', 'C', 13}), Keys("abc~").codes);
  EXPECT_EQ((Codes{S, 'A', S, ' ', '1', S, '1', S}), Keys("A 1!").codes);
  EXPECT_EQ((Codes{0xDD}), Keys("]").codes);  // a lone "]" is typed
  Parsed empty = Keys("");
  EXPECT_EQ(kKeyOk, empty.result);
  EXPECT_TRUE(empty.codes.empty());
}

TEST(ParseKeystrokes, GroupsNameKeysWithCountsAndShift) {
  EXPECT_EQ(Keys("[f5]").codes, Keys("[F5]").codes);
  EXPECT_EQ((Codes{'5'}), Keys("[5]").codes);                // table entry, no Shift
  EXPECT_EQ((Codes{S, 'A', 'A', 'A', S}), Keys("[A 3]").codes);
  EXPECT_EQ((Codes{'A', 'A', 'A'}), Keys("[a 3]").codes);
  EXPECT_EQ((Codes{116, 116}), Keys("[F5   +2]").codes);        // blanks and a sign
  EXPECT_EQ((Codes{116, 116, 'X'}), Keys("[F5 2 ignored]x").codes);
  EXPECT_EQ((Codes{116, 116, 116}), Keys("[F5 3x]").codes);     // digits up to a non-digit
  EXPECT_EQ((Codes{0xDD}), Keys("[]]").codes);                  // the "]" key
  EXPECT_EQ((Codes{0xDD, 0xDD, 0xDD}), Keys("[] 3]").codes);
  EXPECT_EQ((Codes{0xDB}), Keys("[[]").codes);                  // "[" as a one-character name
  EXPECT_EQ((Codes{S, 0xDB, S}), Keys("[{]").codes);
}

TEST(ParseKeystrokes, ErrorsStopAtTheFirstFault) {
  EXPECT_EQ(kKeyUnterminatedGroup, Keys("[F1").result);
  EXPECT_EQ(kKeyUnterminatedGroup, Keys("abc[").result);
  EXPECT_EQ(kKeyUnterminatedGroup, Keys("[]").result);
  EXPECT_EQ(kKeyUnterminatedGroup, Keys("[F1 5").result);       // count without "]"
  EXPECT_EQ(kKeyUnterminatedGroup, Keys("[F1 5 and more").result);
  EXPECT_EQ(kKeyUnknownName, Keys("[F17]").result);
  EXPECT_EQ(kKeyUnknownName, Keys("[ 3]").result);              // empty name
  EXPECT_EQ(kKeyBadCount, Keys("[F1 0]").result);
  EXPECT_EQ(kKeyBadCount, Keys("[F1 x]").result);
  EXPECT_EQ(kKeyBadCount, Keys("[F1 x").result);
  EXPECT_EQ(kKeyBadCount, Keys("[F1 ]").result);
  EXPECT_EQ(kKeyBadCount, Keys("^[F1 -0]").result);
  EXPECT_EQ(kKeyUnknownName, Keys("+^[NOPE]").result);          // inner errors come out
}

TEST(ParseKeystrokes, LongNamesAndNegativeCountsAreRefusedSafely) {
  // A name far longer than the 23 characters kept: never copied past them, never a match.
  std::string longName = "[" + std::string(500, 'F') + "1]";
  EXPECT_EQ(kKeyUnknownName, Keys(longName).result);
  EXPECT_EQ(kKeyUnknownName, Keys("[" + std::string(23, 'X') + "]").result);

  // A negative count is refused at once, before anything fills the queue.
  Parsed negative = Keys("[F1 -3]");
  EXPECT_EQ(kKeyQueueFull, negative.result);
  EXPECT_TRUE(negative.codes.empty());
  EXPECT_EQ(kKeyQueueFull, Keys("[F1 -99999999999999999999]").result);
}

TEST(ParseKeystrokes, CapacityIs4096Entries) {
  EXPECT_EQ(kKeyOk, Keys(std::string(4096, 'a')).result);
  EXPECT_EQ(4096u, Keys(std::string(4096, 'a')).codes.size());
  EXPECT_EQ(kKeyQueueFull, Keys(std::string(4097, 'a')).result);
  EXPECT_EQ(kKeyOk, Keys("[a 4096]").result);
  EXPECT_EQ(kKeyQueueFull, Keys("[a 4097]").result);
  EXPECT_EQ(kKeyQueueFull, Keys("[A 4095]").result);  // 4095 keys plus two Shift codes
  EXPECT_EQ(kKeyQueueFull, Keys("[a 99999999999]").result);
  EXPECT_EQ(kKeyQueueFull, Keys(std::string(4095, 'a') + "^").result);
}

TEST(ParseLiteralText, TypesEveryCharacterAsItself) {
  EXPECT_EQ((Codes{S, 'A', S, 'B', S, '1', S}), Literal("Ab!").codes);
  EXPECT_EQ((Codes{S, '6', S, 0xDB, S, '5', S, S, 0xBB, S, S, 0xC0, S, 0xDD}),
            Literal("^[%+~]").codes);  // nothing is special ("~" and "[" are keys)
  EXPECT_EQ((Codes{'\t', 13}), Literal("\t\r").codes);
  EXPECT_EQ(kKeyOk, Literal("").result);
  EXPECT_TRUE(Literal("").codes.empty());
}

TEST(ParseLiteralText, CapacityIs4096Entries) {
  EXPECT_EQ(kKeyOk, Literal(std::string(4096, 'x')).result);
  EXPECT_EQ(kKeyQueueFull, Literal(std::string(4097, 'x')).result);
  EXPECT_EQ(kKeyQueueFull, Literal(std::string(1366, 'X')).result);  // 3 entries each
  EXPECT_EQ(kKeyOk, Literal(std::string(1365, 'X')).result);
}

namespace {

struct Recorded {
  std::vector<std::pair<uint32_t, bool>> events;
};

void Record(uint32_t vk, bool up, void* context) {
  static_cast<Recorded*>(context)->events.push_back({vk, up});
}

std::vector<std::pair<uint32_t, bool>> Replayed(const std::string& text) {
  static KeyEventQueue q;
  EXPECT_EQ(kKeyOk, ParseKeystrokes(text.c_str(), q));
  Recorded rec;
  ReplayKeyEvents(q, Record, &rec);
  return rec.events;
}

}  // namespace

TEST(ReplayKeyEvents, OrdinaryKeysTapModifiersToggle) {
  using E = std::vector<std::pair<uint32_t, bool>>;
  EXPECT_EQ((E{{C, false}, {'C', false}, {'C', true}, {C, true}}), Replayed("^c"));
  EXPECT_EQ((E{{S, false}, {C, false}, {116, false}, {116, true}, {116, false}, {116, true},
               {C, true}, {S, true}}),
            Replayed("+^[F5 2]"));
  EXPECT_EQ((E{{A, false}, {A, true}}), Replayed("%"));
  // A group naming SHIFT once leaves Shift down; BREAK toggles Control.
  EXPECT_EQ((E{{S, false}, {'A', false}, {'A', true}}), Replayed("[SHIFT]a"));
  EXPECT_EQ((E{{C, false}}), Replayed("[BREAK]"));
  EXPECT_TRUE(Replayed("").empty());
}
