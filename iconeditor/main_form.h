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

class TMainForm : public TZonForm {
 public:
  // State (defaults as at start): what the documents draw with, and the editor's own.
  DrawingState drawing;
  std::string IconDir;
  std::string TempFileName;
  bool FirstPaint = true;

  // Components.
  Panel* ToolPanel = nullptr;
  TZonSpeedButton *DrawingTool = nullptr, *RectangleTool = nullptr, *Fillrecttool = nullptr, *CircleTool = nullptr,
                  *FillCircleTool = nullptr, *LineTool = nullptr, *FillTool = nullptr, *PointerTool = nullptr,
                  *TextTool = nullptr, *Undo = nullptr;
  TZonBtn* TransBtn = nullptr;
  Image* Image1 = nullptr;
  TZonStar* ZonStar1 = nullptr;
  MainMenu* MainMenu1 = nullptr;
  MenuItem *File1 = nullptr, *New1 = nullptr, *Open1 = nullptr, *Save1 = nullptr, *SaveAs1 = nullptr,
           *Close2 = nullptr, *CloseAll1 = nullptr, *Exit1 = nullptr;
  MenuItem *Edit1 = nullptr, *Undo2 = nullptr, *undohide1 = nullptr, *Cut1 = nullptr, *CutHide1 = nullptr,
           *Copy1 = nullptr, *CopyHide1 = nullptr, *Paste1 = nullptr, *PasteHide1 = nullptr, *Delete1 = nullptr,
           *SelectAll1 = nullptr, *ShowClipboard1 = nullptr;
  MenuItem *Options1 = nullptr, *ShowGrid1 = nullptr, *UndoOn1 = nullptr, *TransparentColor1 = nullptr,
           *SetFont1 = nullptr, *Flip1 = nullptr, *FlipVertical1 = nullptr, *Rotate1 = nullptr, *Invert1 = nullptr,
           *Clear1 = nullptr;
  MenuItem *Window1 = nullptr, *TileVertical1 = nullptr, *Tile1 = nullptr, *Cascade1 = nullptr,
           *ArrangeIcons1 = nullptr, *Help1 = nullptr;
  FontDialog* FontDialog1 = nullptr;
  Timer* Timer1 = nullptr;
  files::TPMultiImageComponent* PMultiImage1 = nullptr;

  // The window goes while the form is whole (its destroy handler saves the settings).
  ~TMainForm() override;
  static const FormTable& Table();
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

  // Handlers.
  void FormCreate(Component*);
  void FormShow(Component*);
  void FormPaint(Component*);
  void FormClose(Component*);
  void FormDestroy(Component*);
  void New1Click(Component*);
  void Open1Click(Component*);
  void Save1Click(Component*);
  void SaveAs1Click(Component*);
  void Close2Click(Component*);
  void CloseAll1Click(Component*);
  void Exit1Click(Component*);
  void File1Click(Component*);
  void Edit1Click(Component*);
  void Undo1Click(Component*);
  void Cut1Click(Component*);
  void Copy1Click(Component*);
  void Paste1Click(Component*);
  void Delete1Click(Component*);
  void SelectAll1Click(Component*);
  void ShowClipboard1Click(Component*);
  void Options1Click(Component*);
  void ShowGrid1Click(Component*);
  void UndoOn1Click(Component*);
  void TransColorClick(Component*);
  void SetFont1Click(Component*);
  void Flip1Click(Component*);
  void FlipVertical1Click(Component*);
  void Rotate1Click(Component*);
  void Invert1Click(Component*);
  void Clear1Click(Component*);
  void Window1Click(Component*);
  void TileVertical1Click(Component*);
  void Tile1Click(Component*);
  void Cascade1Click(Component*);
  void ArrangeIcons1Click(Component*);
  void Contents1Click(Component*);
  void TopicSearch1Click(Component*);
  void HowtoUseHelp1Click(Component*);
  void About1Click(Component*);
  void ZonBtn3MouseDown(Component*, MouseButton, ShiftState, int, int);
  void SELECTEDCOLOR(Component*, MouseButton, ShiftState, int, int);
  void ZonStar1MouseDown(Component*, MouseButton, ShiftState, int, int);
  void ZonStar1MouseUp(Component*, MouseButton, ShiftState, int, int);
  void ZonStar1Click(Component*);
  void DrawingToolClick(Component*);
  void Timer1Timer(Component*);

 private:
  void ConfineTo(Control* c, int inset);
  void ChooseTool(TZonSpeedButton* b);
  RECT designWindow_{};
};

}  // namespace zwicon
