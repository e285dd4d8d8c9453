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

class TIconSelectorDialog : public TZonForm {
 public:
  static const FormTable& Table();
  bool Make();
  ~TIconSelectorDialog() override;

  Panel *Panel1 = nullptr, *Panel2 = nullptr, *MainPanel = nullptr, *FileListPanel = nullptr, *SplitterPanel = nullptr,
        *ViewerPanel = nullptr, *Panel7 = nullptr;
  Edit *LocationBox = nullptr, *FName = nullptr, *FilterBox = nullptr;
  TZonSpeedButton *InvertButton = nullptr, *SplitVButton = nullptr, *SplitHButton = nullptr;
  Header* Header = nullptr;
  TFileList* FileList = nullptr;
  ScrollBox* scrollbox1 = nullptr;
  TZonImage* Image3 = nullptr;
  PaintBox* PaintBox1 = nullptr;
  KeyTarget* BitBtn7 = nullptr;
  CheckBox *ShowDetail = nullptr, *SearchAll = nullptr, *Preview = nullptr;
  Button *OkButton = nullptr, *CancelButton = nullptr, *HelpButton = nullptr;

  int iconIndex = 0;
  bool sideBySide = true;
  bool multiSelect = false;
  std::vector<TZonImage*> previews;  // the preview pictures, in order
  sw::TPMultiImage picture;          // reads image files for the preview

  void FormResize(Component*);
  void FileListChange(Component*);
  void FileListDblClick(Component*);
  void OkButtonClick(Component*);
  void HelpButtonClick(Component*);
  void InvertButtonClick(Component*);
  void SplitVButtonClick(Component*);
  void SplitHButtonClick(Component*);
  void ShowDetailClick(Component*);
  void SearchAllClick(Component*);
  void Image3Click(Component*);
  void PaintBox1Paint(Component*);
  void SplitterPanelMouseDown(Component*, MouseButton, ShiftState, int x, int y);
  void SplitterPanelMouseMove(Component*, ShiftState, int x, int y);
  void SplitterPanelMouseUp(Component*, MouseButton, ShiftState, int x, int y);

  void HeaderSectionResize(Component*);
  void BitBtn7KeyUp(Component*, WORD& key, ShiftState);
  void BitBtn7Enter(Component*);
  // Applies the text of the location or filter box (what leaving the box does).
  void LocationBoxExit(Component* = nullptr);
  void FilterBoxExit(Component* = nullptr);
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
