#include "icon_document.h"

#include <algorithm>
#include <cstring>

#include "icon_model.h"
#include "normalize.h"

namespace zwicon {

using namespace zw;

namespace {

const COLORREF kWhite = 0xFFFFFF, kBlack = 0;
const RECT kSquare{0, 0, 32, 32};
const size_t kMaxText = 255;

RECT Ordered(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

RECT ClipToSquare(RECT r) {
  RECT out;
  if (!IntersectRect(&out, &r, &kSquare)) return RECT{std::clamp<LONG>(r.left, 0, 32), std::clamp<LONG>(r.top, 0, 32),
                                                      std::clamp<LONG>(r.left, 0, 32), std::clamp<LONG>(r.top, 0, 32)};
  return out;
}

// Runs a drawing call with the canvas clipped to the 32 x 32 square.
template <class Fn> void Clipped(Bitmap& b, Fn fn) {
  HDC dc = b.DC();
  int sd = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, 32, 32);
  fn(b.canvas());
  RestoreDC(dc, sd);
  b.canvas().Attach(dc);  // the canvas re-reads the context's objects
}

void DrawShape(Canvas& c, bool ellipse, bool filled, COLORREF colour, const RECT& box) {
  c.pen = Pen{colour};
  c.brush.color = colour;
  c.brush.style = filled ? BrushStyle::Solid : BrushStyle::Clear;
  if (ellipse) c.Ellipse(box.left, box.top, box.right, box.bottom);
  else c.Rectangle(box.left, box.top, box.right, box.bottom);
  c.brush.style = BrushStyle::Solid;
}

void FillWith(Bitmap& b, const RECT& r, COLORREF colour) {
  Canvas& c = b.canvas();
  c.brush.style = BrushStyle::Solid;
  c.brush.color = colour;
  c.FillRect(r);
}

void DrawText(Bitmap& b, const FontSpec& font, COLORREF colour, POINT at, const std::string& text) {
  Clipped(b, [&](Canvas& c) {
    c.font = font;
    c.font.color = colour;
    c.brush.style = BrushStyle::Clear;
    c.TextOut(at.x, at.y, text);
    c.brush.style = BrushStyle::Solid;
  });
}

template <class Map> void Remap(Bitmap& b, Map map) {
  Bitmap src = b;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      POINT to = map(x, y);
      b.Set(to.x, to.y, src.Get(x, y));
    }
}

}  // namespace

IconDocument::IconDocument(const DrawingState& s)
    : state(s), transparentColor(s.transparentColor) {
  std::memcpy(image.palette, files::kStandardColours, sizeof image.palette);
  std::memset(image.index, 15, sizeof image.index);
  std::memset(image.transparent, 0, sizeof image.transparent);
  for (Bitmap* b : {&picture, &mask, &selected, &selectedMask, &undoPicture, &undoMask}) b->SetSize(32, 32);
  mask.Fill(kBlack);
}

// --- The file's view ---

const files::IconImage& IconDocument::Image() {
  UpdateIcon();
  return image;
}

void IconDocument::Load(const files::IconImage& im) {
  image = im;
  // The picture is built from what the file holds (16 colours and the mask), so the editor shows
  // what it will save.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      bool clear = image.transparent[x][y] != 0;
      picture.Set(x, y, clear ? transparentColor : image.palette[image.index[x][y] & 15]);
      mask.Set(x, y, clear ? kWhite : kBlack);
    }
  files::NormalizePicture(picture);
}

bool IconDocument::LoadFileBytes(const std::string& bytes) {
  files::IconImage im;
  if (!files::ParseIconFile(bytes, im)) return false;
  Load(im);
  return true;
}

void IconDocument::UpdateIcon() {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      uint8_t& index = image.index[x][y];
      int k = MatchPaletteIndex(image.palette, picture.Get(x, y), -1);
      // A colour outside the palette keeps the index the pixel had.
      if (k >= 0) {
        if (image.transparent[x][y] == 1) {
          index = 0;
          picture.Set(x, y, transparentColor);
        } else {
          index = static_cast<uint8_t>(k);
        }
      }
      if (mask.Get(x, y) != kBlack) index = 0;
    }
}

void IconDocument::UpdateMask() {
  modified = true;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) image.transparent[x][y] = mask.Get(x, y) != kBlack ? 1 : 0;
  Changed(Change::Picture);
}

void IconDocument::ClearMask(const RECT& r, COLORREF colour) {
  FillWith(mask, r, colour == kWhite ? kWhite : kBlack);
  UpdateMask();
}

void IconDocument::SetTransparentColor(COLORREF c) {
  transparentColor = c;
  UpdateIcon();
}

// --- Undo ---

void IconDocument::TakeSnapshot() {
  if (!state.undoOn) return;
  undoPicture = picture;
  undoMask = mask;
  undoAvailable = true;  // only when a snapshot was really taken
}

bool IconDocument::Undo() {
  // Without a snapshot of this document there is nothing to go back to: the picture stays.
  if (!undoAvailable || undoPicture.Empty() || undoMask.Empty()) return false;
  picture = undoPicture;
  mask = undoMask;
  floating = typing = pasted = undoAvailable = false;
  typedText.clear();
  UpdateMask();
  return true;
}

// --- Gestures ---

void IconDocument::Press(int x, int y) {
  typing = false;
  TakeSnapshot();
  dragRect = RECT{x, y, x, y};
  if (state.tool == Tool::Pencil) PutPixel(x, y);
  else if (state.tool == Tool::Text) typing = true;
  typedText.clear();
  selected = picture;
  selectedMask = mask;
}

bool IconDocument::Drag(int x, int y) {
  if (x == dragRect.right && y == dragRect.bottom) return false;
  dragRect.right = x;
  dragRect.bottom = y;
  if (state.tool == Tool::Pencil) PutPixel(x, y);
  else if (state.Shape()) RubberBandShape();
  else if (state.tool == Tool::Line) RubberBandLine();
  else if (state.tool == Tool::Pointer) RubberBandSelection();
  return true;
}

void IconDocument::PutPixel(int x, int y) {
  // Cells outside the picture (the grid's closing line, a drag off the left or top) are ignored.
  if (x < 0 || y < 0 || x > 31 || y > 31) return;
  picture.Set(x, y, state.currentColor);
  mask.Set(x, y, state.currentTransparent ? kWhite : kBlack);
  image.transparent[x][y] = state.currentTransparent ? 1 : 0;
  modified = true;
  Changed(Change::Picture);
}

void IconDocument::RubberBandShape() {
  picture = selected;
  bool ellipse = state.tool == Tool::Ellipse || state.tool == Tool::FilledEllipse;
  bool filled = state.tool == Tool::FilledRectangle || state.tool == Tool::FilledEllipse;
  RECT box = ShapeBox(dragRect.left, dragRect.top, dragRect.right, dragRect.bottom);
  Clipped(picture, [&](Canvas& c) { DrawShape(c, ellipse, filled, state.currentColor, box); });
}

void IconDocument::RubberBandLine() {
  picture = selected;
  for (POINT p : LineCells(dragRect.left, dragRect.top, dragRect.right, dragRect.bottom))
    picture.Set(p.x, p.y, state.currentColor);  // cells outside the picture are ignored
}

void IconDocument::RubberBandSelection() {
  picture = selected;
  RECT box = ShapeBox(dragRect.left, dragRect.top, dragRect.right, dragRect.bottom);
  Clipped(picture, [&](Canvas& c) {
    c.pen = Pen{kWhite, 1, PenStyle::Solid, PenMode::Xor};
    c.brush.style = BrushStyle::Clear;
    c.Rectangle(box.left, box.top, box.right, box.bottom);
    c.pen.mode = PenMode::Copy;
    c.brush.style = BrushStyle::Solid;
  });
}

void IconDocument::Release(int x, int y, bool shift) {
  dragRect.right = x;
  dragRect.bottom = y;
  COLORREF maskColour = state.currentTransparent ? kWhite : kBlack;
  if (state.Shape()) {
    // The picture holds the shape from the last drag; the mask takes it now.
    bool ellipse = state.tool == Tool::Ellipse || state.tool == Tool::FilledEllipse;
    bool filled = state.tool == Tool::FilledRectangle || state.tool == Tool::FilledEllipse;
    RECT box = ShapeBox(dragRect.left, dragRect.top, dragRect.right, dragRect.bottom);
    Clipped(mask, [&](Canvas& c) { DrawShape(c, ellipse, filled, maskColour, box); });
    UpdateMask();
  } else if (state.tool == Tool::Line) {
    for (POINT p : LineCells(dragRect.left, dragRect.top, dragRect.right, dragRect.bottom)) mask.Set(p.x, p.y, maskColour);
    UpdateMask();
  } else if (state.tool == Tool::Pointer) {
    // The selection: the dragged cells, both ends included, lifted off the picture (copied when
    // shift is held).
    RECT r = dragRect;
    if (r.right >= r.left) ++r.right; else ++r.left;
    if (r.bottom >= r.top) ++r.bottom; else ++r.top;
    r = ClipToSquare(Ordered(r));
    dragRect = r;
    picture = selected;
    cutBase = picture;
    cutBaseMask = mask;
    if (!shift) {
      MakeTransparent(r);
      UpdateMask();
    }
    floating = true;
    pasted = false;
    selectionRect = r;
    Changed(Change::Selection);
  }
}

void IconDocument::Fill(int x, int y, COLORREF c) {
  if (x < 0 || y < 0 || x > 31 || y > 31) return;
  bool seedTransparent = mask.Get(x, y) == kWhite;
  COLORREF seed = picture.Get(x, y);
  if (seedTransparent == state.currentTransparent && seed == c) return;
  COLORREF maskColour = state.currentTransparent ? kWhite : kBlack;
  // Each cell is entered once (a painted cell no longer qualifies), so 1,024 entries suffice.
  POINT stack[32 * 32];
  int top = 0;
  stack[top++] = POINT{x, y};
  auto qualifies = [&](int cx, int cy) {
    return cx >= 0 && cy >= 0 && cx < 32 && cy < 32 && picture.Get(cx, cy) == seed &&
           (mask.Get(cx, cy) == kWhite) == seedTransparent;
  };
  while (top > 0) {
    POINT p = stack[top - 1];
    picture.Set(p.x, p.y, c);
    mask.Set(p.x, p.y, maskColour);
    static const POINT dirs[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    bool moved = false;
    for (const POINT& d : dirs) {
      if (qualifies(p.x + d.x, p.y + d.y) && top < 32 * 32) {
        stack[top++] = POINT{p.x + d.x, p.y + d.y};
        moved = true;
        break;
      }
    }
    if (!moved) --top;
  }
  UpdateMask();
}

// --- Text ---

int IconDocument::StartText(int x, int y) {
  Bitmap probe(1, 1);
  probe.canvas().font = state.font;
  int h = probe.canvas().TextHeight("M");
  floating = true;
  typing = true;
  selectionRect = RECT{x, y, x, y + h};
  return h;
}

bool IconDocument::Type(char key) {
  if (state.tool != Tool::Text || !typing) return false;
  if (key == '\b') {
    if (!typedText.empty()) typedText.pop_back();
  } else if (key != '\r' && key != '\n' && typedText.size() < kMaxText) {
    typedText += key;
  }
  return true;
}

SIZE IconDocument::RenderText() {
  selected = picture;
  selectedMask = mask;
  Canvas& c = selected.canvas();
  c.font = state.font;
  int w = c.TextWidth(typedText), h = c.TextHeight("M");
  DrawText(selected, state.font, state.leftColor, POINT{selectionRect.left, selectionRect.top}, typedText);
  selectionRect.right = selectionRect.left + w;
  selectionRect.bottom = selectionRect.top + h;
  return SIZE{w, h};
}

// --- The floating selection ---

// Leaves a transparent hole: the transparent colour in the picture, white in the mask.
void IconDocument::MakeTransparent(const RECT& r) {
  FillWith(picture, r, transparentColor);
  FillWith(mask, r, kWhite);
}

void IconDocument::CutSelection() {
  if (!pasted) MakeTransparent(Ordered(dragRect));
  floating = pasted = false;
  UpdateMask();
}

void IconDocument::Place(const RECT& dst) {
  if (!floating) return;
  TakeSnapshot();
  if (!typedText.empty())
    DrawText(selectedMask, state.font, state.leftTransparent ? kWhite : kBlack,
             POINT{selectionRect.left, selectionRect.top}, typedText);
  RECT s = Ordered(selectionRect);
  if (s.right > s.left && s.bottom > s.top) {
    Clipped(picture, [&](Canvas& c) { c.CopyRect(dst, selected, s); });
    Clipped(mask, [&](Canvas& c) { c.CopyRect(dst, selectedMask, s); });
  }
  dragRect = RECT{0, 0, 31, 31};
  UpdateMask();
  floating = pasted = typing = false;
  typedText.clear();
}

void IconDocument::SelectAll() {
  TakeSnapshot();
  dragRect = selectionRect = kSquare;
  selected = picture;
  selectedMask = mask;
  cutBase = picture;
  cutBaseMask = mask;
  pasted = false;
  CutSelection();
  floating = true;
}

void IconDocument::Paste(const Bitmap& from) {
  selected.Fill(kWhite);
  selected.canvas().Draw(0, 0, from);
  files::NormalizePicture(selected);
  selectedMask.Fill(kBlack);
  int w = std::min(from.Width(), 32), h = std::min(from.Height(), 32);
  dragRect = selectionRect = RECT{0, 0, w, h};
  pasted = floating = modified = true;
  typing = false;
}

HBITMAP IconDocument::SelectionBitmap() const {
  RECT r = dragRect;
  int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ o = SelectObject(dc, bmp);
  BitBlt(dc, 0, 0, w, h, selected.DC(), r.left, r.top, SRCCOPY);
  SelectObject(dc, o);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bmp;
}

void IconDocument::RestoreCutBase() {
  if (!cutBase.Empty()) {
    picture = cutBase;
    mask = cutBaseMask;
  }
  UpdateMask();
}

// --- Transformations ---

void IconDocument::FlipHorizontal() {
  if (floating) {
    RECT s = Ordered(selectionRect);
    for (auto* b : {&selected, &selectedMask}) {
      Bitmap src = *b;
      for (int k = 0; s.top + k < s.bottom; ++k)
        for (int x = s.left; x < s.right; ++x) b->Set(x, s.top + k, src.Get(x, s.bottom - 1 - k));
    }
    return;
  }
  TakeSnapshot();
  selected = picture;
  Remap(picture, [](int x, int y) { return POINT{31 - x, y}; });
  Remap(mask, [](int x, int y) { return POINT{31 - x, y}; });
  dragRect = RECT{0, 0, 31, 31};
  UpdateMask();
}

void IconDocument::FlipVertical() {
  if (floating) {
    RECT s = Ordered(selectionRect);
    for (auto* b : {&selected, &selectedMask}) {
      Bitmap src = *b;
      for (int k = 0; s.left + k < s.right; ++k)
        for (int y = s.top; y < s.bottom; ++y) b->Set(s.left + k, y, src.Get(s.right - 1 - k, y));
    }
    return;
  }
  TakeSnapshot();
  selected = picture;
  Remap(picture, [](int x, int y) { return POINT{x, 31 - y}; });
  Remap(mask, [](int x, int y) { return POINT{x, 31 - y}; });
  UpdateMask();
}

void IconDocument::Rotate() {
  auto transpose = [](int x, int y) { return POINT{y, x}; };
  if (floating) {
    Remap(selected, transpose);
    Remap(selectedMask, transpose);
    RECT s = selectionRect;
    selectionRect = RECT{s.top, s.left, s.bottom, s.right};
    return;
  }
  TakeSnapshot();
  Remap(picture, transpose);
  Remap(mask, transpose);
  UpdateMask();
}

void IconDocument::Invert() {
  if (floating) {
    selected.canvas().CopyRect(kSquare, selected, kSquare, CopyMode::InverseCopy);
    RECT d = Ordered(dragRect);
    for (int y = std::max<LONG>(d.top, 0); y < std::min<LONG>(d.bottom, 32); ++y)
      for (int x = std::max<LONG>(d.left, 0); x < std::min<LONG>(d.right, 32); ++x)
        if (selectedMask.Get(x, y) == kWhite) selected.Set(x, y, transparentColor);
    return;
  }
  TakeSnapshot();
  picture.canvas().CopyRect(kSquare, picture, kSquare, CopyMode::InverseCopy);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (mask.Get(x, y) == kWhite) picture.Set(x, y, transparentColor);
  // The picture changed: like its sister commands, Invert marks the document modified.
  modified = true;
  Changed(Change::Picture);
}

void IconDocument::Clear() {
  if (!floating) {
    TakeSnapshot();
    dragRect = kSquare;
    pasted = false;
  }
  CutSelection();
  modified = true;
}

bool IconDocument::Shift(int segment) {
  if (floating) {
    RECT& s = selectionRect;
    switch (segment) {
      case 0: if (s.right >= 32) return false; ++s.left, ++s.right; break;
      case 1: if (s.left <= 0) return false; --s.left, --s.right; break;
      case 2: if (s.bottom >= 32) return false; ++s.top, ++s.bottom; break;
      case 3: if (s.top <= 0) return false; --s.top, --s.bottom; break;
      default: return false;
    }
    return true;
  }
  dragRect = RECT{0, 0, 31, 31};
  int dx = segment == 0 ? -1 : segment == 1 ? 1 : 0, dy = segment == 2 ? -1 : segment == 3 ? 1 : 0;
  for (auto* b : {&picture, &mask}) {
    Bitmap src = *b;
    bool isMask = b == &mask;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        int sx = x - dx, sy = y - dy;
        bool inside = sx >= 0 && sy >= 0 && sx < 32 && sy < 32;
        b->Set(x, y, inside ? src.Get(sx, sy) : (isMask ? kWhite : transparentColor));
      }
  }
  UpdateMask();
  return true;
}

}  // namespace zwicon
