// Messages that arrive while Kurvo is in the middle of a change: from inside the hook library's
// calls (the stand-in calls the test back), from a dialog's modal loop and from another thread.
// Whatever the order, the menu item, the notification icon, the hook and the answers to notices
// must tell the same state, and an edit must land in the scheme it was made for.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "kurvo_fixture.h"
#include "kurvo_ids.h"
#include "main_window.h"
#include "pump.h"
#include "scheme_file.h"
#include "schemes.h"

using namespace kurvo;
using namespace kurvo::test;

namespace {

std::function<void(int)> g_inHook;  // called once, from inside the next hook switch

void WINAPI OnHookCall(int32_t which) {
  if (!g_inHook) return;
  auto call = std::move(g_inHook);
  g_inHook = nullptr;
  call(which);
}

}  // namespace

class ReentrancyTest : public KurvoTest {
 protected:
  void SetUp() override {
    KurvoTest::SetUp();
    WriteInstalledSettings();
    InstallLibraries();
    // Level 4, so that an answer that is not the ignored one (1) shows.
    WriteScheme("default.kvo", "Default", "", "", 0, 4, {{0, "Copy", 1}});
    WriteScheme("notes0.kvo", "Notes", "1.0", "NotesClass", 0, 3, {{0, "Save", 4}});
    main_ = CreateMain();
    using Listen = void(WINAPI*)(void(WINAPI*)(int32_t));
    auto listen = reinterpret_cast<Listen>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kurvo.dll"), "StubHookListen")));
    ASSERT_NE(listen, nullptr);
    listen(OnHookCall);
  }
  void TearDown() override {
    g_inHook = nullptr;
    KurvoTest::TearDown();
  }
  void Tray(UINT mouse) { SendMessageA(main_, WM_TRAYNOTIFY, TRAY_ICON_ID, mouse); }
  LRESULT DrawBeginOverKurvo() { return SendMessageA(main_, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(main_)); }
  // Everything that shows recognition says `on`, and the hook was never switched twice.
  void ExpectState(bool on) {
    KurvoState& k = Kurvo();
    char text[64] = {};
    GetMenuStringA(k.menu, IDM_TOGGLE_ENABLE, text, sizeof text, MF_BYCOMMAND);
    EXPECT_EQ(k.settings.recognitionEnabled, on);
    EXPECT_STREQ(text, on ? "Disable Strokewise" : "Enable Strokewise");
    EXPECT_EQ(k.trayIcon, on ? IDI_STATUS_READY : IDI_STATUS_DISABLED);
    EXPECT_EQ(k.hook.on, on);
    EXPECT_EQ(HookCalls(3), on ? 1 : 0);
    EXPECT_EQ(HookCalls(4), 0);
    EXPECT_EQ(DrawBeginOverKurvo(), on ? 1 : 4);  // over Kurvo itself: ignored only while on
  }
  std::string SlotName(const std::string& file, int slot) { return ReadShortcutFrom(SchemeDir() + file, slot).name; }
  HWND main_ = nullptr;
};

TEST_F(ReentrancyTest, NoticesAndClicksDuringAToggleSeeItsNewState) {
  // A right click disables; while the hook library switches off, a notice over Kurvo's own window
  // and a left click on the icon arrive.
  LRESULT answer = 0;
  g_inHook = [&](int) {
    answer = DrawBeginOverKurvo();
    Tray(WM_LBUTTONDOWN);
  };
  Tray(WM_RBUTTONDOWN);
  EXPECT_EQ(answer, 4);  // answered as off
  EXPECT_TRUE(IsWindowVisible(main_));
  ExpectState(true);  // the later click enabled again

  // Two quick right clicks: the second arrives while the first switches the hook off.
  g_inHook = [&](int) { Tray(WM_RBUTTONDOWN); };
  Tray(WM_RBUTTONDOWN);
  ExpectState(true);

  // The menu item does what it named when chosen, whatever a click did during its hint.
  answerer_.OnDialog([&](HWND) {
    Tray(WM_RBUTTONDOWN);
    return 0;
  });
  SendMessageA(main_, WM_COMMAND, IDM_TOGGLE_ENABLE, 0);
  answerer_.OnDialog(nullptr);
  ExpectState(false);

  // A shell restart while the hook switches on brings the icon back as the state says.
  g_inHook = [&](int) { SendMessageA(main_, Kurvo().taskbarCreatedMessage, 0, 0); };
  Tray(WM_RBUTTONDOWN);
  ExpectState(true);
  EXPECT_TRUE(Kurvo().trayIconAdded);

  // The shutdown request arrives while the hook library is switching: the library is freed only
  // after its call has returned.
  g_inHook = [&](int) { SendMessageA(main_, WM_COMMAND, IDM_SHUTDOWN, 0); };
  Tray(WM_RBUTTONDOWN);
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_EQ(Kurvo().hook.module, nullptr);
}

// Another thread sends clicks and notices in a tight loop while this one toggles.
std::atomic<bool> g_stop{false};
DWORD WINAPI ClickAndNotice(void* window) {
  HWND main = static_cast<HWND>(window);
  DWORD_PTR result;
  for (int i = 0; i < 60 && !g_stop; ++i) {
    UINT click = i % 8 ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
    SendMessageTimeoutA(main, WM_TRAYNOTIFY, TRAY_ICON_ID, click, SMTO_NORMAL, 5000, &result);
    SendMessageTimeoutA(main, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(main), SMTO_NORMAL, 5000, &result);
  }
  return 0;
}

TEST_F(ReentrancyTest, AnotherThreadsNoticesAndClicksWhileThisOneToggles) {
  g_stop = false;
  HANDLE thread = CreateThread(nullptr, 0, ClickAndNotice, main_, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  for (int i = 0; i < 60; ++i) {
    Tray(WM_RBUTTONDOWN);
    sw::test::PumpMessages(0);
  }
  g_stop = true;
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
    sw::test::PumpMessages(0);
  CloseHandle(thread);
  sw::test::PumpMessages(50);
  ExpectState(Kurvo().settings.recognitionEnabled);
  ShowWindow(main_, SW_HIDE);
}

TEST_F(ReentrancyTest, AStrokeDuringADialogOrAQuestionLeavesTheEditedSchemeItsOwn) {
  KurvoState& k = Kurvo();
  TargetWindow notes("NotesClass", "Notes - a");
  LRESULT refused = 0;
  // Configure Selected Shortcut is open on the default scheme's slot 0 when a stroke over
  // another application ends.
  answerer_.OnDialog([&](HWND d) {
    if (sw::test::WindowText(d) != "Configure Selected Shortcut") return 0;
    SetDlgItemTextA(d, IDC_SC_NAME, "Edited");
    refused = SendMessageA(main_, WM_SYMBOLDRAWN, 4, reinterpret_cast<LPARAM>(notes.Handle()));
    return IDOK;
  });
  SelectSymbolSlot(0);
  SendMessageA(main_, WM_COMMAND, IDM_SHORTCUT, 0);
  EXPECT_EQ(refused, 1);
  EXPECT_EQ(k.currentScheme, "default.kvo");
  EXPECT_EQ(k.shortcuts[0].name, "Edited");
  EXPECT_EQ(SlotName("default.kvo", 0), "Edited");
  EXPECT_EQ(SlotName("notes0.kvo", 0), "Save");
  EXPECT_TRUE(k.hook.on);

  // Deleting: a stroke during the question loads another scheme; the one asked about goes.
  LoadScheme("notes0.kvo");
  TargetWindow other("OtherClass", "Other");
  answerer_.OnDialog([&](HWND) {
    SendMessageA(main_, WM_SYMBOLDRAWN, 1, reinterpret_cast<LPARAM>(other.Handle()));
    return IDYES;
  });
  SendMessageA(main_, WM_COMMAND, IDM_DELETE_SCHEME, 0);
  EXPECT_FALSE(sw::test::FileExists(SchemeDir() + "notes0.kvo"));
  EXPECT_TRUE(sw::test::FileExists(SchemeDir() + "default.kvo"));

  // The shutdown request (command 114, no question) while a dialog of the language library is
  // open: Kurvo ends, frees both libraries once the dialog is gone and stores its settings.
  k.settings.mouseBtn = 0;
  answerer_.OnDialog([&](HWND) {
    SendMessageA(main_, WM_COMMAND, IDM_SHUTDOWN, 0);
    return -1;
  });
  SendMessageA(main_, WM_COMMAND, IDM_SOUNDS, 0);
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_EQ(k.hook.module, nullptr);
  EXPECT_EQ(k.language.module, nullptr);
  EXPECT_EQ(Value("MouseBtn"), "0");
}
