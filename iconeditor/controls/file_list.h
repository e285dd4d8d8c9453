// TFileList: an owner-drawn, sorted list box showing one directory (drives, root and parent
// entries, sub-directories and the files matching the masks), each entry with a small icon and
// optional size, date, time and attribute columns. The entries are strings of file_entries.h.
#pragma once
#include <array>
#include <functional>

#include "file_entries.h"
#include "std_controls.h"

namespace zw {

// A file (or, while searching sub-directories, a directory) about to be listed; the handler
// may refuse it by clearing `accept`.
using AddFileEvent = std::function<void(Component* sender, const std::string& name, bool& accept)>;

// Limits of the whole-tree search: directory depth and path length.
constexpr int kMaxSearchDepth = 24;
constexpr size_t kMaxSearchPath = MAX_PATH - 1;

class TFileList : public WinControl {
 public:
  TFileList();
  ~TFileList() override;

  const std::string& Directory() const { return directory_; }
  void SetDirectory(const std::string& d);
  const std::string& FileMask() const { return fileMask_; }
  void SetFileMask(const std::string& m);
  // Either may be null; on failure both old values come back and the error is returned.
  DWORD SetMaskAndDirectory(const std::string* mask, const std::string* dir);
  void Update();

  TFileListOrder ListOrder() const { return listOrder_; }
  void SetListOrder(TFileListOrder o);
  TFileListSortTypes SortBy() const { return sortBy_; }
  void SetSortBy(TFileListSortTypes s);
  bool ShowSystemFiles() const { return showSystemFiles_; }
  void SetShowSystemFiles(bool on);
  TTextCase TextCase() const { return textCase_; }
  void SetTextCase(TTextCase tc);
  FileDetailSet FileDetails() const { return fileDetails_; }
  void SetFileDetails(FileDetailSet s);
  ListDetailSet ListDetails() const { return listDetails_; }
  void SetListDetails(ListDetailSet s);
  TSearchModeTypes SearchMode() const { return searchMode_; }
  void SetSearchMode(TSearchModeTypes m);
  COLORREF HighlightFG() const { return highlightFG_; }
  void SetHighlightFG(COLORREF c);
  COLORREF HighlightBG() const { return highlightBG_; }
  void SetHighlightBG(COLORREF c);
  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int w);
  int ItemHeight() const { return itemHeight_; }
  void SetFont(const FontSpec& f);

  HCURSOR busyCursor = LoadCursor(nullptr, IDC_WAIT);
  Header* header = nullptr;  // kept in horizontal step with the list when set
  bool multiSelect = false;

  int ListCount() const { return listCount_; }
  uint64_t ListSize() const { return listSize_; }
  DWORD LastError() const { return lastError_; }
  // The whole-tree search was stopped with Escape.
  bool SearchStopped() const { return stopped_; }

  NotifyEvent OnChange, OnSearchBegin, OnSearchEnd;
  AddFileEvent OnAddFile;

  // Entries as listed (top to bottom), and the selection.
  int Count() const;
  bool Entry(int index, FileEntry& e) const;
  std::string EntryName(int index) const;
  char EntryKind(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int i);
  // Index of the first entry of `kind` named `name` (case-insensitive), or -1.
  int IndexOf(char kind, const std::string& name) const;
  // The horizontal extent the list currently scrolls over.
  int HorizontalExtent() const { return extent_; }

  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  bool FindEvent(const std::string& e, EventSlot& slot) override;
  void Loaded() override;

  // Reacts to a key as the list does (tests call it): Enter, letters and digits.
  bool KeyDown(WPARAM vk);
  bool CharTyped(char c);

 protected:
  const char* WindowClass() const override { return "LISTBOX"; }
  DWORD Style() const override;
  void HandleCreated() override;
  void Notified(UINT code, LPARAM lp) override;

 private:
  bool Fill(const std::string& target);
  DWORD ListDirectories();
  DWORD ListFiles(const std::string& folder, const std::string& prefix, const std::string& mask);
  DWORD SearchTree(const std::string& folder, const std::string& prefix, int depth);
  void AddDrives();
  void AddEntry(FileEntry e);
  void Rebuild();
  void RekeyEntries();
  void SelectionChanged();
  void DrawItem(const DRAWITEMSTRUCT& di);
  void MeasureName(const std::string& name);
  void RecomputeExtent();
  void ApplyItemHeight();
  bool EscapePressed();
  LRESULT SubclassProc(UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK StaticSubclass(HWND h, UINT msg, WPARAM wp, LPARAM lp);

  std::string directory_, fileMask_ = "*.*";
  TFileListOrder listOrder_ = flNormal;
  TFileListSortTypes sortBy_ = sbName;
  bool showSystemFiles_ = false;
  TTextCase textCase_ = tcAuto;
  FileDetailSet fileDetails_ = Bit(fdName);
  ListDetailSet listDetails_ = kDefaultListDetails;
  TSearchModeTypes searchMode_ = smNormal;
  COLORREF highlightFG_ = GetSysColor(COLOR_HIGHLIGHTTEXT), highlightBG_ = GetSysColor(COLOR_HIGHLIGHT);
  std::array<int, 5> columns_{150, 75, 70, 90, 45};
  int itemHeight_ = 16;
  int listCount_ = 0;
  uint64_t listSize_ = 0;
  DWORD lastError_ = 0;
  int extent_ = 0, widestName_ = 0;
  bool measuring_ = true;
  bool loading_ = true;  // until the description is applied
  bool filling_ = false, stopped_ = false;
  std::vector<std::pair<DWORD, uint64_t>> visited_;  // directories met by the tree search
  WNDPROC oldProc_ = nullptr;
};

}  // namespace zw
