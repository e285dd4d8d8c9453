// The alert and question boxes driven as a user would answer them: captions, texts, sizes,
// results, Escape, and the error table.
#include <gtest/gtest.h>

#include <functional>

#include "application.h"
#include "dialog_answerer.h"
#include "message_boxes.h"

using namespace zw;
using sw::test::DialogAnswerer;

namespace {

struct Sized {
  RECT client{};
  RECT prompt{};
  int pictureHeight = 0;
};

// Lays an alert box out for a message and reads its geometry, without running it.
Sized LayOut(const std::string& message) {
  App().Initialize(GetModuleHandleA(nullptr));
  TAlertDialog box;
  EXPECT_TRUE(box.Make());
  box.Prepare("Caption", message);
  Sized s;
  GetClientRect(box.hwnd, &s.client);
  s.prompt = box.Prompt->BoundsRect();
  s.pictureHeight = box.Picture->height;
  RECT ok = box.OKBtn->BoundsRect();
  EXPECT_EQ(ok.bottom, s.client.bottom - 16);
  EXPECT_NEAR((ok.left + ok.right) / 2, s.client.right / 2, 1);
  return s;
}

TEST(AlertBox, OneLineMessageKeepsThePicturesHeightAndALongOneWidensTheBox) {
  Sized shortOne = LayOut("Done.");
  EXPECT_EQ(shortOne.prompt.bottom - shortOne.prompt.top, shortOne.pictureHeight);
  Sized longOne = LayOut("An error has occurred in loading C:\\SOME\\VERY\\LONG\\FOLDER\\NAME\\PICTURE.ICO\r"
                         "Icon may be missing or corrupted.");
  EXPECT_GT(longOne.client.right, shortOne.client.right + 150);
  EXPECT_EQ(longOne.client.right, 56 + (longOne.prompt.right - longOne.prompt.left) + 40);
  // Several lines make the balloon taller than the picture.
  Sized tall = LayOut("one\rtwo\rthree\rfour\rfive");
  EXPECT_GT(tall.prompt.bottom - tall.prompt.top, tall.pictureHeight);
}

TEST(AlertBox, ShowAlertIsAnsweredAndRecordsCaptionAndText) {
  App().Initialize(GetModuleHandleA(nullptr));
  DialogAnswerer answer;
  answer.AlsoAnswer("ZwDialog");
  ShowAlert("Error in Pasting", "An error has occured when loading image");
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Error in Pasting");
  EXPECT_EQ(answer.Seen()[0].text, "An error has occured when loading image");
}

TEST(AlertBox, IOErrorsUseTheTableAndZeroShowsNothing) {
  App().Initialize(GetModuleHandleA(nullptr));
  App().title = "Zonware Icon Editor";
  DialogAnswerer answer;
  answer.AlsoAnswer("ZwDialog");
  ShowIOError(0);
  EXPECT_EQ(answer.Count(), 0u);
  ShowIOError(7);
  ShowIOError(101);
  ReportException(IOError(2));
  ReportException(std::bad_alloc());
  ASSERT_EQ(answer.Count(), 4u);
  EXPECT_EQ(answer.Seen()[0].caption, "Zonware Icon Editor");
  EXPECT_EQ(answer.Seen()[0].text, "Unknown Error #7");
  EXPECT_EQ(answer.Seen()[1].text, "The disk is full!");
  EXPECT_EQ(answer.Seen()[2].text, "File not found!");
  EXPECT_EQ(answer.Seen()[3].text.rfind("There is not enough memory to complete\r", 0), 0u);
  EXPECT_EQ(IOErrorText(10001).substr(0, 39), "Unable to create temporary file! Check\r");
}

TEST(QuestionBox, ResultsOfTheThreeButtonsAndEscape) {
  App().Initialize(GetModuleHandleA(nullptr));
  DialogAnswerer answer;
  answer.AlsoAnswer("ZwDialog");
  answer.Queue(IDYES);
  answer.Queue(IDNO);
  answer.Queue(IDCANCEL);
  EXPECT_EQ(AskYesCancelNo("Save Icon", "Untitled\rhas been modified."), 6);
  EXPECT_EQ(AskYesCancelNo("Save Icon", "x"), 7);
  EXPECT_EQ(AskYesCancelNo("Save Icon", "x"), 2);
  EXPECT_EQ(answer.Seen()[0].caption, "Save Icon");
  EXPECT_EQ(answer.Seen()[0].text, "Untitled\rhas been modified.");
  answer.Queue(IDYES);
  EXPECT_TRUE(AskYesNo("Save", "Replace existing: A.ICO?"));
  // Escape in a Yes/No question counts as No.
  answer.OnDialog([](HWND h) {
    PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
    return -1;
  });
  EXPECT_FALSE(AskYesNo("Save", "Replace existing: A.ICO?"));
}

TEST(QuestionBox, ButtonsAreLaidOutAroundTheCentre) {
  App().Initialize(GetModuleHandleA(nullptr));
  TAskUserDialog box;
  ASSERT_TRUE(box.Make());
  box.Prepare("Q", "Short?", "Yes", "Cancel", "No");
  RECT c;
  GetClientRect(box.hwnd, &c);
  EXPECT_TRUE(box.CancelBtn->visible);
  EXPECT_NEAR(box.NoBtn->left + box.NoBtn->width / 2, c.right / 2, 1);
  EXPECT_EQ(box.YesBtn->left + box.YesBtn->width, box.NoBtn->left - 4);
  EXPECT_EQ(box.CancelBtn->left, box.NoBtn->left + box.NoBtn->width + 4);
  EXPECT_GE(box.YesBtn->left, 0);
  EXPECT_LE(box.CancelBtn->left + box.CancelBtn->width, c.right);
  box.Prepare("Q", "Short?", "Yes", "", "No");
  EXPECT_FALSE(box.CancelBtn->visible);
  GetClientRect(box.hwnd, &c);
  EXPECT_EQ(box.YesBtn->left + box.YesBtn->width, c.right / 2 - 4);
}

TEST(AlertBox, AThreeHundredCharacterNameWrapsAndTheBoxStaysOnTheScreen) {
  std::string name = "C:\\" + std::string(150, 'a') + "\\" + std::string(145, 'b') + ".ico";
  Sized s = LayOut("An error has occurred in loading " + name + "\rIcon may be missing or corrupted.");
  int frame = 2 * GetSystemMetrics(SM_CXDLGFRAME);
  EXPECT_LE(s.client.right + frame, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(s.prompt.right, s.client.right);
  // Wrapped: more lines than the two of the message.
  EXPECT_GT(s.prompt.bottom - s.prompt.top, s.pictureHeight);
}

// Runs a step from the box's own message loop once it is up (the answerer sees it first).
std::function<void()> pendingStep;
void CALLBACK RunPendingStep(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto step = std::move(pendingStep);
  pendingStep = nullptr;
  if (step) step();
}

// A key pressed and released on the focused window, through the program's message handling.
void Key(WORD vk) {
  MSG m{GetFocus(), WM_KEYDOWN, vk, 1, 0, {}};
  App().ProcessMessage(m);
  m.message = WM_KEYUP;
  m.lParam = static_cast<LPARAM>(0xC0000001u);
  App().ProcessMessage(m);
}

TEST(QuestionBox, FocusStartsOnTheDefaultTabFollowsTheButtonsAndAltNAnswersNo) {
  App().Initialize(GetModuleHandleA(nullptr));
  DialogAnswerer answer;
  answer.AlsoAnswer("ZwDialog");
  std::vector<std::string> focused;
  answer.OnDialog([&](HWND h) {
    auto* box = dynamic_cast<TAskUserDialog*>(WinControl::FromHandle(h));
    pendingStep = [&focused, box] {
      auto name = [box](HWND f) {
        return f == box->YesBtn->hwnd ? box->YesBtn->caption : f == box->NoBtn->hwnd ? box->NoBtn->caption
               : f == box->CancelBtn->hwnd ? box->CancelBtn->caption : std::string("?");
      };
      focused.push_back(name(GetFocus()));
      for (int i = 0; i < 3; ++i) {
        Key(VK_TAB);
        focused.push_back(name(GetFocus()));
      }
      MSG alt{GetFocus(), WM_SYSCHAR, 'n', 1 << 29, 0, {}};
      App().ProcessMessage(alt);
      if (box->modalResult == mrNone) box->modalResult = mrCancel;
    };
    SetTimer(nullptr, 0, 20, RunPendingStep);
    return -1;
  });
  EXPECT_EQ(AskYesCancelNo("Save Icon", "Untitled\rhas been modified."), mrNo);
  EXPECT_EQ(focused, (std::vector<std::string>{"&Yes", "&No", "Cancel", "&Yes"}));
}

}  // namespace
