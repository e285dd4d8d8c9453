#include "file_list.h"

#include <algorithm>
#include <set>

#include "application.h"
#include "paths.h"

namespace zw {

namespace {

constexpr COLORREF kIconTransparent = 0x000080;

// Remembers the process's current directory and error mode and restores both.
struct ProcessState {
  char cwd[MAX_PATH] = {};
  UINT errorMode;
  ProcessState() : errorMode(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {
    if (!GetCurrentDirectoryA(MAX_PATH, cwd)) cwd[0] = 0;
  }
  ~ProcessState() {
    if (cwd[0]) SetCurrentDirectoryA(cwd);
    SetErrorMode(errorMode);
  }
};

std::string CurrentDirectory() {
  char buf[MAX_PATH] = {};
  DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
  return n && n < MAX_PATH ? std::string(buf, n) : std::string();
}

std::string Join(const std::string& folder, const std::string& name) { return sw::AppendName(folder, name); }

std::string UpperText(std::string s) {
  if (!s.empty()) CharUpperBuffA(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

bool Hidden(DWORD attr) { return attr & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM); }

// Search results that end a search without being an error.
DWORD SearchError(DWORD e) { return e == ERROR_NO_MORE_FILES || e == ERROR_FILE_NOT_FOUND ? 0 : e; }

uint64_t FileSize(const WIN32_FIND_DATAA& fd) { return (static_cast<uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow; }

}  // namespace

TFileList::TFileList() {
  width = 121;
  height = 97;
  color = GetSysColor(COLOR_WINDOW);
}

TFileList::~TFileList() = default;

DWORD TFileList::Style() const {
  DWORD s = WS_CHILD | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_SORT | LBS_HASSTRINGS |
            LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  return multiSelect ? s | LBS_EXTENDEDSEL : s;
}

void TFileList::HandleCreated() {
  oldProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TFileList::StaticSubclass)));
  ApplyItemHeight();
  if (!loading_) Update();
}

void TFileList::Loaded() {
  loading_ = false;
  ApplyItemHeight();
}

namespace {

const char* const kOrders[] = {"flNormal", "flInverted", nullptr};
const char* const kSorts[] = {"sbName", "sbType", "sbSize", "sbDate", nullptr};
const char* const kCases[] = {"tcLowerCase", "tcUpperCase", "tcAuto", "tcNone", nullptr};
const char* const kModes[] = {"smNormal", "smSubDirectories", nullptr};
const char* const kFileDetailNames[] = {"fdName", "fdSize", "fdDate", "fdTime", "fdAttr", nullptr};
const char* const kListDetailNames[] = {"ldDrives", "ldSystemDirectories", "ldDirectories", "ldFiles", "ldNewFile",
                                        nullptr};

int IndexIn(const char* const* names, const std::string& s) {
  for (int i = 0; names[i]; ++i)
    if (s == names[i]) return i;
  return -1;
}

// An enumeration value written as its name.
template <class E> PropResult PickValue(const char* const* names, const PropValue& v, E& field) {
  int i = IndexIn(names, v.text);
  if (i < 0) return PropResult::BadValue;
  field = static_cast<E>(i);
  return PropResult::Ok;
}

// A set written as its members separated by spaces: "fdName fdSize".
PropResult SetValue(const char* const* names, const PropValue& v, unsigned& field) {
  if (v.kind != PropValue::String) return PropResult::BadValue;
  unsigned bits = 0;
  for (const std::string& m : SplitMasks(v.text)) {
    int i = IndexIn(names, m);
    if (i < 0) return PropResult::BadValue;
    bits |= Bit(i);
  }
  field = bits;
  return PropResult::Ok;
}

}  // namespace

PropResult TFileList::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "Directory" && v.kind == PropValue::String) return directory_ = v.text, PropResult::Ok;
  if (p == "FileMask" && v.kind == PropValue::String) return fileMask_ = v.text, PropResult::Ok;
  if (p == "ListOrder") return PickValue(kOrders, v, listOrder_);
  if (p == "SortBy") return PickValue(kSorts, v, sortBy_);
  if (p == "TextCase") return PickValue(kCases, v, textCase_);
  if (p == "SearchMode") return PickValue(kModes, v, searchMode_);
  if (p == "FileDetails") return SetValue(kFileDetailNames, v, fileDetails_);
  if (p == "ListDetails") return SetValue(kListDetailNames, v, listDetails_);
  if (p == "ShowSystemFiles" || p == "MultiSelect") {
    if (!v.IsBool()) return PropResult::BadValue;
    (p == "MultiSelect" ? multiSelect : showSystemFiles_) = v.IsTrue();
    return PropResult::Ok;
  }
  if (p == "HighlightFG") return ColorValue(v, highlightFG_) ? PropResult::Ok : PropResult::BadValue;
  if (p == "HighlightBG") return ColorValue(v, highlightBG_) ? PropResult::Ok : PropResult::BadValue;
  if (p == "BusyCursor") {
    if (v.text == "crHourGlass") busyCursor = LoadCursor(nullptr, IDC_WAIT);
    else if (v.text == "crDefault") busyCursor = nullptr;
    else return PropResult::BadValue;
    return PropResult::Ok;
  }
  if (p == "ItemHeight" && v.kind == PropValue::Number) {
    itemHeight_ = std::max(16, static_cast<int>(v.number));
    return PropResult::Ok;
  }
  return WinControl::SetProperty(p, v);
}

bool TFileList::FindEvent(const std::string& e, EventSlot& slot) {
  if (e == "OnChange") slot = &OnChange;
  else if (e == "OnSearchBegin") slot = &OnSearchBegin;
  else if (e == "OnSearchEnd") slot = &OnSearchEnd;
  else return WinControl::FindEvent(e, slot);
  return true;
}

// --- Properties ---

void TFileList::SetDirectory(const std::string& d) {
  if (filling_ || !enabled || !hwnd) {
    directory_ = d;
    return;
  }
  Fill(d);
}

void TFileList::SetFileMask(const std::string& m) {
  if (m == fileMask_) return;
  fileMask_ = m;
  Update();
}

DWORD TFileList::SetMaskAndDirectory(const std::string* mask, const std::string* dir) {
  std::string oldMask = fileMask_, oldDir = directory_;
  if (mask && UpperText(*mask) != UpperText(fileMask_)) fileMask_ = *mask;
  if (dir && UpperText(*dir) != UpperText(directory_)) directory_ = *dir;
  Update();
  DWORD err = lastError_;
  if (err) {
    fileMask_ = oldMask;
    directory_ = oldDir;
    Update();
    lastError_ = err;
  }
  return err;
}

void TFileList::Update() {
  if (filling_ || !enabled || !hwnd) return;
  int top = static_cast<int>(SendMessageA(hwnd, LB_GETTOPINDEX, 0, 0));
  int sel = ItemIndex();
  std::string target = directory_;
  directory_.clear();
  if (!Fill(target.empty() ? CurrentDirectory() : target)) {
    if (directory_.empty()) directory_ = target;
    return;
  }
  int n = Count();
  SendMessageA(hwnd, LB_SETTOPINDEX, std::min(top, std::max(0, n - 1)), 0);
  if (sel < 0 || n <= 0) return;
  // The entry now under the kept index is the selection: its owner hears of it.
  SetItemIndex(std::min(sel, n - 1));
  SelectionChanged();
}

void TFileList::Rebuild() { Update(); }

void TFileList::SetListOrder(TFileListOrder o) {
  listOrder_ = o;
  Rebuild();
}

void TFileList::SetSortBy(TFileListSortTypes s) {
  if (s == sortBy_) return;
  sortBy_ = s;
  RekeyEntries();
}

void TFileList::SetShowSystemFiles(bool on) {
  showSystemFiles_ = on;
  Rebuild();
}

void TFileList::SetTextCase(TTextCase tc) {
  textCase_ = tc;
  Rebuild();
}

void TFileList::SetListDetails(ListDetailSet s) {
  listDetails_ = s;
  Rebuild();
}

void TFileList::SetSearchMode(TSearchModeTypes m) {
  searchMode_ = m;
  Rebuild();
}

void TFileList::SetFileDetails(FileDetailSet s) {
  fileDetails_ = s | Bit(fdName);
  RecomputeExtent();
  Invalidate();
}

void TFileList::SetHighlightFG(COLORREF c) {
  if (c == highlightFG_) return;
  highlightFG_ = c;
  Invalidate();
}

void TFileList::SetHighlightBG(COLORREF c) {
  if (c == highlightBG_) return;
  highlightBG_ = c;
  Invalidate();
}

int TFileList::ColumnWidth(int column) const { return column >= 0 && column < 5 ? columns_[column] : 0; }

void TFileList::SetColumnWidth(int column, int w) {
  if (column < 0 || column >= 5) return;
  columns_[column] = std::max(column == fdName ? 30 : 0, w);
  RecomputeExtent();
  Invalidate();
}

void TFileList::SetFont(const FontSpec& f) {
  font = f;
  if (hwnd) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(App().SharedFont(font)), FALSE);
  ApplyItemHeight();
  RecomputeExtent();
}

void TFileList::ApplyItemHeight() {
  int h = std::abs(font.height), size = h * 72 / 96;
  itemHeight_ = std::max({16, itemHeight_ == 16 ? 0 : itemHeight_, 2 * h - size}) & ~1;
  if (hwnd) SendMessageA(hwnd, LB_SETITEMHEIGHT, 0, itemHeight_);
}

// --- Entries ---

int TFileList::Count() const { return hwnd ? static_cast<int>(SendMessageA(hwnd, LB_GETCOUNT, 0, 0)) : 0; }

bool TFileList::Entry(int index, FileEntry& e) const {
  if (!hwnd || index < 0 || index >= Count()) return false;
  LRESULT len = SendMessageA(hwnd, LB_GETTEXTLEN, index, 0);
  if (len <= 0) return false;
  std::string s(static_cast<size_t>(len) + 1, '\0');
  len = SendMessageA(hwnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(s.data()));
  if (len <= 0) return false;
  s.resize(static_cast<size_t>(len));
  return DecodeEntry(s, listOrder_ == flInverted, e);
}

std::string TFileList::EntryName(int index) const {
  FileEntry e;
  return Entry(index, e) ? e.name : std::string();
}

char TFileList::EntryKind(int index) const {
  FileEntry e;
  return Entry(index, e) ? e.kind : 0;
}

int TFileList::ItemIndex() const {
  if (!hwnd) return -1;
  if (multiSelect) return static_cast<int>(SendMessageA(hwnd, LB_GETCARETINDEX, 0, 0));
  return static_cast<int>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0));
}

void TFileList::SetItemIndex(int i) {
  if (!hwnd) return;
  if (multiSelect) {
    SendMessageA(hwnd, LB_SETSEL, FALSE, -1);
    SendMessageA(hwnd, LB_SETSEL, TRUE, i);
    SendMessageA(hwnd, LB_SETCARETINDEX, i, FALSE);
  } else {
    SendMessageA(hwnd, LB_SETCURSEL, i, 0);
  }
}

int TFileList::IndexOf(char kind, const std::string& name) const {
  std::string want = UpperText(name);
  for (int i = 0, n = Count(); i < n; ++i) {
    FileEntry e;
    if (Entry(i, e) && e.kind == kind && UpperText(e.name) == want) return i;
  }
  return -1;
}

void TFileList::AddEntry(FileEntry e) {
  if (e.kind != kDriveEntry) e.name = ApplyTextCase(e.name, textCase_);
  std::string s = EncodeEntry(e, sortBy_, listOrder_ == flInverted);
  if (SendMessageA(hwnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.c_str())) != LB_ERR)
    return;
  SendMessageA(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (e.kind == kDirEntry || e.kind == kFileEntry) {
    ++listCount_;
    listSize_ += e.size;
  }
  MeasureName(e.name);
}

void TFileList::RekeyEntries() {
  if (!hwnd) return;
  std::vector<FileEntry> all;
  for (int i = 0, n = Count(); i < n; ++i) {
    FileEntry e;
    if (Entry(i, e)) all.push_back(e);
  }
  std::string selected = ItemIndex() >= 0 ? EntryName(ItemIndex()) : std::string();
  SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
  for (auto& e : all) {
    std::string s = EncodeEntry(e, sortBy_, listOrder_ == flInverted);
    SendMessageA(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  }
  for (int i = 0, n = Count(); i < n && !selected.empty(); ++i)
    if (EntryName(i) == selected) SetItemIndex(i);
  SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
  Invalidate();
}

// --- Fill ---

bool TFileList::Fill(const std::string& target) {
  filling_ = true;
  stopped_ = false;
  HCURSOR prevCursor = App().SetScreenCursor(busyCursor);
  ProcessState saved;
  std::string previous = directory_;

  // Enter the target first: a folder that cannot be entered leaves the listing as it was.
  DWORD dirError = 0;
  if (!directory_.empty()) SetCurrentDirectoryA(directory_.c_str());
  DWORD attr = GetFileAttributesA(target.c_str());
  char full[MAX_PATH];
  if (target.size() >= MAX_PATH - 1 || GetFullPathNameA(target.c_str(), MAX_PATH, full, nullptr) >= MAX_PATH - 1) {
    // A folder whose path does not fit is never entered: it could not be shown or returned.
    dirError = ERROR_FILENAME_EXCED_RANGE;
  } else if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) && Hidden(attr) && !showSystemFiles_ &&
      target != "\\" && target != "..") {
    dirError = ERROR_PATH_NOT_FOUND;
  } else if (!SetCurrentDirectoryA(target.c_str())) {
    dirError = GetLastError();
    if (!dirError) dirError = ERROR_PATH_NOT_FOUND;
  } else if (CurrentDirectory().empty()) {
    dirError = ERROR_FILENAME_EXCED_RANGE;
  }
  if (dirError) {
    lastError_ = dirError;
    App().SetScreenCursor(prevCursor);
    filling_ = false;
    return false;
  }
  directory_ = CurrentDirectory();

  SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
  listCount_ = 0;
  listSize_ = 0;
  widestName_ = 0;
  measuring_ = true;
  visited_.clear();

  if (listDetails_ & Bit(ldNewFile)) AddEntry(FileEntry{kNewEntry, "NEW", kIconPlain});
  if (listDetails_ & Bit(ldDrives)) AddDrives();
  if ((listDetails_ & Bit(ldSystemDirectories)) && directory_.size() > 3) {
    AddEntry(FileEntry{kRootEntry, "\\", kIconRoot});
    AddEntry(FileEntry{kParentEntry, "..", kIconParent});
  }
  if (OnSearchBegin) OnSearchBegin(this);
  if (searchMode_ == smNormal) App().SetScreenCursor(prevCursor);

  DWORD searchError = 0;
  if (searchMode_ == smNormal) {
    if (listDetails_ & Bit(ldDirectories)) searchError = ListDirectories();
    if (!searchError && (listDetails_ & Bit(ldFiles)))
      for (const std::string& m : SplitMasks(fileMask_))
        if ((searchError = ListFiles(directory_, std::string(), m)) != 0) break;
  } else if (listDetails_ & Bit(ldFiles)) {
    searchError = SearchTree(directory_, std::string(), 0);
  }

  if (OnSearchEnd) OnSearchEnd(this);
  // Coming back up, the folder just left is selected.
  if (target == ".." || target == "\\") {
    std::string left = sw::FilePart(previous);
    int i = left.empty() ? -1 : IndexOf(kDirEntry, left);
    if (i >= 0) {
      SetItemIndex(i);
      SendMessageA(hwnd, LB_SETTOPINDEX, i, 0);
    }
  }
  lastError_ = searchError;
  RecomputeExtent();
  SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
  App().SetScreenCursor(prevCursor);
  filling_ = false;
  SelectionChanged();
  return true;
}

void TFileList::AddDrives() {
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    char root[4] = {static_cast<char>('A' + i), ':', '\\', 0};
    UINT type = GetDriveTypeA(root);
    if (type < DRIVE_REMOVABLE || type > DRIVE_RAMDISK) continue;
    FileEntry e{kDriveEntry};
    e.name = std::string(1, textCase_ == tcLowerCase ? static_cast<char>('a' + i) : root[0]) + ":";
    e.icon = static_cast<int>(type) - DRIVE_REMOVABLE + 1;
    char label[MAX_PATH + 1] = {};
    if ((type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK) &&
        GetVolumeInformationA(root, label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0) && label[0])
      e.name += " [" + ApplyTextCase(label, textCase_) + "]";
    AddEntry(e);
  }
}

DWORD TFileList::ListDirectories() {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(Join(directory_, "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return SearchError(GetLastError());
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (!strcmp(fd.cFileName, ".") || !strcmp(fd.cFileName, "..")) continue;
    if (Hidden(fd.dwFileAttributes) && !showSystemFiles_) continue;
    AddEntry(FileEntry{kDirEntry, fd.cFileName, EntryIcon(fd.cFileName, fd.dwFileAttributes, true),
                       fd.dwFileAttributes, PackFileTime(fd.ftLastWriteTime), 0});
  } while (FindNextFileA(h, &fd));
  DWORD e = GetLastError();
  FindClose(h);
  return SearchError(e);
}

// Adds the files of `folder` matching `mask`, named with `prefix` before their names.
DWORD TFileList::ListFiles(const std::string& folder, const std::string& prefix, const std::string& mask) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(Join(folder, mask).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return SearchError(GetLastError());
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (Hidden(fd.dwFileAttributes) && !showSystemFiles_) continue;
    std::string name = prefix + fd.cFileName;
    bool accept = true;
    if (OnAddFile) OnAddFile(this, name, accept);
    if (!accept) continue;
    AddEntry(FileEntry{kFileEntry, name, EntryIcon(fd.cFileName, fd.dwFileAttributes, false), fd.dwFileAttributes,
                       PackFileTime(fd.ftLastWriteTime), FileSize(fd)});
  } while (FindNextFileA(h, &fd));
  DWORD e = GetLastError();
  FindClose(h);
  return SearchError(e);
}

// Lists the matching files of `folder` and of every folder below it, named relative to the
// list's directory. Each folder is searched once (by its file identity, so links that lead
// back are not followed again); depth and path length are bounded; Escape stops the search.
DWORD TFileList::SearchTree(const std::string& folder, const std::string& prefix, int depth) {
  if (depth > kMaxSearchDepth || folder.size() > kMaxSearchPath || stopped_) return 0;
  HANDLE dh = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (dh != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION info;
    bool known = GetFileInformationByHandle(dh, &info);
    CloseHandle(dh);
    if (known) {
      std::pair<DWORD, uint64_t> id{info.dwVolumeSerialNumber,
                                    (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
      if (std::find(visited_.begin(), visited_.end(), id) != visited_.end()) return 0;
      visited_.push_back(id);
    }
  }
  if (EscapePressed()) {
    stopped_ = true;
    return 0;
  }
  for (const std::string& mask : SplitMasks(fileMask_)) ListFiles(folder, prefix, mask);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(Join(folder, "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      continue;
    if (!strcmp(fd.cFileName, ".") || !strcmp(fd.cFileName, "..")) continue;
    if (Hidden(fd.dwFileAttributes) && !showSystemFiles_) continue;
    std::string name = prefix + fd.cFileName;
    bool accept = true;
    if (OnAddFile) OnAddFile(this, name, accept);
    if (accept) SearchTree(Join(folder, fd.cFileName), name + "\\", depth + 1);
  } while (!stopped_ && FindNextFileA(h, &fd));
  FindClose(h);
  return 0;
}

bool TFileList::EscapePressed() {
  MSG m;
  while (PeekMessageA(&m, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) {
    PeekMessageA(&m, m.hwnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
    if (m.wParam == VK_ESCAPE) return true;
  }
  return false;
}

// --- Drawing ---

// The entry icons, side by side in one picture (16 x 14 each), loaded from the program's
// resources at the first use and shared by all lists.
static const Bitmap& EntryIcons() {
  static Bitmap* icons = nullptr;
  if (!icons) {
    icons = new Bitmap;
    icons->LoadResource(App().instance, "FILEICONS");
  }
  return *icons;
}

void TFileList::MeasureName(const std::string& name) {
  if (!measuring_ || !hwnd) return;
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, App().SharedFont(font));
  SIZE sz{};
  GetTextExtentPoint32A(dc, name.c_str(), static_cast<int>(name.size()), &sz);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  widestName_ = std::max(widestName_, static_cast<int>(sz.cx));
  RECT r;
  GetClientRect(hwnd, &r);
  if (sz.cx > r.right) measuring_ = false;
}

void TFileList::RecomputeExtent() {
  if (fileDetails_ == Bit(fdName)) {
    extent_ = widestName_ + 20;
  } else {
    extent_ = 0;
    for (int i = 0; i < 5; ++i)
      if (fileDetails_ & Bit(i)) extent_ += columns_[i];
  }
  if (hwnd) SendMessageA(hwnd, LB_SETHORIZONTALEXTENT, extent_, 0);
}

void TFileList::DrawItem(const DRAWITEMSTRUCT& di) {
  if (static_cast<int>(di.itemID) < 0) return;
  FileEntry e;
  if (!Entry(static_cast<int>(di.itemID), e)) return;
  Canvas c(di.hDC);
  c.font = font;
  const RECT& r = di.rcItem;
  bool selected = di.itemState & ODS_SELECTED;
  bool highlight = selected && (((e.kind == kDirEntry || e.kind == kFileEntry) && (listDetails_ & Bit(ldFiles))) ||
                                listDetails_ == Bit(ldDrives));
  COLORREF fg = highlight ? highlightFG_ : font.color, bg = highlight ? highlightBG_ : color;
  if (di.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
    c.brush.color = bg;
    c.brush.style = BrushStyle::Solid;
    c.FillRect(r);
    int top = r.top + itemHeight_ / 2 - 7;
    const Bitmap& icons = EntryIcons();
    int left = 16 * (e.icon >= 1 && e.icon <= 28 ? e.icon - 1 : kIconPlain - 1);
    if (icons.Width() >= left + 16)
      c.CopyTransparent(RECT{r.left + 2, top, r.left + 18, top + 14}, icons, RECT{left, 0, left + 16, 14},
                        kIconTransparent);
    c.font.color = fg;
    c.Realize();
    SetTextColor(di.hDC, fg);
    SetBkMode(di.hDC, TRANSPARENT);
    int ty = r.top + (itemHeight_ - c.TextHeight("Ag")) / 2;
    if (fileDetails_ == Bit(fdName)) {
      c.TextOut(r.left + 20, ty, e.name);
    } else {
      int x = r.left;
      for (int col = 0; col < 5; ++col) {
        if (!(fileDetails_ & Bit(col))) continue;
        int w = columns_[col];
        std::string text;
        if (col == fdName) {
          c.TextRect(RECT{x + 20, r.top, x + w, r.bottom}, x + 20, ty, e.name);
        } else if (e.kind == kFileEntry || (e.kind == kDirEntry && col != fdSize)) {
          text = col == fdSize ? FormatSize(e.size)
                 : col == fdDate ? FormatPackedDate(e.dateTime)
                 : col == fdTime ? FormatPackedTime(e.dateTime)
                                 : AttributeLetters(e.attributes);
          RECT tr{x, r.top, x + w - 2, r.bottom};
          c.DrawText(tr, text, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        c.pen.color = GetSysColor(COLOR_GRAYTEXT);
        c.pen.mode = PenMode::Copy;
        c.MoveTo(x + w - 1, r.top);
        c.LineTo(x + w - 1, r.bottom);
        x += w;
      }
    }
  }
  // The exclusive-or focus rectangle: drawn on a freshly painted focused item, toggled on a
  // focus change alone (so losing the focus takes it away again).
  bool painted = di.itemAction & (ODA_DRAWENTIRE | ODA_SELECT);
  if ((painted && (di.itemState & ODS_FOCUS)) || (!painted && (di.itemAction & ODA_FOCUS))) {
    c.pen.color = 0xFFFFFF;
    c.pen.mode = PenMode::Xor;
    c.brush.style = BrushStyle::Clear;
    c.Rectangle(r.left, r.top, r.right, r.bottom);
  }
}

// --- Input ---

void TFileList::Notified(UINT code, LPARAM lp) {
  if (code == WM_DRAWITEM) DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
  else if (code == LBN_SELCHANGE) SelectionChanged();
  else if (code == LBN_DBLCLK) DblClick();
}

void TFileList::SelectionChanged() {
  if (multiSelect && hwnd) {
    int n = Count();
    for (int k = 0; k < n; ++k) {
      int i = listOrder_ == flInverted ? n - 1 - k : k;
      char kind = EntryKind(i);
      if ((kind == kDriveEntry || kind == kRootEntry || kind == kParentEntry) &&
          SendMessageA(hwnd, LB_GETSEL, i, 0) > 0)
        SendMessageA(hwnd, LB_SETSEL, FALSE, i);
    }
  }
  if (OnChange) OnChange(this);
}

bool TFileList::KeyDown(WPARAM vk) {
  if (vk != VK_RETURN) return false;
  DblClick();
  return true;
}

bool TFileList::CharTyped(char ch) {
  bool letter = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
  if (!letter) return false;
  int n = Count();
  if (!n) return true;
  char want = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
  int start = ItemIndex();
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    if (i < 0) i += n;
    std::string name = EntryName(i);
    char first = name.empty() ? 0 : name[0];
    if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 32);
    if (first == want) {
      SetItemIndex(i);
      SendMessageA(hwnd, LB_SETTOPINDEX, i, 0);
      SelectionChanged();
      break;
    }
  }
  return true;
}

LRESULT CALLBACK TFileList::StaticSubclass(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = dynamic_cast<TFileList*>(FromHandle(h));
  if (!self) return DefWindowProcA(h, msg, wp, lp);
  return self->SubclassProc(msg, wp, lp);
}

LRESULT TFileList::SubclassProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_GETDLGCODE: {
      // Enter belongs to the list (it fires the double-click), not to the dialog.
      auto* m = reinterpret_cast<MSG*>(lp);
      LRESULT code = CallWindowProcA(oldProc_, hwnd, msg, wp, lp) | DLGC_WANTCHARS;
      if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      if (KeyDown(wp)) return 0;
      break;
    case WM_CHAR:
      if (CharTyped(static_cast<char>(wp))) return 0;
      break;
    case WM_HSCROLL: {
      LRESULT r = CallWindowProcA(oldProc_, hwnd, msg, wp, lp);
      if (header && header->hwnd) {
        int pos = GetScrollPos(hwnd, SB_HORZ);
        header->SetBounds(-pos + left, header->top, std::max(header->width, extent_ + pos), header->height);
      }
      return r;
    }
    case WM_ERASEBKGND: {
      RECT cr;
      GetClientRect(hwnd, &cr);
      int top = static_cast<int>(SendMessageA(hwnd, LB_GETTOPINDEX, 0, 0));
      int below = (Count() - top) * itemHeight_;
      if (below < cr.bottom) {
        HBRUSH b = CreateSolidBrush(color);
        RECT fr{0, std::max(0, below), cr.right, cr.bottom};
        FillRect(reinterpret_cast<HDC>(wp), &fr, b);
        DeleteObject(b);
      }
      return 1;
    }
    default: break;
  }
  return CallWindowProcA(oldProc_, hwnd, msg, wp, lp);
}

}  // namespace zw
