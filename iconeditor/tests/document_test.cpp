// The icon document without any window: edits of the tools, the selection lifted and put down,
// undo, the transformations, the changes it reports, and the icon file written and read back.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "icon_document.h"
#include "icon_model.h"
#include "temp_dir.h"

namespace zwtest {
namespace {

using namespace zwicon;

const COLORREF kWhite = 0xFFFFFF, kBlack = 0, kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

struct Doc {
  DrawingState state;
  IconDocument doc{state};
  std::vector<IconDocument::Change> changes;
  Doc() {
    doc.changed = [this](IconDocument::Change c) { changes.push_back(c); };
  }
  // A gesture of the current tool from cell to cell with the left button.
  void Gesture(Tool t, int x0, int y0, int x1, int y1, bool shift = false) {
    state.tool = t;
    state.Pick(false);
    doc.Press(x0, y0);
    doc.Drag(x1, y1);
    doc.Release(x1, y1, shift);
  }
};

TEST(Document, ToolsEditThePictureMaskAndIndicesAndUndoGoesBackOneStep) {
  Doc d;
  IconDocument& doc = d.doc;
  d.state.leftColor = kBlue;
  d.Gesture(Tool::Pencil, 2, 3, 5, 3);
  EXPECT_EQ(doc.picture.Get(2, 3), kBlue);
  EXPECT_EQ(doc.picture.Get(5, 3), kBlue);
  EXPECT_FALSE(doc.Drag(5, 3));  // the same cell again: nothing
  EXPECT_TRUE(doc.modified);
  ASSERT_FALSE(d.changes.empty());
  EXPECT_EQ(d.changes.back(), IconDocument::Change::Picture);
  // A transparent line: the mask takes it on release.
  d.state.leftColor = kRed;
  d.state.leftTransparent = true;
  d.Gesture(Tool::Line, 0, 10, 4, 11);
  EXPECT_EQ(doc.image.transparent[0][10], 1);
  EXPECT_EQ(doc.image.transparent[4][11], 1);
  EXPECT_EQ(doc.image.transparent[4][10], 0);
  d.state.leftTransparent = false;
  // The fill covers the white opaque area around the seed, not the pencil's cells.
  d.state.Pick(false);
  doc.Fill(20, 20, kGreen);
  EXPECT_EQ(doc.picture.Get(31, 31), kGreen);
  EXPECT_EQ(doc.picture.Get(2, 3), kBlue);
  const files::IconImage& im = doc.Image();
  EXPECT_EQ(im.index[2][3], 12);
  EXPECT_EQ(im.index[31][31], 10);
  EXPECT_EQ(im.index[0][10], 0);  // transparent pixels have index 0
  // Undo: back to the snapshot of the line's press (the fill took none); once only.
  EXPECT_TRUE(doc.CanUndo());
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.picture.Get(31, 31), kWhite);
  EXPECT_EQ(doc.image.transparent[0][10], 0);
  EXPECT_EQ(doc.picture.Get(5, 3), kBlue);
  EXPECT_FALSE(doc.Undo());
  // With Undo off no snapshot is taken.
  d.state.undoOn = false;
  d.Gesture(Tool::Pencil, 9, 9, 9, 9);
  EXPECT_FALSE(doc.CanUndo());
}

TEST(Document, SelectionIsLiftedPlacedPastedAndTransformed) {
  Doc d;
  IconDocument& doc = d.doc;
  doc.picture.Set(2, 2, kRed);
  // Lifted: a transparent hole where it was, the frame's contents in the source.
  d.Gesture(Tool::Pointer, 1, 1, 3, 3);
  EXPECT_TRUE(doc.HasSelection());
  EXPECT_TRUE(doc.CanCutCopy());
  EXPECT_EQ(d.changes.back(), IconDocument::Change::Selection);
  const RECT lifted{1, 1, 4, 4};
  EXPECT_TRUE(EqualRect(&doc.dragRect, &lifted));
  EXPECT_EQ(doc.image.transparent[2][2], 1);
  EXPECT_EQ(doc.selected.Get(2, 2), kRed);
  HBITMAP copy = doc.SelectionBitmap();
  EXPECT_NE(copy, nullptr);
  DeleteObject(copy);
  // Flipped while floating: only the source changes.
  doc.FlipVertical();
  EXPECT_EQ(doc.selected.Get(2, 2), kRed);  // the middle of three columns stays
  doc.Place(RECT{10, 10, 13, 13});
  EXPECT_FALSE(doc.HasSelection());
  EXPECT_EQ(doc.picture.Get(11, 11), kRed);
  EXPECT_EQ(doc.image.transparent[11][11], 0);
  EXPECT_EQ(doc.image.transparent[2][2], 1);
  // Shift copies: no hole.
  d.Gesture(Tool::Pointer, 10, 10, 12, 12, true);
  EXPECT_EQ(doc.image.transparent[11][11], 0);
  doc.CutSelection();
  EXPECT_EQ(doc.image.transparent[11][11], 1);
  // Pasted: may be deleted, not cut or copied, and Undo waits until it is placed.
  zw::Bitmap pasted(40, 5);
  pasted.Fill(kBlue);
  doc.Paste(pasted);
  EXPECT_TRUE(doc.CanDelete());
  EXPECT_FALSE(doc.CanCutCopy());
  EXPECT_TRUE(doc.UndoBlocked());
  EXPECT_EQ(doc.selectionRect.right, 32);
  doc.Place(RECT{0, 20, 32, 25});
  EXPECT_EQ(doc.picture.Get(31, 24), kBlue);
  // Text: typing allows no transformation and no cut; it goes down with the selection.
  d.state.tool = Tool::Text;
  doc.Press(4, 4);
  EXPECT_GT(doc.StartText(4, 4), 0);
  EXPECT_TRUE(doc.Type('W'));
  EXPECT_GT(doc.RenderText().cx, 0);
  EXPECT_FALSE(doc.CanTransform());
  EXPECT_FALSE(doc.CanCutCopy());
  doc.Place(RECT{4, 4, 4 + doc.selectionRect.right - 4, 4 + doc.selectionRect.bottom - 4});
  EXPECT_FALSE(doc.typing);
  EXPECT_TRUE(doc.CanTransform());
  // Select All lifts the whole picture and leaves it transparent.
  doc.SelectAll();
  EXPECT_TRUE(doc.CanCutCopy());
  EXPECT_EQ(doc.image.transparent[31][24], 1);
  EXPECT_EQ(doc.selected.Get(31, 24), kBlue);
}

TEST(Document, TransformationsOfTheWholePicture) {
  Doc d;
  IconDocument& doc = d.doc;
  doc.picture.Set(0, 1, kBlue);
  doc.FlipHorizontal();
  EXPECT_EQ(doc.picture.Get(31, 1), kBlue);
  doc.Rotate();
  EXPECT_EQ(doc.picture.Get(1, 31), kBlue);
  doc.Invert();
  EXPECT_EQ(doc.picture.Get(1, 31), RGB(255, 255, 0));
  EXPECT_EQ(doc.picture.Get(5, 5), kBlack);
  ASSERT_TRUE(doc.Shift(1));  // one cell right; the column that comes in is transparent
  EXPECT_EQ(doc.picture.Get(2, 31), RGB(255, 255, 0));
  EXPECT_EQ(doc.image.transparent[0][5], 1);
  EXPECT_EQ(doc.image.transparent[1][5], 0);
  doc.Clear();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(doc.image.transparent[x][y], 1);
}

TEST(Document, IconFileRoundTripAndDamagedInput) {
  std::mt19937 rng(22);
  Doc a;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      a.doc.picture.Set(x, y, kStandardPalette[rng() % 16]);
      a.doc.mask.Set(x, y, rng() % 4 == 0 ? kWhite : kBlack);
    }
  a.doc.UpdateMask();
  std::string bytes = a.doc.FileBytes();
  ASSERT_EQ(bytes.size(), files::kIconFileSize);
  // Read back into another document: the same indices, transparency and colours.
  Doc b;
  ASSERT_TRUE(b.doc.LoadFileBytes(bytes));
  const files::IconImage& back = b.doc.Image();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      ASSERT_EQ(back.index[x][y], a.doc.image.index[x][y]) << x << "," << y;
      ASSERT_EQ(back.transparent[x][y], a.doc.image.transparent[x][y]);
      if (!back.transparent[x][y]) {
        ASSERT_EQ(b.doc.picture.Get(x, y), a.doc.picture.Get(x, y));
      }
    }
  EXPECT_EQ(b.doc.FileBytes(), bytes);
  // The same bytes through the file the editor saves and opens.
  sw::test::TempDir dir;
  std::string path = dir.File("round.ico");
  ASSERT_TRUE(files::WriteIconFile(path, a.doc.Image()));
  files::IconImage read;
  ASSERT_TRUE(files::ReadIconFile(path, read));
  EXPECT_EQ(files::IconFileBytes(read), bytes);
  // Damaged: a short file changes nothing; any 766 bytes give some picture.
  EXPECT_FALSE(b.doc.LoadFileBytes(bytes.substr(0, 765)));
  EXPECT_FALSE(b.doc.LoadFileBytes(""));
  EXPECT_EQ(b.doc.FileBytes(), bytes);
  std::string noise(files::kIconFileSize, '\0');
  for (char& c : noise) c = static_cast<char>(rng());
  EXPECT_TRUE(b.doc.LoadFileBytes(noise));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_LT(b.doc.Image().index[x][y], 16);
}

}  // namespace
}  // namespace zwtest
