// IconDocument: one icon being edited, without any window: the picture at full colour with its
// transparency mask, the indices and mask bits the icon file holds (IconImage), the selection and
// the floating selection, the text being typed, and one step of undo. Its operations are the
// drawing tools and the transformations; a window shows the document and routes the user's
// gestures to it. DrawingState is what all documents of the editor share: the tool, the colours
// of the two mouse buttons, the magnification for new documents, Undo on, the text font.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "canvas.h"
#include "icon_file.h"

namespace zwicon {

enum class Tool { Pencil, Rectangle, FilledRectangle, Ellipse, FilledEllipse, Line, Fill, Pointer, Text };

struct DrawingState {
  Tool tool = Tool::Pencil;
  COLORREF leftColor = RGB(0, 0, 255), rightColor = RGB(255, 0, 0);
  bool leftTransparent = false, rightTransparent = false;
  // The pen of the gesture under way: the colour of the button last pressed on a canvas.
  COLORREF currentColor = RGB(0, 0, 255);
  bool currentTransparent = false;
  COLORREF transparentColor = RGB(255, 255, 255);  // for new documents
  uint8_t magnify = 8;                             // for new documents
  bool undoOn = true, showGrid = true;
  zw::FontSpec font;  // the text tool's

  // Takes the pen of the left or right button.
  void Pick(bool right) {
    currentColor = right ? rightColor : leftColor;
    currentTransparent = right ? rightTransparent : leftTransparent;
  }
  bool Shape() const { return tool >= Tool::Rectangle && tool <= Tool::FilledEllipse; }
};

class IconDocument {
 public:
  // What changed, for whoever shows the document: the picture (and with it the undo step), or the
  // selection (what the Edit menu offers).
  enum class Change { Picture, Selection };

  explicit IconDocument(const DrawingState& state);

  const DrawingState& state;
  // The file's view of the picture: palette, per pixel its index and whether it is transparent.
  // The indices are brought up to date from the picture by UpdateIcon; the transparency follows
  // every edit.
  files::IconImage image;
  zw::Bitmap picture, mask;  // 32 x 32; the mask is white where the icon is transparent
  COLORREF transparentColor;
  bool modified = false;
  std::function<void(Change)> changed;

  // The selection: the box dragged, the floating selection's box on the source, and the source
  // (the picture and mask as they were when it was lifted, or what was pasted or typed).
  RECT dragRect{}, selectionRect{};
  bool floating = false, pasted = false, typing = false;
  std::string typedText;
  zw::Bitmap selected, selectedMask;
  zw::Bitmap cutBase, cutBaseMask;  // the picture before the selection was cut
  zw::Bitmap undoPicture, undoMask;
  bool undoAvailable = false;

  // What the Edit and Options menus offer.
  bool CanCutCopy() const { return floating && !pasted && !typing; }
  bool CanDelete() const { return floating && (pasted || !typing); }
  bool CanUndo() const { return undoAvailable; }
  bool UndoBlocked() const { return floating && pasted; }  // a pasted selection is still floating
  bool CanTransform() const { return !typing; }
  bool HasSelection() const { return floating; }

  // The picture's file image (indices brought up to date first).
  const files::IconImage& Image();
  // Replaces the picture by a file image: 16 colours and the mask; not modified, no undo.
  void Load(const files::IconImage& im);
  // The file image as the 766-byte icon file, and back (false: damaged, nothing changes).
  std::string FileBytes() { return files::IconFileBytes(Image()); }
  bool LoadFileBytes(const std::string& bytes);

  // Maps the picture to the palette (transparent pixels get index 0 and the transparent colour).
  void UpdateIcon();
  // The mask changed: transparency from the mask, modified.
  void UpdateMask();
  void ClearMask(const RECT& r, COLORREF colour);
  void SetTransparentColor(COLORREF c);
  void TakeSnapshot();
  // Back to the snapshot; false when there is none.
  bool Undo();

  // A gesture on the canvas in picture cells: press, drag, release.
  void Press(int x, int y);
  bool Drag(int x, int y);  // false when the cell did not change
  void Release(int x, int y, bool shift);
  void PutPixel(int x, int y);
  void Fill(int x, int y, COLORREF c);
  int StartText(int x, int y);  // returns the text's height
  // A key typed while the text tool is typing; false when it is not.
  bool Type(char key);
  // Draws the typed text into the source of the selection; returns its size.
  SIZE RenderText();

  // The floating selection: cut (leaving a hole unless pasted), placed at `dst` on the picture.
  void CutSelection();
  void Place(const RECT& dst);
  void SelectAll();
  void Paste(const zw::Bitmap& pasted);
  // A copy of the selected area for the clipboard (caller owns it); null when empty.
  HBITMAP SelectionBitmap() const;
  // The picture under the selection comes back (a shift-drag of the frames).
  void RestoreCutBase();

  // Transformations of the picture, or of the floating selection's source.
  void FlipHorizontal();
  void FlipVertical();
  void Rotate();
  void Invert();
  void Clear();
  // Moves the picture one cell (star segments 0..3: left, right, up, down in the picture's
  // terms) or the selection's box; false when the box is at the edge.
  bool Shift(int segment);

 private:
  void Changed(Change c) {
    if (changed) changed(c);
  }
  void MakeTransparent(const RECT& r);
  void RubberBandShape();
  void RubberBandLine();
  void RubberBandSelection();
};

}  // namespace zwicon
