// The drawing tools on real documents: lines, shapes, fill, selection and its frames, text,
// transformations and shifts; random gestures; and whole gestures through mouse messages at
// several zooms.
#include <random>

#include "editor_fixture.h"

namespace zwtest {
namespace {

const COLORREF kWhite = 0xFFFFFF, kBlack = 0, kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

class Tools : public Editor {
 protected:
  TIconForm* d = nullptr;
  void SetUp() override {
    Editor::SetUp();
    Start();
    d = NewDoc();
    main->drawing.leftColor = kRed;
    main->drawing.rightColor = kBlue;
  }
  // A gesture from cell to cell through the real canvas window.
  void Drag(int x0, int y0, int x1, int y1, bool right = false, WPARAM keys = 0) {
    Down(d, At(d, x0), At(d, y0), right, keys);
    Move(d, At(d, x1), At(d, y1), (right ? MK_RBUTTON : MK_LBUTTON) | keys);
    Up(d, At(d, x1), At(d, y1), right, keys);
  }
  std::vector<std::pair<int, int>> Coloured(COLORREF c) {
    std::vector<std::pair<int, int>> v;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (d->Picture().Get(x, y) == c) v.emplace_back(x, y);
    return v;
  }
  void Opaque(COLORREF c) {
    d->Picture().Fill(c);
    d->Mask().Fill(kBlack);
    d->UpdateMask();
  }
};

TEST_F(Tools, LinesCellByCellInPictureAndMask) {
  using C = std::vector<std::pair<int, int>>;
  Pick(main->LineTool);
  Drag(0, 0, 4, 1);
  EXPECT_EQ(Coloured(kRed), (C{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}));
  EXPECT_EQ(d->doc.image.transparent[2][1], 0);
  EXPECT_EQ(d->doc.image.transparent[2][0], 1);
  Opaque(kWhite);
  Drag(0, 1, 4, 0);
  // (the fill of white is the document's transparent colour too: only the line is red)
  EXPECT_EQ(Coloured(kRed), (C{{3, 0}, {4, 0}, {0, 1}, {1, 1}, {2, 1}}));
}

TEST_F(Tools, RectanglesAndEllipsesInTheirBoxes) {
  Pick(main->RectangleTool);
  Drag(3, 5, 10, 5);  // along one row: nothing
  EXPECT_TRUE(Coloured(kRed).empty());
  Drag(3, 5, 4, 6);  // one cell diagonally: 2 x 2
  EXPECT_EQ(Coloured(kRed).size(), 4u);
  EXPECT_EQ(d->doc.image.transparent[4][6], 0);
  Pick(main->FillCircleTool);
  Opaque(kWhite);
  Drag(0, 0, 31, 31, true);
  auto blue = Coloured(kBlue);
  EXPECT_EQ(d->Picture().Get(16, 0), kBlue);
  EXPECT_EQ(d->Picture().Get(0, 16), kBlue);
  EXPECT_EQ(d->Picture().Get(31, 16), kBlue);
  EXPECT_EQ(d->Picture().Get(16, 31), kBlue);
  EXPECT_EQ(d->Picture().Get(0, 0), kWhite);
  EXPECT_EQ(d->Picture().Get(31, 31), kWhite);
  EXPECT_GT(blue.size(), 700u);
  // A rectangle dragged from the right-bottom to the left-top covers the same cells.
  Opaque(kWhite);
  Pick(main->Fillrecttool);
  Drag(9, 9, 6, 7);
  EXPECT_EQ(Coloured(kRed).size(), 12u);
  EXPECT_EQ(d->Picture().Get(6, 7), kRed);
  EXPECT_EQ(d->Picture().Get(9, 9), kRed);
}

TEST_F(Tools, FloodFillRespectsDiagonalGapsMatchingSeedsAndTransparency) {
  Opaque(kWhite);
  // A diagonal wall from (0,8) to (8,0): the top-left corner is closed off 4-connectedly.
  for (int i = 0; i <= 8; ++i) d->Picture().Set(i, 8 - i, kBlack);
  Pick(main->FillTool);
  Down(d, At(d, 20), At(d, 20));
  Up(d, At(d, 20), At(d, 20));
  EXPECT_EQ(d->Picture().Get(20, 20), kRed);
  EXPECT_EQ(d->Picture().Get(1, 1), kWhite);  // beyond the diagonal gap
  EXPECT_EQ(d->Picture().Get(31, 0), kRed);
  // Filling the same colour and transparency again changes nothing.
  d->doc.modified = false;
  Down(d, At(d, 20), At(d, 20));
  Up(d, At(d, 20), At(d, 20));
  EXPECT_FALSE(d->doc.modified);
  // Same colour, other transparency: the whole region becomes transparent.
  main->drawing.leftColor = kRed;
  main->drawing.leftTransparent = true;
  Down(d, At(d, 20), At(d, 20));
  Up(d, At(d, 20), At(d, 20));
  EXPECT_EQ(d->doc.image.transparent[31][0], 1);
  EXPECT_EQ(d->doc.image.transparent[20][20], 1);
  EXPECT_EQ(d->doc.image.transparent[1][1], 0);
}

TEST_F(Tools, SelectionCutsOrCopiesAndShiftDragRestoresTheHole) {
  for (bool undoOn : {true, false}) {
    if (main->UndoOn1->checked != undoOn) main->UndoOn1Click(nullptr);
    Opaque(kBlue);
    Pick(main->PointerTool);
    Drag(2, 2, 5, 5, false, MK_SHIFT);
    EXPECT_TRUE(d->doc.floating);
    EXPECT_EQ(d->Picture().Get(3, 3), kBlue);  // Shift: a copy, the source stays
    EXPECT_EQ(d->doc.selectionRect.right, 6);
    main->DrawingToolClick(nullptr);  // places it
    EXPECT_FALSE(d->doc.floating);
    Pick(main->PointerTool);
    Drag(2, 2, 5, 5);
    EXPECT_EQ(d->Picture().Get(3, 3), kWhite);  // a transparent hole
    EXPECT_EQ(d->doc.image.transparent[3][3], 1);
    // Later work, then Shift-grabbing the magnified frame: the hole comes back, nothing older.
    EXPECT_EQ(d->PaintBox3->left, 2 * 8 + 1);
    SendMessageA(d->Panel3->hwnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(d->PaintBox3->left + 3, d->PaintBox3->top + 3));
    EXPECT_TRUE(d->DraggingSelection);
    EXPECT_EQ(d->Picture().Get(3, 3), kBlue) << undoOn;
    EXPECT_EQ(d->doc.image.transparent[3][3], 0);
    SendMessageA(d->Panel3->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(d->PaintBox3->left + 3 + 80, d->PaintBox3->top + 3));
    SendMessageA(d->Panel3->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(d->PaintBox3->left + 3, d->PaintBox3->top + 3));
    EXPECT_EQ(d->PaintBox2->left, 12);
    main->DrawingToolClick(nullptr);
    EXPECT_EQ(d->Picture().Get(13, 3), kBlue);
    EXPECT_EQ(d->Picture().Get(3, 3), kBlue);
  }
}

TEST_F(Tools, FlipsOfSelectionAndPictureUseTheirOwnAxes) {
  Opaque(kWhite);
  d->Picture().Set(0, 0, kRed);
  d->FlipHorizontal();  // the picture: left-right
  EXPECT_EQ(d->Picture().Get(31, 0), kRed);
  d->FlipVertical();
  EXPECT_EQ(d->Picture().Get(31, 31), kRed);
  d->Picture().Set(31, 31, kWhite);
  d->Picture().Set(4, 4, kRed);
  Pick(main->PointerTool);
  Drag(4, 4, 7, 9, false, MK_SHIFT);
  d->FlipHorizontal();  // the selection: top-bottom
  EXPECT_EQ(d->doc.selected.Get(4, 9), kRed);
  EXPECT_EQ(d->doc.selected.Get(4, 4), kWhite);
  d->FlipVertical();  // the selection: left-right
  EXPECT_EQ(d->doc.selected.Get(7, 9), kRed);
}

TEST_F(Tools, RotateTwiceIsIdentityAndInvertKeepsTransparency) {
  std::mt19937 rng(7);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      d->Picture().Set(x, y, zwicon::kStandardPalette[rng() % 16]);
      d->Mask().Set(x, y, rng() % 3 ? kBlack : kWhite);
    }
  Bitmap before = d->Picture(), mask = d->Mask();
  d->Rotate();
  EXPECT_EQ(d->Picture().Get(3, 7), before.Get(7, 3));
  d->Rotate();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(d->Picture().Get(x, y), before.Get(x, y));
  d->doc.modified = false;
  d->Invert();
  EXPECT_TRUE(d->doc.modified);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(d->Picture().Get(x, y), mask.Get(x, y) == kWhite ? d->doc.transparentColor : before.Get(x, y) ^ 0xFFFFFF);
}

TEST_F(Tools, StarShiftsAndRefusals) {
  Opaque(kBlue);
  d->Picture().Set(0, 5, kRed);
  d->Shift(1);  // right
  EXPECT_EQ(d->Picture().Get(1, 5), kRed);
  EXPECT_EQ(d->doc.image.transparent[0][5], 1);  // the column that fell empty
  EXPECT_EQ(d->Picture().Get(0, 9), kWhite);
  d->Shift(2);  // up
  EXPECT_EQ(d->Picture().Get(1, 4), kRed);
  EXPECT_EQ(d->doc.image.transparent[10][31], 1);
  // A floating selection at the left edge: the right arm is refused, the left arm moves it.
  Pick(main->PointerTool);
  Drag(0, 0, 3, 3, false, MK_SHIFT);
  RECT before = d->doc.selectionRect;
  d->Shift(1);
  EXPECT_TRUE(EqualRect(&before, &d->doc.selectionRect));
  d->Shift(0);
  EXPECT_EQ(d->doc.selectionRect.left, 1);
  EXPECT_EQ(d->doc.selectionRect.right, 5);
}

TEST_F(Tools, TextIsTypedBoundedAndPlaced) {
  Pick(main->TextTool);
  Down(d, At(d, 2), At(d, 2));
  Up(d, At(d, 2), At(d, 2));
  ASSERT_TRUE(d->doc.typing);
  char bs = '\b';
  d->FormKeyPress(d, bs);
  EXPECT_EQ(d->doc.typedText, "");
  for (char ch : std::string("Hi")) {
    char k = ch;
    d->FormKeyPress(d, k);
  }
  char enter = '\r';
  d->FormKeyPress(d, enter);
  EXPECT_EQ(d->doc.typedText, "Hi");
  EXPECT_GT(d->doc.selectionRect.right, d->doc.selectionRect.left);
  for (int i = 0; i < 400; ++i) {
    char k = 'x';
    d->FormKeyPress(d, k);
  }
  EXPECT_EQ(d->doc.typedText.size(), 255u);
  main->DrawingToolClick(nullptr);
  EXPECT_FALSE(d->doc.floating);
  EXPECT_FALSE(Coloured(kRed).empty());
}

TEST_F(Tools, RandomGesturesStayInsideAndKeepTheMaskInStep) {
  std::mt19937 rng(12345);
  TZonSpeedButton* tools[] = {main->DrawingTool, main->RectangleTool, main->Fillrecttool, main->CircleTool,
                              main->FillCircleTool, main->LineTool, main->FillTool, main->PointerTool, main->TextTool};
  for (int g = 0; g < 2000; ++g) {
    if (g % 250 == 0) d->Slider1->SetValue(2 + static_cast<int>(rng() % 19));
    if (g % 400 == 0) main->ShowGrid1Click(nullptr);
    Pick(tools[rng() % 9]);
    main->drawing.leftColor = zwicon::kStandardPalette[rng() % 16];
    main->drawing.rightColor = zwicon::kStandardPalette[rng() % 16];
    main->drawing.leftTransparent = rng() % 4 == 0;
    main->drawing.rightTransparent = rng() % 4 == 0;
    int span = 32 * d->Magnify + 40;
    auto coord = [&] { return static_cast<int>(rng() % span) - 20; };
    bool right = rng() % 2;
    MouseButton b = right ? MouseButton::Right : MouseButton::Left;
    ShiftState s = rng() % 3 == 0 ? ssShift : 0;
    d->PaintBox1MouseDown(d->PaintBox1, b, s, coord(), coord());
    for (int m = rng() % 4; m > 0; --m) d->PaintBox1MouseMove(d->PaintBox1, s, coord(), coord());
    d->PaintBox1MouseUp(d->PaintBox1, b, s, coord(), coord());
    if (d->doc.typing) {
      char k = static_cast<char>('a' + rng() % 26);
      d->FormKeyPress(d, k);
    }
    if (rng() % 10 == 0) d->Shift(static_cast<int>(rng() % 4));
    if (rng() % 20 == 0) d->Rotate();
    d->UpdateMask();
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        ASSERT_EQ(d->doc.image.transparent[x][y], d->Mask().Get(x, y) != kBlack ? 1 : 0) << g;
    ASSERT_EQ(d->Picture().Width(), 32);
    ASSERT_EQ(d->Mask().Width(), 32);
  }
}

TEST_F(Tools, GesturesThroughTheCanvasAtSeveralZooms) {
  for (int zoom : {2, 8, 20})
    for (bool grid : {true, false}) {
      if (main->ShowGrid1->checked != grid) main->ShowGrid1Click(nullptr);
      d->Slider1->SetValue(zoom);
      ASSERT_EQ(d->Magnify, zoom);
      Opaque(kWhite);
      Pick(main->DrawingTool);
      Drag(30, 1, 31, 1);
      EXPECT_EQ(d->Picture().Get(30, 1), kRed) << zoom << grid;
      EXPECT_EQ(d->Picture().Get(31, 1), kRed) << zoom << grid;
      Pick(main->LineTool);
      Drag(0, 3, 31, 3, true);
      EXPECT_EQ(d->Picture().Get(0, 3), kBlue) << zoom << grid;
      EXPECT_EQ(d->Picture().Get(31, 3), kBlue) << zoom << grid;
      // Select row 3 and move it down two cells by the magnified frame.
      Pick(main->PointerTool);
      Drag(0, 3, 3, 3);
      ASSERT_TRUE(d->doc.floating);
      int fx = d->PaintBox3->left + 1, fy = d->PaintBox3->top + 1;
      SendMessageA(d->Panel3->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fx, fy));
      SendMessageA(d->Panel3->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(fx, fy + 2 * zoom));
      SendMessageA(d->Panel3->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(fx, fy + 2 * zoom));
      EXPECT_EQ(d->PaintBox2->top, 5) << zoom << grid;
      main->DrawingToolClick(nullptr);
      EXPECT_EQ(d->Picture().Get(1, 5), kBlue) << zoom << grid;
      EXPECT_EQ(d->doc.image.transparent[1][3], 1) << zoom << grid;
    }
}

}  // namespace
}  // namespace zwtest

namespace zwtest {
namespace {

TEST_F(Tools, ReleasingTheMagnifiedFrameOverThePreviewPlacesItThere) {
  Opaque(kBlue);
  Pick(main->PointerTool);
  Drag(20, 20, 23, 23);
  ASSERT_TRUE(d->doc.floating);
  int fx = d->PaintBox3->left + 2, fy = d->PaintBox3->top + 2;
  SendMessageA(d->Panel3->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fx, fy));
  // The preview's point (6, 4), in the canvas window's coordinates.
  POINT p{6, 4};
  MapWindowPoints(d->Panel2->hwnd, d->Panel3->hwnd, &p, 1);
  int rx = p.x - d->PaintBox3->left, ry = p.y - d->PaintBox3->top;
  SendMessageA(d->Panel3->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(d->PaintBox3->left + rx, d->PaintBox3->top + ry));
  EXPECT_FALSE(d->DraggingSelection);
  EXPECT_EQ(d->PaintBox2->left, 6);
  EXPECT_EQ(d->PaintBox2->top, 4);
  EXPECT_EQ(d->PaintBox3->left, 48);
  main->DrawingToolClick(nullptr);
  EXPECT_EQ(d->Picture().Get(6, 4), kBlue);
  EXPECT_EQ(d->doc.image.transparent[6][4], 0);
  EXPECT_EQ(d->doc.image.transparent[21][21], 1);  // the hole it left
}

}  // namespace
}  // namespace zwtest
