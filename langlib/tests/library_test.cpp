// kvo_eng.dll loaded by name as Kurvo loads it: its exports by name and by ordinal, the entry
// point's bookkeeping, and the key events that Tamrin and Velsor really inject.
#include <gtest/gtest.h>
#include <windows.h>

#include "key_recorder.h"
#include "keystrokes.h"

using namespace sw::test;

namespace {

using TextExport = LONG(WINAPI*)(const char*);
using EntryExport = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

class KvoEngLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA("kvo_eng.dll");
    ASSERT_NE(nullptr, module_);
    tamrin_ = reinterpret_cast<TextExport>(GetProcAddress(module_, "Tamrin"));
    velsor_ = reinterpret_cast<TextExport>(GetProcAddress(module_, "Velsor"));
    ASSERT_NE(nullptr, tamrin_);
    ASSERT_NE(nullptr, velsor_);
  }
  void TearDown() override {
    ReleaseModifiers();
    if (module_) FreeLibrary(module_);
  }

  // Runs one export and returns its result and the events it injected.
  LONG Run(TextExport fn, const char* text, std::vector<KeyEvent>* events) {
    LONG r = fn(text);
    *events = recorder_.Collect();
    return r;
  }

  HMODULE module_ = nullptr;
  TextExport tamrin_ = nullptr;
  TextExport velsor_ = nullptr;
  KeyRecorder recorder_;
};

std::vector<KeyEvent> Join(std::initializer_list<std::vector<KeyEvent>> parts) {
  std::vector<KeyEvent> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

}  // namespace

TEST_F(KvoEngLibrary, ExportsAreFoundByNameAndByOrdinal) {
  EXPECT_EQ(reinterpret_cast<FARPROC>(tamrin_), GetProcAddress(module_, MAKEINTRESOURCEA(2)));
  EXPECT_EQ(reinterpret_cast<FARPROC>(velsor_), GetProcAddress(module_, MAKEINTRESOURCEA(3)));
  FARPROC entry = GetProcAddress(module_, "DllEntryPoint");
  ASSERT_NE(nullptr, entry);
  EXPECT_EQ(entry, GetProcAddress(module_, MAKEINTRESOURCEA(1)));
  EXPECT_EQ(nullptr, GetProcAddress(module_, "Tamrin@4"));
}

TEST_F(KvoEngLibrary, DllEntryPointCountsAttachesAndAcceptsOtherReasons) {
  auto entry = reinterpret_cast<EntryExport>(GetProcAddress(module_, "DllEntryPoint"));
  ASSERT_NE(nullptr, entry);
  HINSTANCE h = reinterpret_cast<HINSTANCE>(module_);
  EXPECT_TRUE(entry(h, DLL_PROCESS_ATTACH, nullptr));   // first attach
  EXPECT_FALSE(entry(h, DLL_PROCESS_ATTACH, nullptr));  // second one is refused
  EXPECT_TRUE(entry(h, DLL_THREAD_ATTACH, nullptr));
  EXPECT_TRUE(entry(h, DLL_THREAD_DETACH, nullptr));
  EXPECT_TRUE(entry(h, DLL_PROCESS_DETACH, nullptr));
  EXPECT_TRUE(entry(h, DLL_PROCESS_DETACH, nullptr));   // back to none
  EXPECT_TRUE(entry(h, DLL_PROCESS_ATTACH, nullptr));   // first again
  EXPECT_TRUE(entry(h, DLL_PROCESS_DETACH, nullptr));
  EXPECT_TRUE(entry(h, DLL_PROCESS_DETACH, nullptr));   // never below zero
  EXPECT_TRUE(entry(h, DLL_PROCESS_ATTACH, nullptr));
  entry(h, DLL_PROCESS_DETACH, nullptr);
}

TEST_F(KvoEngLibrary, TamrinInjectsHotkeysWithModifiersHeldAroundTheKey) {
  ASSERT_TRUE(recorder_.Active());
  std::vector<KeyEvent> got;
  EXPECT_EQ(0, Run(tamrin_, "^c", &got));
  EXPECT_EQ(Describe({Down(17), Down('C'), Up('C'), Up(17)}), Describe(got));

  EXPECT_EQ(0, Run(tamrin_, "+^[F5 2]", &got));
  EXPECT_EQ(Describe(Join({{Down(16), Down(17)}, Tap(116), Tap(116), {Up(17), Up(16)}})), Describe(got));

  EXPECT_EQ(0, Run(tamrin_, "%", &got));
  EXPECT_EQ(Describe({Down(18), Up(18)}), Describe(got));

  EXPECT_EQ(0, Run(tamrin_, "abc~", &got));
  EXPECT_EQ(Describe(Join({Tap('A'), Tap('B'), Tap('C'), Tap(13)})), Describe(got));

  EXPECT_EQ(0, Run(tamrin_, "%f[DOWN 2]~", &got));  // a menu sequence as Kurvo sends it
  EXPECT_EQ(Describe(Join({{Down(18)}, Tap('F'), {Up(18)}, Tap(40), Tap(40), Tap(13)})), Describe(got));
}

TEST_F(KvoEngLibrary, TamrinSendsNothingWhenTheTextIsWrong) {
  std::vector<KeyEvent> got;
  EXPECT_EQ(1, Run(tamrin_, "ab[F1", &got));
  EXPECT_TRUE(got.empty()) << Describe(got);
  EXPECT_EQ(2, Run(tamrin_, "[NOKEY]", &got));
  EXPECT_TRUE(got.empty()) << Describe(got);
  EXPECT_EQ(4, Run(tamrin_, "[F1 0]", &got));
  EXPECT_EQ(4, Run(tamrin_, "[F1 x]", &got));
  EXPECT_TRUE(got.empty()) << Describe(got);
  EXPECT_EQ(0, Run(tamrin_, "", &got));
  EXPECT_TRUE(got.empty()) << Describe(got);
}

TEST_F(KvoEngLibrary, VelsorTypesTextWithShiftAndAltGr) {
  std::vector<KeyEvent> got;
  EXPECT_EQ(0, Run(velsor_, "Hi!", &got));
  EXPECT_EQ(Describe(Join({{Down(16)}, Tap('H'), {Up(16)}, Tap('I'), {Down(16)}, Tap('1'), {Up(16)}})),
            Describe(got));

  EXPECT_EQ(0, Run(velsor_, "^%~[", &got));  // no character is special
  EXPECT_EQ(Describe(Join({{Down(16)}, Tap('6'), {Up(16)}, {Down(16)}, Tap('5'), {Up(16)},
                           {Down(16)}, Tap(0xC0), {Up(16)}, Tap(0xDB)})),
            Describe(got));
}

TEST_F(KvoEngLibrary, VelsorRefusesMoreThanTheQueueHolds) {
  std::vector<KeyEvent> got;
  std::string tooLong(4097, 'a');
  EXPECT_EQ(5, Run(velsor_, tooLong.c_str(), &got));
  EXPECT_TRUE(got.empty());

  std::string full(4096, 'a');
  EXPECT_EQ(0, velsor_(full.c_str()));
  got = recorder_.Collect(20000);
  ASSERT_EQ(8192u, got.size());
  EXPECT_EQ(Down('A'), got.front());
  EXPECT_EQ(Up('A'), got.back());
}

namespace {

// A layout on which "@" is typed with AltGr (Control+Alt+Q), "A" needs Shift, "\xE9" cannot be
// typed at all, and everything else is as on the default layout.
SHORT WINAPI AltGrLayout(CHAR c) {
  if (c == '@') return 0x0600 | 'Q';
  if (c == '\xE9') return -1;
  return VkKeyScanA(c);
}

}  // namespace

TEST(KvoEngReplay, AltGrCharactersAreInjectedInsideAControlAltPair) {
  static kvo::KeyEventQueue queue;
  ASSERT_EQ(kvo::kKeyOk, kvo::ParseLiteralText("a@\xE9", queue, AltGrLayout));
  EXPECT_EQ(6, queue.write);  // the untypeable character is skipped
  KeyRecorder rec;
  kvo::ReplayKeyEvents(queue);
  EXPECT_EQ(Describe(Join({Tap('A'), {Down(17), Down(18)}, Tap('Q'), {Up(17), Up(18)}})),
            Describe(rec.Collect()));
  ReleaseModifiers();
}
