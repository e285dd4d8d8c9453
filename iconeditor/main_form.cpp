#include "main_form.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>

#include "about_box.h"
#include "description.h"
#include "application.h"
#include "icon_form.h"
#include "icon_model.h"
#include "imaging_component.h"
#include "settings.h"
#include "zwicon.h"

namespace zwicon {

ZW_FORM_TABLE(TMainForm, ZW_MAIN_COMPONENTS, ZW_MAIN_HANDLERS)

bool TMainForm::Make() {
  RegisterEditorControls();
  RegisterClass<files::TPMultiImageComponent>("TPMultiImage");
  TheEditor().mainForm = this;
  App().mainForm = this;
  return LoadAndCreate("MainForm", Table());
}

TMainForm::~TMainForm() {
  if (hwnd) DestroyWindow(hwnd);
  if (TheEditor().mainForm == this) TheEditor().mainForm = nullptr;
}

TIconForm* TMainForm::ActiveDocument() const { return dynamic_cast<TIconForm*>(ActiveMdiChild()); }

// --- Start-up and shutdown ---

void TMainForm::FormCreate(Component*) {
  designWindow_ = RECT{left, top, width, height};
  EditorSettings s;
  s.window = designWindow_;
  s.iconDir = ProgramFolder();
  SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  ReadSettings(TheEditor().settingsKey, s, screen);
  SetBounds(s.window.left, s.window.top, s.window.right, s.window.bottom);
  IconDir = s.iconDir;
  ShowGrid1->SetChecked(s.showGrid);
  UndoOn1->SetChecked(s.undoOn);
  drawing.showGrid = s.showGrid;
  drawing.undoOn = s.undoOn;
  drawing.magnify = static_cast<uint8_t>(s.magnify);
  drawing.transparentColor = s.transparentColor;
  drawing.font = FontDialog1->font;
  // The temporary icon file; when the folder cannot take it, a unique file of our own in the
  // system's temporary folder (never a fixed name that could be a user's file).
  TempFileName = CreateNumberedTempFile(IconDir);
  if (TempFileName.empty()) TempFileName = CreateSystemTempFile();
  drawing.currentTransparent = drawing.leftTransparent = drawing.rightTransparent = false;
  drawing.currentColor = drawing.leftColor = RGB(0, 0, 255);
  drawing.rightColor = RGB(255, 0, 0);
  Image1->picture.Fill(GetSysColor(COLOR_BTNFACE));
  PaintSwatch(true);
  PaintSwatch(false);
  App().SetCursor(kCursorOpenHand, static_cast<HCURSOR>(LoadImageA(App().instance, "openhand", IMAGE_CURSOR, 0, 0, 0)));
  App().SetCursor(kCursorHoleCross, static_cast<HCURSOR>(LoadImageA(App().instance, "HoleCros", IMAGE_CURSOR, 0, 0, 0)));
}

void TMainForm::FormShow(Component*) {
  for (std::string a : TheEditor().args) {
    std::transform(a.begin(), a.end(), a.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    OpenFile(a, 0);
  }
}

void TMainForm::FormPaint(Component*) {
  if (!FirstPaint) return;
  FirstPaint = false;
  int sc = TheEditor().showCommand;
  if (sc == SW_SHOWMINIMIZED || sc == SW_MINIMIZE || sc == SW_SHOWMINNOACTIVE) ShowWindow(hwnd, SW_MINIMIZE);
}

void TMainForm::FormClose(Component*) {}

void TMainForm::FormDestroy(Component*) {
  EditorSettings s;
  WINDOWPLACEMENT wp{sizeof wp};
  if (hwnd && GetWindowPlacement(hwnd, &wp)) {
    RECT r = wp.rcNormalPosition;
    s.window = RECT{r.left, r.top, r.right - r.left, r.bottom - r.top};
  } else {
    s.window = RECT{left, top, width, height};
  }
  s.iconDir = IconDir;
  s.showGrid = ShowGrid1->checked;
  s.undoOn = UndoOn1->checked;
  s.magnify = drawing.magnify;
  s.transparentColor = drawing.transparentColor;
  WriteSettings(TheEditor().settingsKey, s);
  if (!TempFileName.empty()) DeleteFileA(TempFileName.c_str());
  App().FreeCursors();
  Timer1->SetEnabled(false);
}

// --- File menu ---

void TMainForm::New1Click(Component*) {
  TIconForm* doc = TIconForm::Make(*this);
  if (!doc) return;
  ToolPanel->SetVisible(true);
  doc->ClearMask(doc->MagnifiedRect(), 0xFFFFFF);
  NewOpenFile(doc, "Untitled");
}

void TMainForm::NewOpenFile(TIconForm* doc, const std::string& cap) {
  doc->Present(cap);
  Undo->SetEnabled(false);
}

void TMainForm::Save1Click(Component*) { SaveDocument(ActiveDocument()); }
void TMainForm::SaveAs1Click(Component*) { SaveAsDocument(ActiveDocument()); }

void TMainForm::Close2Click(Component*) {
  if (TIconForm* d = ActiveDocument()) d->Close();
}

void TMainForm::CloseAll1Click(Component*) {
  std::vector<Form*> docs = MdiChildren();
  for (auto it = docs.rbegin(); it != docs.rend(); ++it) {
    auto& now = MdiChildren();
    if (std::find(now.begin(), now.end(), *it) != now.end()) (*it)->Close();
  }
}

void TMainForm::Exit1Click(Component*) { Close(); }

void TMainForm::File1Click(Component*) {
  bool doc = DocumentCount() > 0;
  for (MenuItem* m : {Save1, SaveAs1, Close2, CloseAll1}) m->SetEnabled(doc);
}

// --- Edit menu ---

void TMainForm::Edit1Click(Component*) {
  TIconForm* d = ActiveDocument();
  if (!d) {
    for (MenuItem* m : {Undo2, undohide1, Cut1, CutHide1, Copy1, CopyHide1, Delete1, Paste1, PasteHide1, SelectAll1})
      m->SetEnabled(false);
    Undo->SetEnabled(false);
    return;
  }
  const IconDocument& doc = d->doc;
  if (UndoOn1->checked) {
    Undo2->SetEnabled(doc.CanUndo());
    undohide1->SetEnabled(doc.CanUndo());
    Undo->SetEnabled(doc.CanUndo());
  }
  if (doc.UndoBlocked() && Undo->enabled) {
    Undo2->SetEnabled(false);
    undohide1->SetEnabled(false);
    Undo->SetEnabled(false);
  }
  for (MenuItem* m : {Cut1, CutHide1, Copy1, CopyHide1}) m->SetEnabled(doc.CanCutCopy());
  Delete1->SetEnabled(doc.CanDelete());
  bool bitmap = IsClipboardFormatAvailable(CF_BITMAP);
  Paste1->SetEnabled(bitmap);
  PasteHide1->SetEnabled(bitmap);
  SelectAll1->SetEnabled(true);
}

void TMainForm::Undo1Click(Component*) {
  TIconForm* d = ActiveDocument();
  if (!d || !d->DoUndo()) return;
  Undo->SetEnabled(false);
  Undo2->SetEnabled(false);
}

void TMainForm::Copy1Click(Component*) {
  TIconForm* d = ActiveDocument();
  if (!d || !d->doc.HasSelection()) return;
  HBITMAP bmp = d->doc.SelectionBitmap();
  if (!bmp) return;
  if (!OpenClipboard(hwnd)) {
    DeleteObject(bmp);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_BITMAP, bmp)) DeleteObject(bmp);
  CloseClipboard();
}

void TMainForm::Cut1Click(Component* s) {
  TIconForm* d = ActiveDocument();
  if (!d || !d->doc.HasSelection()) return;
  Copy1Click(s);
  d->CutSelection();
}

void TMainForm::Delete1Click(Component*) {
  TIconForm* d = ActiveDocument();
  if (d && d->doc.HasSelection()) d->CutSelection();
}

void TMainForm::SelectAll1Click(Component*) {
  TIconForm* d = ActiveDocument();
  if (!d) return;
  d->SelectAll();
  ChooseTool(PointerTool);
  RefreshEditMenu();
}

void TMainForm::ShowClipboard1Click(Component*) {
  INT_PTR r = TheEditor().seams.startProgram("CLIPBRD.EXE");
  if (r <= 32)
    ShowAlert("Cannot Run Program", "Unable to activate the clipboard viewer!\rThe Windows file CLIPBRD.EXE may be missing\r"
                                    "or corrupted.(ID=" + zw::Num(r) + ")");
}

// --- Options menu ---

void TMainForm::Options1Click(Component*) {
  TIconForm* d = ActiveDocument();
  for (MenuItem* m : {ShowGrid1, UndoOn1, SetFont1, TransparentColor1}) m->SetEnabled(d != nullptr);
  bool transform = d && d->doc.CanTransform();
  for (MenuItem* m : {Flip1, FlipVertical1, Rotate1, Invert1, Clear1}) m->SetEnabled(transform);
}

void TMainForm::ShowGrid1Click(Component*) {
  ShowGrid1->SetChecked(!ShowGrid1->checked);
  drawing.showGrid = ShowGrid1->checked;
  if (TIconForm* d = ActiveDocument()) {
    d->ShowGrid = ShowGrid1->checked ? 1 : 0;
    d->ScrollBar1Change(d->Slider1);
  }
}

void TMainForm::UndoOn1Click(Component*) {
  UndoOn1->SetChecked(!UndoOn1->checked);
  drawing.undoOn = UndoOn1->checked;
  if (!UndoOn1->checked) {
    Undo->SetEnabled(false);
    Undo2->SetEnabled(false);
    undohide1->SetEnabled(false);
  }
}

void TMainForm::TransColorClick(Component* sender) {
  COLORREF c = static_cast<COLORREF>(sender->tag);
  TIconForm* d = ActiveDocument();
  if (!d) return;
  d->PlaceClippedRegion();
  d->doc.SetTransparentColor(c);
  drawing.transparentColor = c;
  d->Redraw();
  if (drawing.leftTransparent) {
    drawing.leftColor = c;
    PaintSwatch(true);
  }
  if (drawing.rightTransparent) {
    drawing.rightColor = c;
    PaintSwatch(false);
  }
}

void TMainForm::SetFont1Click(Component*) {
  FontDialog1->font.color = drawing.leftColor;
  if (!FontDialog1->Execute(hwnd)) return;
  drawing.font = FontDialog1->font;
  ChooseTool(TextTool);
  drawing.leftColor = FontDialog1->font.color;
  PaintSwatch(true);
  if (TIconForm* d = ActiveDocument()) d->FontChanged();
}

void TMainForm::Flip1Click(Component*) {
  if (TIconForm* d = ActiveDocument()) d->FlipHorizontal();
}
void TMainForm::FlipVertical1Click(Component*) {
  if (TIconForm* d = ActiveDocument()) d->FlipVertical();
}
void TMainForm::Rotate1Click(Component*) {
  if (TIconForm* d = ActiveDocument()) d->Rotate();
}
void TMainForm::Invert1Click(Component*) {
  if (TIconForm* d = ActiveDocument()) d->Invert();
}
void TMainForm::Clear1Click(Component*) {
  if (TIconForm* d = ActiveDocument()) d->Clear();
}

// --- Window and Help menus ---

void TMainForm::Window1Click(Component*) {
  bool doc = DocumentCount() > 0;
  for (MenuItem* m : {TileVertical1, Tile1, Cascade1, ArrangeIcons1}) m->SetEnabled(doc);
}
void TMainForm::TileVertical1Click(Component*) { Tile(true); }
void TMainForm::Tile1Click(Component*) { Tile(false); }
void TMainForm::Cascade1Click(Component*) { Cascade(); }
void TMainForm::ArrangeIcons1Click(Component*) { ArrangeIcons(); }

void TMainForm::Contents1Click(Component*) { ShowHelp(HELP_CONTENTS, 0); }
void TMainForm::TopicSearch1Click(Component*) {
  // The viewer is opened at the contents first: a viewer that ignores the macro still shows the
  // file, with its Index button.
  ShowHelp(HELP_CONTENTS, 0);
  static const char kSearch[] = "Search()";
  ShowHelp(HELP_COMMAND, reinterpret_cast<ULONG_PTR>(kSearch));
}
void TMainForm::HowtoUseHelp1Click(Component*) { ShowHelp(HELP_HELPONHELP, 0); }
void TMainForm::About1Click(Component*) { ShowAboutBox(); }

// --- Colours, star, tools, timer ---

void TMainForm::ConfineTo(Control* c, int inset) {
  RECT r = c->BoundsRect();
  InflateRect(&r, -inset, -inset);
  MapWindowPoints(c->ParentHandle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  ConfineCursor(&r);
}

void TMainForm::PaintSwatch(bool left) {
  Bitmap& b = Image1->picture;
  Canvas& c = b.canvas();
  RECT r = left ? RECT{1, 1, 7, 10} : RECT{8, 1, 14, 10};
  COLORREF col = left ? drawing.leftColor : drawing.rightColor;
  c.pen = Pen{0};
  c.brush.style = BrushStyle::Solid;
  c.brush.color = col;
  c.Rectangle(r.left, r.top, r.right, r.bottom);
  if (left ? drawing.leftTransparent : drawing.rightTransparent) b.Set(r.left + 3, r.top + 4, col ^ 0xFFFFFF);
  Image1->Invalidate();
}

void TMainForm::ZonBtn3MouseDown(Component* sender, MouseButton, ShiftState, int, int) {
  if (auto* c = dynamic_cast<Control*>(sender)) ConfineTo(c, 1);
}

void TMainForm::SELECTEDCOLOR(Component* sender, MouseButton b, ShiftState, int, int) {
  ConfineCursor(nullptr);
  auto* btn = dynamic_cast<TZonBtn*>(sender);
  if (!btn || b == MouseButton::Middle) return;
  bool trans = btn == TransBtn;
  TIconForm* d = ActiveDocument();
  COLORREF col = trans ? (d ? d->doc.transparentColor : drawing.transparentColor) : btn->Color();
  if (b == MouseButton::Right) {
    drawing.rightColor = col;
    drawing.rightTransparent = trans;
    PaintSwatch(false);
  } else {
    drawing.leftColor = col;
    drawing.leftTransparent = trans;
    PaintSwatch(true);
    if (d) d->ColourChanged();
  }
}

void TMainForm::ZonStar1MouseDown(Component*, MouseButton, ShiftState, int, int) { ConfineTo(ZonStar1, 0); }
void TMainForm::ZonStar1MouseUp(Component*, MouseButton, ShiftState, int, int) { ConfineCursor(nullptr); }
void TMainForm::ZonStar1Click(Component*) {
  if (TIconForm* d = ActiveDocument()) d->Shift(ZonStar1->Segment());
}

// The tool is the one of the group whose button is down.
void TMainForm::ChooseTool(TZonSpeedButton* b) {
  if (b) b->SetDown(true);
  TZonSpeedButton* tools[] = {DrawingTool, RectangleTool, Fillrecttool, CircleTool, FillCircleTool,
                              LineTool,    FillTool,      PointerTool,  TextTool};
  for (int k = 0; k < 9; ++k)
    if (tools[k]->down) drawing.tool = static_cast<Tool>(k);
}

void TMainForm::DrawingToolClick(Component*) {
  ChooseTool(nullptr);
  if (TIconForm* d = ActiveDocument()) d->PlaceClippedRegion();
}

void TMainForm::Timer1Timer(Component*) {
  if (TIconForm* d = ActiveDocument()) d->Blink();
}

void TMainForm::DocumentChanged(TIconForm& d, IconDocument::Change c) {
  // The button offers Undo only where a snapshot of this document exists.
  if (c == IconDocument::Change::Picture) Undo->SetEnabled(UndoOn1->checked && d.doc.CanUndo());
  else RefreshEditMenu();
}

void TMainForm::DocumentActivated(TIconForm& d) {
  DrawingToolClick(nullptr);
  if (UndoOn1->checked) Undo->SetEnabled(d.doc.CanUndo());
}

}  // namespace zwicon
