// The forms layer: canvas pixel results, descriptions (building, binding, reporting wrong
// names), mouse routing to graphic controls, speed button groups and menu short-cuts.
#include <gtest/gtest.h>

#include "application.h"
#include "description.h"
#include "form.h"
#include "menu.h"
#include "dialog_answerer.h"
#include "pump.h"
#include "std_controls.h"

using namespace zw;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255), kBlack = 0;

TEST(Canvas, RectangleWithPenAndBrushCoversExactPixels) {
  Bitmap b(10, 10);
  Canvas& c = b.canvas();
  c.pen.color = kRed;
  c.brush.color = kBlue;
  c.Rectangle(2, 2, 6, 5);  // right and bottom exclusive
  EXPECT_EQ(b.Get(2, 2), kRed);
  EXPECT_EQ(b.Get(5, 4), kRed);
  EXPECT_EQ(b.Get(3, 3), kBlue);
  EXPECT_EQ(b.Get(6, 4), kWhite);
  EXPECT_EQ(b.Get(5, 5), kWhite);
  // A clear brush leaves the inside alone.
  c.brush.style = BrushStyle::Clear;
  c.pen.color = kBlack;
  c.Rectangle(0, 0, 10, 10);
  EXPECT_EQ(b.Get(0, 9), kBlack);
  EXPECT_EQ(b.Get(1, 1), kWhite);
  EXPECT_EQ(b.Get(3, 3), kBlue);
}

TEST(Canvas, XorPenDrawnTwiceRestoresAndLinesExcludeTheirEnd) {
  Bitmap b(8, 8);
  b.Fill(RGB(10, 20, 30));
  Canvas& c = b.canvas();
  c.pen.color = kWhite;
  c.pen.mode = PenMode::Xor;
  c.MoveTo(0, 3);
  c.LineTo(5, 3);
  EXPECT_EQ(b.Get(0, 3), RGB(245, 235, 225));
  EXPECT_EQ(b.Get(4, 3), RGB(245, 235, 225));
  EXPECT_EQ(b.Get(5, 3), RGB(10, 20, 30));
  c.MoveTo(0, 3);
  c.LineTo(5, 3);
  EXPECT_EQ(b.Get(2, 3), RGB(10, 20, 30));
}

TEST(Canvas, CopyModesAndTransparentCopy) {
  Bitmap src(4, 4), dst(4, 4);
  src.Fill(RGB(0x0F, 0xF0, 0x55));
  src.Set(1, 1, kWhite);
  dst.Fill(RGB(0xFF, 0x0F, 0x0F));
  RECT all{0, 0, 4, 4};
  dst.canvas().CopyRect(all, src, all, CopyMode::And);
  EXPECT_EQ(dst.Get(0, 0), RGB(0x0F, 0x00, 0x05));
  dst.canvas().CopyRect(all, src, all, CopyMode::InverseCopy);
  EXPECT_EQ(dst.Get(0, 0), RGB(0xF0, 0x0F, 0xAA));
  EXPECT_EQ(dst.Get(1, 1), kBlack);
  dst.canvas().CopyRect(all, src, all, CopyMode::Whiteness);
  EXPECT_EQ(dst.Get(2, 2), kWhite);
  dst.Fill(kRed);
  dst.canvas().CopyTransparent(all, src, all, kWhite);
  EXPECT_EQ(dst.Get(1, 1), kRed);  // the transparent colour left the background
  EXPECT_EQ(dst.Get(2, 1), RGB(0x0F, 0xF0, 0x55));
}

TEST(Canvas, StretchDrawAndResizeKeepPixels) {
  Bitmap small(2, 2);
  small.Set(0, 0, kRed);
  small.Set(1, 1, kBlue);
  Bitmap big(4, 4);
  big.canvas().StretchDraw(RECT{0, 0, 4, 4}, small);
  EXPECT_EQ(big.Get(1, 1), kRed);
  EXPECT_EQ(big.Get(2, 2), kBlue);
  EXPECT_EQ(big.Get(3, 0), kWhite);
  big.SetSize(6, 6);
  EXPECT_EQ(big.Get(3, 3), kBlue);
  EXPECT_EQ(big.Get(5, 5), kWhite);
  EXPECT_EQ(big.Get(-1, 0), 0u);  // out of range reads are harmless
  big.Set(99, 99, kRed);
}

TEST(Canvas, TextIsMeasuredAndDrawn) {
  Bitmap b(60, 20);
  Canvas& c = b.canvas();
  c.font = FontSpec{"Arial", 13};
  EXPECT_GT(c.TextWidth("MMM"), c.TextWidth("M"));
  EXPECT_GE(c.TextHeight("M"), 12);
  c.brush.style = BrushStyle::Clear;
  c.TextOut(2, 2, "MM");
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) dark += b.Get(x, y) == kBlack;
  EXPECT_GT(dark, 5);
}

// --- Descriptions ---

#define TEST_FORM_COMPONENTS(X)                                                                      \
  X(Panel, Panel1) X(SpeedButton, Tool1) X(SpeedButton, Tool2) X(PaintBox, Lower) X(PaintBox, Upper) \
  X(Label, Label1) X(Timer, Timer1) X(MenuItem, New1) X(MenuItem, File1)
#define TEST_FORM_HANDLERS(X)                                                                           \
  X(Notify, FormCreate) X(KeyPress, FormKeyPress) X(Notify, ToolClick) X(Mouse, BoxMouseDown)          \
  X(Mouse, BoxMouseUp) X(Notify, BoxClick) X(Notify, NewClick) X(Notify, FileOpened) X(Notify, TimerTick)

class TestForm : public Form {
 public:
  ZW_FORM_MEMBERS(TEST_FORM_COMPONENTS, TEST_FORM_HANDLERS)
  std::vector<std::string> log;
};

ZW_FORM_TABLE(TestForm, TEST_FORM_COMPONENTS, TEST_FORM_HANDLERS)

void TestForm::FormCreate(Component*) { log.push_back("create"); }
void TestForm::FormKeyPress(Component*, char& k) {
  log.push_back(std::string("key ") + k);
  if (k == 'x') k = 0;
}
void TestForm::ToolClick(Component* s) { log.push_back("tool " + s->name); }
void TestForm::BoxMouseDown(Component* s, MouseButton, ShiftState, int x, int y) {
  log.push_back("down " + s->name + " " + std::to_string(x) + "," + std::to_string(y));
}
void TestForm::BoxMouseUp(Component* s, MouseButton, ShiftState, int, int) { log.push_back("up " + s->name); }
void TestForm::BoxClick(Component* s) { log.push_back("click " + s->name); }
void TestForm::NewClick(Component* s) { log.push_back("new " + s->name); }
void TestForm::FileOpened(Component*) { log.push_back("file"); }
void TestForm::TimerTick(Component*) { log.push_back("tick"); }

std::string Join(const std::vector<std::string>& v) {
  std::string s;
  for (auto& e : v) s += e + "\n";
  return s;
}

std::unique_ptr<TestForm> MakeTestForm() {
  App().Initialize(GetModuleHandleA(nullptr));
  auto f = std::make_unique<TestForm>();
  auto errors = f->LoadResource("TestForm", TestForm::Table());
  EXPECT_TRUE(errors.empty()) << Join(errors);
  EXPECT_TRUE(f->Create());
  return f;
}

// Windows of other code keep anything in their user data: only our own controls are found, and a
// notification from a foreign window reaches no control.
TEST(Windows, FromHandleFindsOnlyOurOwnControls) {
  auto f = MakeTestForm();
  auto* box = new Edit;
  f->Adopt(std::unique_ptr<Component>(box));
  f->AddChild(box);
  ASSERT_NE(box->hwnd, nullptr);
  EXPECT_EQ(WinControl::FromHandle(f->hwnd), f.get());
  EXPECT_EQ(WinControl::FromHandle(box->hwnd), box);
  int junk[16] = {};
  HWND edit = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 10, 10, f->hwnd, nullptr, nullptr, nullptr);
  HWND button = CreateWindowA("BUTTON", "", WS_CHILD, 0, 0, 10, 10, f->hwnd, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));  // ours, but another window's
  SetWindowLongPtrA(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(junk));
  EXPECT_EQ(WinControl::FromHandle(edit), nullptr);
  EXPECT_EQ(WinControl::FromHandle(button), nullptr);
  SendMessageA(f->hwnd, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  // A control freed is no longer found through a window that still names it.
  HWND boxWindow = box->hwnd;
  SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
  f->Release(box);
  EXPECT_FALSE(IsWindow(boxWindow));
  EXPECT_EQ(WinControl::FromHandle(edit), nullptr);
  DestroyWindow(edit);
  DestroyWindow(button);
}

TEST(Description, BuildsTreeBindsFieldsAndHandlers) {
  auto f = MakeTestForm();
  ASSERT_NE(f->Panel1, nullptr);
  EXPECT_EQ(f->Tool1->parent, f->Panel1);
  EXPECT_EQ(f->Upper->parent, f.get());
  EXPECT_EQ(f->caption, "Test form");
  EXPECT_TRUE(f->keyPreview);
  EXPECT_EQ(f->log, std::vector<std::string>{"create"});
  EXPECT_EQ(sw::test::WindowText(f->hwnd), "Test form");
  // The bottom panel is laid along the client area's bottom edge.
  RECT cr;
  GetClientRect(f->hwnd, &cr);
  EXPECT_EQ(f->Panel1->top, cr.bottom - 40);
  EXPECT_EQ(f->Panel1->width, cr.right);
  // Minimum tracking size.
  MINMAXINFO mmi{};
  SendMessageA(f->hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(mmi.ptMinTrackSize.x, 200);
  EXPECT_EQ(mmi.ptMinTrackSize.y, 150);
}

TEST(Description, ReportsEveryWrongNameWithItsLine) {
  App().Initialize(GetModuleHandleA(nullptr));
  const char* text =
      "Form TestForm {\n"
      "  OnCreate = FormCreat\n"          // misspelled handler
      "  Panel Panel1 { Heigth = 4 }\n"  // misspelled property
      "  Pannel Tool1 { }\n"              // unknown class
      "  PaintBox Lower { OnMouseDown = ToolClick Width = \"wide\" }\n"  // wrong kind, bad value
      "}\n";
  TestForm f;
  auto errors = f.Load(text, TestForm::Table());
  std::string all = Join(errors);
  EXPECT_NE(all.find("line 2: no handler named FormCreat"), std::string::npos) << all;
  EXPECT_NE(all.find("line 3: Panel Panel1 has no property Heigth"), std::string::npos) << all;
  EXPECT_NE(all.find("line 4: unknown class Pannel"), std::string::npos) << all;
  EXPECT_NE(all.find("line 5: handler ToolClick does not fit event OnMouseDown"), std::string::npos) << all;
  EXPECT_NE(all.find("line 5: bad value for Lower.Width"), std::string::npos) << all;
  EXPECT_NE(all.find("no component named Upper"), std::string::npos) << all;
  EXPECT_EQ(f.FindComponent("Panel1"), nullptr);  // nothing is kept from a wrong description

  DescNode root;
  std::string err;
  EXPECT_FALSE(ParseDescription("Form F {\n  Caption = \"open\n}", root, &err));
  EXPECT_EQ(err, "line 2: unterminated string");
  EXPECT_FALSE(ParseDescription("Form F {\n Panel P {\n", root, &err));
  EXPECT_NE(err.find("'}' missing"), std::string::npos);
}

// --- Mouse routing ---

TEST(Routing, ClickGoesToTheTopMostGraphicControlAndCaptureFollowsThePress) {
  auto f = MakeTestForm();
  f->log.clear();
  // (40, 40) lies in both boxes: Upper was created later, so it is on top.
  SendMessageA(f->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
  SendMessageA(f->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(45, 45));
  // (15, 15) only in Lower; a release far outside goes to the control pressed, without a click.
  SendMessageA(f->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
  SendMessageA(f->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  SendMessageA(f->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 70));
  SendMessageA(f->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(-5, 70));  // signed coordinates
  std::vector<std::string> want{"down Upper 10,10", "up Upper", "click Upper", "down Lower 5,5", "down Upper 40,40",
                                "up Upper"};
  EXPECT_EQ(f->log, want);
  // A hidden control takes no input.
  f->Upper->SetVisible(false);
  f->log.clear();
  SendMessageA(f->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
  SendMessageA(f->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
  EXPECT_EQ(f->log, std::vector<std::string>{"down Lower 30,30"});
}

TEST(Routing, SpeedButtonsOfOneGroupStayDownOneAtATime) {
  auto f = MakeTestForm();
  f->log.clear();
  HWND p = f->Panel1->hwnd;
  SendMessageA(p, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 10));
  SendMessageA(p, WM_LBUTTONUP, 0, MAKELPARAM(35, 10));
  EXPECT_TRUE(f->Tool2->down);
  EXPECT_FALSE(f->Tool1->down);
  EXPECT_EQ(f->log, std::vector<std::string>{"tool Tool2"});
  f->Tool1->SetEnabled(false);
  SendMessageA(p, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(p, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(f->Tool2->down);
}

// --- Menus, keys, timer ---

TEST(Menu, ShortCutsReachHandlersIncludingHiddenTwinsButNotDisabledItems) {
  EXPECT_EQ(TextToShortCut("Ctrl+N"), scCtrl | 'N');
  EXPECT_EQ(TextToShortCut("Shift+Del"), scShift | VK_DELETE);
  EXPECT_EQ(TextToShortCut("F2"), VK_F2);
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(ShortCutToText(scAlt | VK_BACK), "Alt+Backspace");
  EXPECT_EQ(ShortCutToText(scCtrl | VK_INSERT), "Ctrl+Ins");

  auto f = MakeTestForm();
  f->log.clear();
  EXPECT_TRUE(f->menu->HandleShortCut(scCtrl | 'N'));
  EXPECT_TRUE(f->menu->HandleShortCut(scAlt | VK_BACK));
  EXPECT_TRUE(f->menu->HandleShortCut(VK_F2));  // consumed, but the item is disabled
  EXPECT_FALSE(f->menu->HandleShortCut(scCtrl | 'Q'));
  std::vector<std::string> want{"file", "new New1", "file", "new NewHide1", "file"};
  EXPECT_EQ(f->log, want);
  // The menu bar shows the caption with its short-cut; the hidden twin is not in it.
  HMENU bar = GetMenu(f->hwnd);
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 3);
  char text[64] = "";
  GetMenuStringA(file, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&New\tCtrl+N");
  f->New1->SetEnabled(false);
  EXPECT_FALSE(f->New1->ShownEnabled());
  // Opening the popup runs its handler; a menu command runs the item's.
  f->log.clear();
  SendMessageA(f->hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  f->New1->SetEnabled(true);
  SendMessageA(f->hwnd, WM_COMMAND, f->New1->id, 0);
  EXPECT_EQ(f->log, (std::vector<std::string>{"file", "new New1"}));
}

TEST(Menu, KeyPreviewSeesCharactersFirstAndTimerTicks) {
  auto f = MakeTestForm();
  f->log.clear();
  MSG m{f->Panel1->hwnd, WM_CHAR, 'a', 0};
  EXPECT_FALSE(App().PreTranslate(m));
  MSG x{f->Panel1->hwnd, WM_CHAR, 'x', 0};
  EXPECT_TRUE(App().PreTranslate(x));  // the handler swallowed it
  EXPECT_EQ(f->log, (std::vector<std::string>{"key a", "key x"}));
  f->log.clear();
  f->Timer1->SetEnabled(true);
  EXPECT_TRUE(sw::test::PumpUntil([&] { return !f->log.empty(); }, 2000));
  f->Timer1->SetEnabled(false);
  EXPECT_EQ(f->log.front(), "tick");
}

}  // namespace

namespace {

// --- Modal forms, scrolling, labels ---

struct Box : Form {
  static const FormTable& Table() {
    static const FormTable t = {};
    return t;
  }
};

const char* kBox =
    "Form Box {\n"
    "  FormStyle = Dialog BorderStyle = Dialog ClientWidth = 200 ClientHeight = 80 Caption = \"Box\"\n"
    "  Button Go { Left = 10 Top = 40 Width = 60 Height = 24 Caption = \"Go\" ModalResult = 6 Default = True }\n"
    "  Button Stop { Left = 80 Top = 40 Width = 60 Height = 24 Caption = \"Stop\" ModalResult = 7 }\n"
    "}\n";

TEST(Modal, KeysAndOutsideAnswersPressTheButtonsOfTheirResult) {
  App().Initialize(GetModuleHandleA(nullptr));
  sw::test::DialogAnswerer answer;
  answer.AlsoAnswer("ZwDialog");
  // A fresh box each time: the answerer answers each window once.
  auto run = [] {
    Box box;
    if (!box.Load(kBox, Box::Table()).empty() || !box.Create()) return -1;
    int r = box.ShowModal();
    return IsWindowVisible(box.hwnd) ? -2 : r;
  };
  answer.Queue(IDNO);
  EXPECT_EQ(run(), 7);
  answer.Queue(IDOK);  // Enter: the default button
  EXPECT_EQ(run(), 6);
  answer.OnDialog([](HWND h) {
    PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
    return -1;
  });
  EXPECT_EQ(run(), mrCancel);
  answer.OnDialog([](HWND h) {
    PostMessageA(h, WM_CLOSE, 0, 0);
    return -1;
  });
  EXPECT_EQ(run(), mrCancel);
}

TEST(Layout, ScrollBoxScrollsItsChildrenAndGraphicHitTestsFollow) {
  App().Initialize(GetModuleHandleA(nullptr));
  Form f;
  f.width = 200;
  f.height = 200;
  ASSERT_TRUE(f.Create());
  auto* sb = new ScrollBox;
  sb->bordered = false;
  sb->SetBounds(0, 0, 100, 100);
  f.Adopt(std::unique_ptr<Component>(sb));
  f.AddChild(sb);
  auto* inner = new Panel;
  inner->SetBounds(0, 0, 300, 300);
  f.Adopt(std::unique_ptr<Component>(inner));
  sb->AddChild(inner);
  auto* box = new PaintBox;
  box->SetBounds(150, 150, 20, 20);
  f.Adopt(std::unique_ptr<Component>(box));
  inner->AddChild(box);
  sb->UpdateScrollRange();
  sb->ScrollTo(120, 130);
  RECT r;
  GetWindowRect(inner->hwnd, &r);
  POINT tl{r.left, r.top};
  ScreenToClient(sb->hwnd, &tl);
  EXPECT_EQ(tl.x, -120);
  EXPECT_EQ(tl.y, -130);
  EXPECT_EQ(GetScrollPos(sb->hwnd, SB_HORZ), 120);
  EXPECT_EQ(inner->GraphicAt(155, 155), box);  // the panel's own coordinates are unscrolled
  sb->ScrollTo(-5, 0);
  EXPECT_EQ(sb->originX, 0);
}

TEST(Layout, LabelsSizeThemselvesAndAlignedChildrenShareTheArea) {
  App().Initialize(GetModuleHandleA(nullptr));
  Label l;
  l.font = FontSpec{"Arial", 12};
  l.SetCaption("Magnify");
  int one = l.width;
  EXPECT_GT(one, 20);
  l.SetCaption("Magnify Magnify");
  EXPECT_GT(l.width, one);
  l.SetCaption("a\r\nb");
  EXPECT_GE(l.height, 2 * 12);

  Form f;
  f.width = 300;
  f.height = 200;
  ASSERT_TRUE(f.Create());
  Panel left, bottom, rest;
  left.align = Align::Left;
  left.width = 61;
  bottom.align = Align::Bottom;
  bottom.height = 33;
  rest.align = Align::Client;
  f.AddChild(&left);
  f.AddChild(&bottom);
  f.AddChild(&rest);
  RECT c;
  GetClientRect(f.hwnd, &c);
  EXPECT_EQ(bottom.top, c.bottom - 33);
  EXPECT_EQ(bottom.width, c.right);
  EXPECT_EQ(left.height, c.bottom - 33);
  EXPECT_EQ(rest.left, 61);
  EXPECT_EQ(rest.width, c.right - 61);
  bottom.SetVisible(false);  // a hidden aligned panel gives its room back
  EXPECT_EQ(left.height, c.bottom);
  f.RemoveChild(&left);
  f.RemoveChild(&bottom);
  f.RemoveChild(&rest);
}

}  // namespace
