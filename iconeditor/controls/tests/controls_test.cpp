// The editor's controls on real bitmaps: the shaded button's rings, patterns and mouse rules,
// the star's segments, the slider's thumb and drag, the balloon's stem, the image's tiling and
// transparency, and the 3-D label's style flips.
#include <gtest/gtest.h>

#include "application.h"
#include "balloon.h"
#include "description.h"
#include "form.h"
#include "label3d.h"
#include "message_boxes.h"
#include "slider.h"
#include "zon_image.h"
#include "zon_star.h"

using namespace zw;

namespace {

const COLORREF kWhite = 0xFFFFFF, kGray = 0x808080, kBack = RGB(1, 2, 3), kMaroon = RGB(128, 0, 0);

// A palette button of the editor: 17 x 12, zw3DBorder, pen width 0.
TZonBtn PaletteButton(COLORREF c) {
  TZonBtn b;
  b.width = 17;
  b.height = 12;
  b.SetPenWidth(0);
  b.SetColor(c);
  return b;
}

Bitmap Render(GraphicControl& g) {
  Bitmap bmp(g.width, g.height);
  bmp.Fill(kBack);
  g.PaintTo(bmp.canvas());
  return bmp;
}

TEST(ZonBtn, ThreeDBorderUpShowsWhiteTopLeftAndGrayBottomRightRings) {
  App().Initialize(GetModuleHandleA(nullptr));
  TZonBtn b = PaletteButton(kMaroon);
  Bitmap up = Render(b);
  // Outer ring: top row and left column white, bottom row 10 and right column 15 gray.
  EXPECT_EQ(up.Get(0, 0), kWhite);
  EXPECT_EQ(up.Get(15, 0), kWhite);
  EXPECT_EQ(up.Get(0, 10), kWhite);
  EXPECT_EQ(up.Get(15, 5), kGray);
  EXPECT_EQ(up.Get(8, 10), kGray);
  EXPECT_EQ(up.Get(15, 10), kGray);
  // Inner ring one pixel in.
  EXPECT_EQ(up.Get(1, 1), kWhite);
  EXPECT_EQ(up.Get(14, 1), kWhite);
  EXPECT_EQ(up.Get(14, 5), kGray);
  EXPECT_EQ(up.Get(8, 9), kGray);
  // The face, filled edge to edge under the rings (no outline with pen width 0).
  EXPECT_EQ(up.Get(2, 2), kMaroon);
  EXPECT_EQ(up.Get(13, 8), kMaroon);
  // The last column and row are left to what lies beneath.
  EXPECT_EQ(up.Get(16, 5), kBack);
  EXPECT_EQ(up.Get(5, 11), kBack);
}

TEST(ZonBtn, PressedButtonSwapsTheRingColoursAndMouseRulesHold) {
  App().Initialize(GetModuleHandleA(nullptr));
  TZonBtn b = PaletteButton(kMaroon);
  int downs = 0, ups = 0;
  b.OnMouseDown = [&](Component*, MouseButton, ShiftState, int, int) { ++downs; };
  b.OnMouseUp = [&](Component*, MouseButton, ShiftState, int, int) { ++ups; };
  // A right press neither presses nor fires mouse-down; its mouse-up fires.
  b.MouseDown(MouseButton::Right, ssRight, 5, 5);
  EXPECT_FALSE(b.Down());
  b.MouseUp(MouseButton::Right, 0, 5, 5);
  EXPECT_EQ(downs, 0);
  EXPECT_EQ(ups, 1);
  b.MouseDown(MouseButton::Left, ssLeft, 5, 5);
  EXPECT_TRUE(b.Down());
  EXPECT_EQ(downs, 1);
  Bitmap down = Render(b);
  EXPECT_EQ(down.Get(0, 0), kGray);
  EXPECT_EQ(down.Get(1, 1), kGray);
  EXPECT_EQ(down.Get(15, 5), kWhite);
  EXPECT_EQ(down.Get(8, 9), kWhite);
  EXPECT_EQ(down.Get(5, 5), kMaroon);
  b.MouseUp(MouseButton::Left, 0, 5, 5);
  EXPECT_FALSE(b.Down());
  EXPECT_TRUE(b.lastUpRepainted);
  // A double click does not press it.
  b.MouseDown(MouseButton::Left, ssLeft | ssDouble, 5, 5);
  EXPECT_FALSE(b.Down());
}

TEST(ZonBtn, PatternOneLeavesTheBackgroundAndIsInvalidatedOnRelease) {
  App().Initialize(GetModuleHandleA(nullptr));
  TZonBtn t = PaletteButton(kMaroon);
  t.width = 20;
  t.height = 25;
  t.SetPattern(1);
  t.SetTransparent(true);
  Bitmap bmp = Render(t);
  EXPECT_EQ(bmp.Get(10, 12), kBack);
  EXPECT_EQ(bmp.Get(0, 0), kWhite);
  EXPECT_EQ(bmp.Get(18, 12), kGray);
  t.MouseDown(MouseButton::Left, ssLeft, 3, 3);
  t.MouseUp(MouseButton::Left, 0, 3, 3);
  EXPECT_FALSE(t.lastUpRepainted);
}

TEST(ZonBtn, TransparentPatternDrawsOnlyItsDarkPixels) {
  App().Initialize(GetModuleHandleA(nullptr));
  TZonBtn b = PaletteButton(kMaroon);
  b.width = 40;
  b.height = 40;
  b.SetPattern(2);  // a fine checker: dark at (even, even) pixels of each 8 x 8 cell
  b.SetTransparent(true);
  Bitmap bmp = Render(b);
  EXPECT_EQ(bmp.Get(8, 8), 0u);
  EXPECT_EQ(bmp.Get(9, 8), kBack);
  b.SetTransparent(false);
  bmp = Render(b);
  EXPECT_EQ(bmp.Get(8, 8), 0u);
  EXPECT_EQ(bmp.Get(9, 8), kMaroon);
}

TEST(ZonBtn, EllipsePressOutsideTheEllipseDoesNotPress) {
  TZonBtn b;
  b.SetBtnStyle(zwEllipse);
  int downs = 0;
  b.OnMouseDown = [&](Component*, MouseButton, ShiftState, int, int) { ++downs; };
  b.MouseDown(MouseButton::Left, ssLeft, 2, 2);  // corner of the 65 x 65 box
  EXPECT_FALSE(b.Down());
  EXPECT_EQ(downs, 0);
  b.MouseDown(MouseButton::Left, ssLeft, 32, 32);
  EXPECT_TRUE(b.Down());
  EXPECT_EQ(downs, 1);
}

TEST(ZonStar, SegmentsAreTheDiagonalTrianglesAndDiagonalsResolveConsistently) {
  struct { int x, y, seg; } cases[] = {
      {12, 2, 2}, {12, 22, 3}, {2, 12, 0}, {22, 12, 1},
      {5, 5, 0}, {20, 5, 1}, {5, 20, 0}, {20, 20, 1},  // on the diagonals
      {0, 0, 0}, {25, 0, 1}, {12, 12, 0}, {13, 13, 1}};
  for (auto& c : cases) EXPECT_EQ(TZonStar::SegmentAt(c.x, c.y, 25, 25), c.seg) << c.x << "," << c.y;
}

TEST(ZonStar, PressedSegmentSwapsItsColours) {
  App().Initialize(GetModuleHandleA(nullptr));
  TZonStar s;
  s.width = s.height = 25;
  Bitmap normal(25, 25), pressed(25, 25);
  normal.Fill(kBack);
  pressed.Fill(kBack);
  s.DrawSegment(normal.canvas(), 2, false);
  s.DrawSegment(pressed.canvas(), 2, true);
  // (0,0)->(12,12) gray / pressed white; (25,0)->(0,0) white / pressed gray.
  EXPECT_EQ(normal.Get(4, 4), kGray);
  EXPECT_EQ(pressed.Get(4, 4), kWhite);
  EXPECT_EQ(normal.Get(10, 0), kWhite);
  EXPECT_EQ(pressed.Get(10, 0), kGray);
  s.DrawSegment(normal.canvas(), 3, false);
  s.DrawSegment(pressed.canvas(), 3, true);
  EXPECT_EQ(normal.Get(20, 20), kGray);  // (12,12)->(24,24)
  EXPECT_EQ(pressed.Get(20, 20), 0u);
  EXPECT_EQ(pressed.Get(10, 24), kWhite);  // back along the bottom edge
  // The whole star leaves everything but its lines and centre untouched.
  Bitmap whole = Render(s);
  EXPECT_EQ(whole.Get(12, 5), kBack);
  EXPECT_EQ(whole.Get(12, 12), RGB(192, 192, 192));  // centre square's brush
  EXPECT_EQ(whole.Get(7, 7), 0u);                   // centre square's pen
}

// The editor's zoom slider.
struct EditorSlider : TSlider {
  EditorSlider() {
    width = 21;
    height = 73;
    trackWidth = 4;
    thumbHeight = 8;
    SetMaximum(20);
    SetMinimum(2);
  }
};

int ThumbTop(const Bitmap& b) {
  // The thumb's top edge is the only white run across the full width at column 0.
  for (int y = 0; y < b.Height(); ++y)
    if (b.Get(0, y) == kWhite && b.Get(5, y) == kWhite) return y;
  return -1;
}

TEST(Slider, ThumbRowsFollowTheValueInTheEditorsSlider) {
  App().Initialize(GetModuleHandleA(nullptr));
  EditorSlider s;
  EXPECT_EQ(s.Value(), 2);
  Bitmap b(21, 73);
  s.Paint(b.canvas());
  EXPECT_EQ(ThumbTop(b), 65);
  EXPECT_EQ(s.ThumbRect().bottom, 73);
  EXPECT_EQ(b.Get(0, 64), s.color);
  s.SetValue(20);
  s.DrawThumb(b.canvas());  // erases the old thumb, draws the new one
  EXPECT_EQ(ThumbTop(b), 0);
  EXPECT_EQ(s.ThumbRect().bottom, 8);
  EXPECT_EQ(b.Get(0, 68), s.color);  // the old thumb is gone
  // A disabled slider draws its thumb gray.
  s.SetEnabled(false);
  s.Paint(b.canvas());
  EXPECT_EQ(b.Get(5, 4), kGray);
}

TEST(Slider, ValueIsClampedAndChangeEventsFireOnlyOnChanges) {
  EditorSlider s;
  int fired = 0;
  s.OnValueChange = [&](Component*) { ++fired; };
  s.SetValue(-5);
  EXPECT_EQ(s.Value(), 2);
  EXPECT_EQ(fired, 0);
  s.SetValue(99);
  EXPECT_EQ(s.Value(), 20);
  EXPECT_EQ(fired, 1);
  s.SetMaximum(10);
  EXPECT_EQ(s.Value(), 10);
  EXPECT_EQ(fired, 2);
  // Equal bounds do not divide by zero.
  s.SetMinimum(10);
  Bitmap b(21, 73);
  s.Paint(b.canvas());
  EXPECT_EQ(s.ThumbRect().bottom, 73);
}

TEST(Slider, DragOfFourPixelsRaisesTheValueByOneAndEndsWithOneMoreEvent) {
  App().Initialize(GetModuleHandleA(nullptr));
  Form host;
  host.width = 100;
  host.height = 150;
  ASSERT_TRUE(host.Create());
  auto* s = new EditorSlider;
  host.Adopt(std::unique_ptr<Component>(s));
  host.AddChild(s);
  ASSERT_NE(s->hwnd, nullptr);
  HDC dc = GetDC(s->hwnd);
  {
    Canvas c(dc);
    s->Paint(c);
  }
  ReleaseDC(s->hwnd, dc);
  std::vector<int> seen;
  s->OnValueChange = [&](Component*) { seen.push_back(s->Value()); };
  SendMessageA(s->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 69));
  EXPECT_TRUE(s->Dragging());
  SendMessageA(s->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 67));  // 2 pixels: nothing yet
  SendMessageA(s->hwnd, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(10, 10));  // ignored
  SendMessageA(s->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 65));
  EXPECT_EQ(s->Value(), 3);
  SendMessageA(s->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 65));
  EXPECT_FALSE(s->Dragging());
  EXPECT_EQ(seen, (std::vector<int>{3, 3}));
  // A click above the thumb raises the value by one per half thumb of distance.
  SendMessageA(s->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, s->ThumbRect().top - 8));
  SendMessageA(s->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 0));
  EXPECT_EQ(s->Value(), 5);
  // Losing the mouse during a drag ends it (and shows the cursor again).
  SendMessageA(s->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, s->ThumbRect().top + 2));
  EXPECT_TRUE(s->Dragging());
  ReleaseCapture();
  EXPECT_FALSE(s->Dragging());
}

TEST(Balloon, StemTipsForEachSideAndOffset) {
  TBalloon b;
  b.width = 100;
  b.height = 40;
  POINT p[3];
  b.StemPoints(p);  // left, offset 0
  EXPECT_EQ(p[0].x, 0);
  EXPECT_EQ(p[0].y, 20);
  EXPECT_EQ(p[1].x, 12);
  EXPECT_EQ(p[1].y, 16);
  b.stemPos = spTop;
  b.stemOffset = 10;
  b.StemPoints(p);
  EXPECT_EQ(p[0].x, 60);
  EXPECT_EQ(p[0].y, 0);
  b.stemPos = spRight;
  b.StemPoints(p);
  EXPECT_EQ(p[0].x, 100);
  EXPECT_EQ(p[0].y, 30);
  EXPECT_EQ(p[2].x, 87);
  b.stemPos = spBottom;
  b.stemOffset = -5;
  b.StemPoints(p);
  EXPECT_EQ(p[0].x, 45);
  EXPECT_EQ(p[0].y, 39);
  EXPECT_EQ(p[1].y, 27);
}

TEST(Balloon, OneLineIsCentredVerticallyAndEmptyCaptionMeasuresOneLine) {
  App().Initialize(GetModuleHandleA(nullptr));
  TBalloon b;
  b.width = 200;
  b.height = 80;
  b.SetCaption("");
  int one = b.TextHeight();
  EXPECT_GT(one, 8);
  b.SetCaption("Hello");
  EXPECT_EQ(b.TextHeight(), one);
  RECT t = b.TextRect();
  EXPECT_EQ(t.bottom - t.top, one);
  EXPECT_NEAR((t.top + t.bottom) / 2, 40, 1);
  Bitmap bmp = Render(b);
  EXPECT_EQ(bmp.Get(0, 40), 0u);          // the stem's tip, outlined black
  EXPECT_EQ(bmp.Get(12, 40), kWhite);     // the opening where the stem joins the body
  EXPECT_EQ(bmp.Get(150, 5), kWhite);     // the body
}

TEST(Image, TileOriginsTransparencyAndAutoSize) {
  App().Initialize(GetModuleHandleA(nullptr));
  Bitmap pic(16, 16);
  pic.Fill(RGB(0, 0, 255));
  pic.Set(0, 0, RGB(255, 0, 0));
  TZonImage img;
  img.width = 40;
  img.height = 20;
  img.SetPicture(pic);
  img.SetTile(true);
  Bitmap out = Render(img);
  for (int x : {0, 16, 32})
    for (int y : {0, 16}) EXPECT_EQ(out.Get(x, y), RGB(255, 0, 0)) << x << "," << y;
  EXPECT_EQ(out.Get(1, 1), RGB(0, 0, 255));

  // Transparent: the top-left pixel's colour shows the parent's colour.
  Form parent;
  parent.color = RGB(0, 128, 0);
  TZonImage t;
  parent.AddChild(&t);
  Bitmap w(8, 8);
  w.Set(3, 3, RGB(0, 0, 128));
  t.SetPicture(w);
  t.SetTransparent(true);
  Bitmap shown = Render(t);
  EXPECT_EQ(shown.Get(0, 0), RGB(0, 128, 0));
  EXPECT_EQ(shown.Get(3, 3), RGB(0, 0, 128));
  parent.RemoveChild(&t);

  TZonImage a;
  a.SetAutoSize(true);
  a.SetPicture(pic);
  EXPECT_EQ(a.width, 16);
  a.SetTile(true);
  a.SetPicture(Bitmap(30, 30));
  EXPECT_EQ(a.width, 16);
  // The canvas needs a bitmap picture.
  TZonImage i;
  i.SetPictureIcon(CopyIcon(LoadIcon(nullptr, IDI_APPLICATION)));
  EXPECT_EQ(i.GetCanvas(), nullptr);
  EXPECT_STREQ(kImageCanvasError, "The image canvas needs a bitmap");
  TZonImage e;
  e.width = 10;
  e.height = 7;
  e.GetCanvas();
  EXPECT_EQ(e.PictureBitmap().Width(), 10);
}

TEST(Label3D, StyleFlipsNegateTheOffsetAndButtonModeFollowsTheMouse) {
  TLabel3D l;
  l.SetOffset(2);
  l.SetLabelStyle(lsLowered);
  EXPECT_EQ(l.Offset(), -2);
  l.SetLabelStyle(lsLowered);
  EXPECT_EQ(l.Offset(), -2);
  l.SetLabelStyle(lsRaised);
  EXPECT_EQ(l.Offset(), 2);
  l.width = 50;
  l.height = 20;
  int clicks = 0;
  l.OnMouseDown = [&](Component*, MouseButton, ShiftState, int, int) { ++clicks; };
  l.SetAsButton(true);
  l.MouseDown(MouseButton::Left, ssLeft, 5, 5);
  EXPECT_EQ(l.LabelStyle(), lsLowered);
  l.MouseMove(ssLeft, 60, 5);
  EXPECT_EQ(l.LabelStyle(), lsRaised);
  l.MouseMove(ssLeft, 50, 20);  // edges count as inside
  EXPECT_EQ(l.LabelStyle(), lsLowered);
  l.MouseUp(MouseButton::Left, 0, 5, 5);
  EXPECT_EQ(l.LabelStyle(), lsRaised);
  EXPECT_EQ(l.Offset(), 2);
  EXPECT_EQ(clicks, 0);
}

}  // namespace

namespace {

TEST(ZonBtn, GradientGrowsLighterTowardTheTopUpAndTheBottomDown) {
  App().Initialize(GetModuleHandleA(nullptr));
  TZonBtn b;
  b.width = 60;
  b.height = 60;
  b.SetBtnStyle(zwGrad3DBorder);
  b.SetColor(RGB(0, 0, 128));
  Bitmap up = Render(b);
  EXPECT_GT(GetBValue(up.Get(30, 5)), GetBValue(up.Get(30, 54)));
  EXPECT_GT(GetRValue(up.Get(30, 5)), GetRValue(up.Get(30, 54)));
  b.MouseDown(MouseButton::Left, ssLeft, 30, 30);
  Bitmap down = Render(b);
  EXPECT_LT(GetRValue(down.Get(30, 5)), GetRValue(down.Get(30, 54)));
  // A face lower than 16 pixels still paints (the step is at least 1).
  b.height = 10;
  Bitmap flat = Render(b);
  EXPECT_NE(flat.Get(30, 5), kBack);
}

TEST(ZonBtn, CaptionLinesAndSpeedKey) {
  App().Initialize(GetModuleHandleA(nullptr));
  TZonBtn b;
  b.width = 120;
  b.height = 40;
  b.SetCaption("Top~Bottom");
  b.SetSpeedKeyOn(true);
  b.SetSpeedKey(scCtrl | 'N');
  Bitmap bmp = Render(b);
  int darkTop = 0, darkBottom = 0;
  for (int x = 0; x < 120; ++x)
    for (int y = 3; y < 37; ++y)
      if (bmp.Get(x, y) == 0) (y < 20 ? darkTop : darkBottom)++;
  EXPECT_GT(darkTop, 5);
  EXPECT_GT(darkBottom, darkTop);  // "Bottom = Ctrl+N" is the longer line
}

TEST(Slider, HorizontalDragMovesByTheRangeOverTheTrack) {
  App().Initialize(GetModuleHandleA(nullptr));
  Form host;
  host.width = 300;
  host.height = 100;
  ASSERT_TRUE(host.Create());
  auto* s = new TSlider;
  s->orientation = slHoriz;
  s->SetBounds(0, 0, 210, 20);
  s->thumbHeight = 10;
  host.Adopt(std::unique_ptr<Component>(s));
  host.AddChild(s);
  Bitmap b(210, 20);
  s->Paint(b.canvas());
  EXPECT_EQ(s->ThumbRect().left, 0);
  SendMessageA(s->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 10));
  SendMessageA(s->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(105, 10));
  SendMessageA(s->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(105, 10));
  EXPECT_EQ(s->Value(), 50);  // 100 pixels of a 200-pixel travel over a range of 100
}

}  // namespace

namespace {

struct AccelForm : Form {
  static const FormTable& Table() {
    static const FormTable t = {};
    return t;
  }
};

TEST(Balloon, ItsAcceleratorFocusesItsControl) {
  App().Initialize(GetModuleHandleA(nullptr));
  RegisterEditorControls();
  AccelForm f;
  auto errors = f.Load(
      "Form F {\n"
      "  Edit Name1 { Left = 10 Top = 60 Width = 80 Height = 20 }\n"
      "  Edit Other { Left = 10 Top = 90 Width = 80 Height = 20 }\n"
      "  TBalloon B { Width = 100 Height = 40 Caption = \"Your &name\" ShowAccelChar = True FocusControl = Name1 }\n"
      "}\n",
      AccelForm::Table());
  ASSERT_TRUE(errors.empty()) << errors[0];
  ASSERT_TRUE(f.Create());
  f.Show();
  auto* other = f.Find<Edit>("Other");
  other->SetFocus();
  SendMessageA(f.hwnd, WM_SYSCHAR, 'x', 0);
  EXPECT_EQ(GetFocus(), other->hwnd);
  SendMessageA(f.hwnd, WM_SYSCHAR, 'N', 0);
  EXPECT_EQ(GetFocus(), f.Find<Edit>("Name1")->hwnd);
  EXPECT_TRUE(IsAccel('n', "Your &name"));
  EXPECT_FALSE(IsAccel('n', "Fish && &chips"));
  EXPECT_TRUE(IsAccel('C', "Fish && &chips"));
}

}  // namespace
