// TMainForm: the icon editor's MDI frame with its menus, the tool panel (tools, colours, the
// star, Undo), the drawing state shared by all documents and the settings.
#pragma once
#include <cstdint>
#include <string>

#include "file_dialog.h"
#include "icon_document.h"
#include "label3d.h"
#include "menu.h"
#include "message_boxes.h"
#include "palette.h"
#include "zon_button.h"
#include "zon_image.h"
#include "zon_star.h"

namespace zwicon {

using namespace zw;
class TIconForm;
namespace files { class TPMultiImageComponent; }

#define ZW_MAIN_COMPONENTS(X)                                                                            \
  X(Panel, ToolPanel) X(TZonSpeedButton, DrawingTool) X(TZonSpeedButton, RectangleTool)                  \
  X(TZonSpeedButton, Fillrecttool) X(TZonSpeedButton, CircleTool) X(TZonSpeedButton, FillCircleTool)     \
  X(TZonSpeedButton, LineTool) X(TZonSpeedButton, FillTool) X(TZonSpeedButton, PointerTool)              \
  X(TZonSpeedButton, TextTool) X(TZonSpeedButton, Undo) X(TZonBtn, TransBtn) X(Image, Image1)            \
  X(TZonStar, ZonStar1) X(MainMenu, MainMenu1) X(MenuItem, File1) X(MenuItem, New1) X(MenuItem, Open1)   \
  X(MenuItem, Save1) X(MenuItem, SaveAs1) X(MenuItem, Close2) X(MenuItem, CloseAll1) X(MenuItem, Exit1)  \
  X(MenuItem, Edit1) X(MenuItem, Undo2) X(MenuItem, undohide1) X(MenuItem, Cut1) X(MenuItem, CutHide1)   \
  X(MenuItem, Copy1) X(MenuItem, CopyHide1) X(MenuItem, Paste1) X(MenuItem, PasteHide1)                  \
  X(MenuItem, Delete1) X(MenuItem, SelectAll1) X(MenuItem, ShowClipboard1) X(MenuItem, Options1)         \
  X(MenuItem, ShowGrid1) X(MenuItem, UndoOn1) X(MenuItem, TransparentColor1) X(MenuItem, SetFont1)       \
  X(MenuItem, Flip1) X(MenuItem, FlipVertical1) X(MenuItem, Rotate1) X(MenuItem, Invert1)                \
  X(MenuItem, Clear1) X(MenuItem, Window1) X(MenuItem, TileVertical1) X(MenuItem, Tile1)                 \
  X(MenuItem, Cascade1) X(MenuItem, ArrangeIcons1) X(MenuItem, Help1) X(FontDialog, FontDialog1)         \
  X(Timer, Timer1) X(files::TPMultiImageComponent, PMultiImage1)
#define ZW_MAIN_HANDLERS(X)                                                                             \
  X(Notify, FormCreate) X(Notify, FormShow) X(Notify, FormPaint) X(Notify, FormClose)                   \
  X(Notify, FormDestroy) X(Notify, New1Click) X(Notify, Open1Click) X(Notify, Save1Click)               \
  X(Notify, SaveAs1Click) X(Notify, Close2Click) X(Notify, CloseAll1Click) X(Notify, Exit1Click)        \
  X(Notify, File1Click) X(Notify, Edit1Click) X(Notify, Undo1Click) X(Notify, Cut1Click)                \
  X(Notify, Copy1Click) X(Notify, Paste1Click) X(Notify, Delete1Click) X(Notify, SelectAll1Click)       \
  X(Notify, ShowClipboard1Click) X(Notify, Options1Click) X(Notify, ShowGrid1Click)                     \
  X(Notify, UndoOn1Click) X(Notify, TransColorClick) X(Notify, SetFont1Click) X(Notify, Flip1Click)     \
  X(Notify, FlipVertical1Click) X(Notify, Rotate1Click) X(Notify, Invert1Click) X(Notify, Clear1Click)  \
  X(Notify, Window1Click) X(Notify, TileVertical1Click) X(Notify, Tile1Click) X(Notify, Cascade1Click)  \
  X(Notify, ArrangeIcons1Click) X(Notify, Contents1Click) X(Notify, TopicSearch1Click)                  \
  X(Notify, HowtoUseHelp1Click) X(Notify, About1Click) X(Mouse, ZonBtn3MouseDown)                       \
  X(Mouse, SELECTEDCOLOR) X(Mouse, ZonStar1MouseDown) X(Mouse, ZonStar1MouseUp)                         \
  X(Notify, ZonStar1Click) X(Notify, DrawingToolClick) X(Notify, Timer1Timer)

class TMainForm : public TZonForm {
 public:
  // State (defaults as at start): what the documents draw with, and the editor's own.
  DrawingState drawing;
  std::string IconDir;
  std::string TempFileName;
  bool FirstPaint = true;

  // Components, handlers and the name table.
  ZW_FORM_MEMBERS(ZW_MAIN_COMPONENTS, ZW_MAIN_HANDLERS)

  // The window goes while the form is whole (its destroy handler saves the settings).
  ~TMainForm() override;
  // Loads the description, creates the window (hidden) and runs FormCreate.
  bool Make();

  TIconForm* ActiveDocument() const;
  int DocumentCount() const { return static_cast<int>(MdiChildren().size()); }
  // Saves a document (the close question passes the one being closed).
  void SaveDocument(TIconForm* doc);
  void SaveAsDocument(TIconForm* doc);
  // Opens an icon file (the file formats come later: until then a missing or unreadable file
  // is reported and a new document opens).
  void OpenFile(const std::string& name, int index);
  void NewOpenFile(TIconForm* doc, const std::string& caption);
  // File commands (main_form_files.cpp): an icon written over a file with its backup, and the
  // file browser's one entry.
  bool SaveIconTo(TIconForm* doc, const std::string& file);
  bool ChooseFile(files::FileChoice& choice);
  void PaintSwatch(bool left);
  void RefreshEditMenu() { Edit1Click(nullptr); }
  // A document's picture or selection changed: the Undo button and the Edit menu follow.
  void DocumentChanged(TIconForm& doc, IconDocument::Change c);
  // A document came to the front: its selection goes down, the Undo button shows its undo.
  void DocumentActivated(TIconForm& doc);

 private:
  void ConfineTo(Control* c, int inset);
  void ChooseTool(TZonSpeedButton* b);
  RECT designWindow_{};
};

}  // namespace zwicon
