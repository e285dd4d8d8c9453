// TIconSelectorDialog: the editor's own file browser for Open and Save As. The file list on one
// side, on the other a preview of the selected file: every icon of an icon file, program or
// library as a grid, or the picture itself. Its layout is kept in the registry.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "file_list.h"
#include "iconfile/file_dialog.h"
#include "imaging_component.h"
#include "palette.h"
#include "selector_layout.h"
#include "zon_image.h"

namespace zwicon {

using namespace zw;

#define ZW_SELECTOR_COMPONENTS(X)                                                                          \
  X(Panel, Panel1) X(Panel, Panel2) X(Panel, MainPanel) X(Panel, FileListPanel) X(Panel, SplitterPanel)   \
  X(Panel, ViewerPanel) X(Panel, Panel7) X(Edit, LocationBox) X(Edit, FName) X(Edit, FilterBox)           \
  X(TZonSpeedButton, InvertButton) X(TZonSpeedButton, SplitVButton) X(TZonSpeedButton, SplitHButton)     \
  X(Header, Header) X(TFileList, FileList) X(ScrollBox, scrollbox1) X(TZonImage, Image3)                 \
  X(PaintBox, PaintBox1) X(KeyTarget, BitBtn7) X(CheckBox, ShowDetail) X(CheckBox, SearchAll)            \
  X(CheckBox, Preview) X(Button, OkButton) X(Button, CancelButton) X(Button, HelpButton)
// LocationBoxExit and FilterBoxExit apply the text of the location or filter box (what leaving
// the box does).
#define ZW_SELECTOR_HANDLERS(X)                                                                            \
  X(Notify, FormResize) X(Notify, FileListChange) X(Notify, FileListDblClick) X(Notify, OkButtonClick)    \
  X(Notify, HelpButtonClick) X(Notify, InvertButtonClick) X(Notify, SplitVButtonClick)                   \
  X(Notify, SplitHButtonClick) X(Notify, ShowDetailClick) X(Notify, SearchAllClick) X(Notify, Image3Click) \
  X(Notify, PaintBox1Paint) X(Mouse, SplitterPanelMouseDown) X(MouseMove, SplitterPanelMouseMove)        \
  X(Mouse, SplitterPanelMouseUp) X(Notify, HeaderSectionResize) X(Key, BitBtn7KeyUp) X(Notify, BitBtn7Enter) \
  X(Notify, LocationBoxExit) X(Notify, FilterBoxExit)

class TIconSelectorDialog : public TZonForm {
 public:
  ZW_FORM_MEMBERS(ZW_SELECTOR_COMPONENTS, ZW_SELECTOR_HANDLERS)
  bool Make();
  ~TIconSelectorDialog() override;

  int iconIndex = 0;
  bool sideBySide = true;
  bool multiSelect = false;
  std::vector<TZonImage*> previews;  // the preview pictures, in order
  sw::TPMultiImage picture;          // reads image files for the preview

  // Arrow keys on the icon grid.
  void GridKey(WPARAM vk);
  void SelectIcon(int i);
  // Orientation and size of the list side.
  void SetOrientation(bool sideBySide, int listSize);
  int ListSideSize() const { return sideBySide ? FileListPanel->width : FileListPanel->height; }

  void RestoreLayout();
  void SaveLayout();
  std::string ChosenFileName() const;

 private:
  void FreePreviews();
  void ShowIcons(const std::string& file);
  void ShowPicture(const std::string& file);
  void ApplyDetails(bool on);
  bool PathTooLong(const std::string& path, const char* what);
  void DrawSplitLine(int pos);
  files::AlertHost host_;
  std::string lastLocation_, lastFilter_;
  HDC splitDC_ = nullptr;
  bool splitting_ = false;
  bool applying_ = false;
  bool locationRefused_ = false;  // the last location typed could not be opened  // a box's text is being applied (its alert takes the focus away)
  int splitLine_ = 0;
};

// The selector's entry point: true when the user confirmed with a non-empty file name; the
// folder, mask, icon index and file name come back through the references.
bool ExecuteIconSelector(const std::string& title, std::string& folder, std::string& mask, int& iconIndex,
                         bool multiSelect, std::string& fileName);
// Open and Save As through the selector.
bool ChooseFileWithSelector(files::FileChoice& choice);

// Reads a picture through the imaging component with the standard sixteen colours as the read
// palette (the shared palette's entries are set around the read and restored after it).
void ReadPictureStandardColours(sw::TPMultiImage& image, const std::string& file);

}  // namespace zwicon
