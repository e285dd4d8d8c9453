#include "icon_selector.h"

#include <shellapi.h>

#include <algorithm>

#include "application.h"
#include "description.h"
#include "icon_model.h"
#include "icon_source.h"
#include "message_boxes.h"
#include "paths.h"
#include "zwicon.h"

namespace zwicon {

ZW_FORM_TABLE(TIconSelectorDialog, ZW_SELECTOR_COMPONENTS, ZW_SELECTOR_HANDLERS)

bool TIconSelectorDialog::Make() {
  RegisterEditorControls();
  picture.SetHost(&host_);
  picture.SetReadResolution(sw::TPMultiImage::Resolution::Colors16);
  picture.SetDithering(true);
  return LoadAndCreate("IconSelector", Table());
}

TIconSelectorDialog::~TIconSelectorDialog() {
  if (splitDC_) ReleaseDC(nullptr, splitDC_);
}

// --- Layout ---

void TIconSelectorDialog::RestoreLayout() {
  SelectorLayout l;
  l.window = RECT{left, top, width, height};
  ReadSelectorLayout(TheEditor().settingsKey, l, SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  SetBounds(l.window.left, l.window.top, std::max(l.window.right, 526L), std::max(l.window.bottom, 300L));
  for (int i = 0; i < 5; ++i) FileList->SetColumnWidth(i, l.details[i]);
  if (l.showDetails) {
    ShowDetail->SetChecked(true);
    ApplyDetails(true);
  }
  if (l.inverted) FileList->SetListOrder(flInverted);
  Preview->SetChecked(true);
  int limit = l.stacked ? MainPanel->height : MainPanel->width - SplitterPanel->width;
  SetOrientation(!l.stacked, std::clamp(l.splitPos, 0, std::max(0, limit)));
  FileList->SetShowSystemFiles(false);
}

void TIconSelectorDialog::SaveLayout() {
  SelectorLayout l;
  RECT r{};
  if (hwnd) GetWindowRect(hwnd, &r);
  l.window = RECT{r.left, r.top, r.right - r.left, r.bottom - r.top};
  for (int i = 0; i < 5; ++i) l.details[i] = FileList->ColumnWidth(i);
  l.showDetails = ShowDetail->Checked();
  l.inverted = FileList->ListOrder() == flInverted;
  l.stacked = SplitterPanel->width > SplitterPanel->height;
  l.splitPos = ListSideSize();
  WriteSelectorLayout(TheEditor().settingsKey, l, Preview->visible, Preview->Checked());
}

void TIconSelectorDialog::SetOrientation(bool side, int listSize) {
  sideBySide = side;
  FileListPanel->align = side ? Align::Left : Align::Top;
  SplitterPanel->align = side ? Align::Left : Align::Top;
  SplitterPanel->cursor = LoadCursor(nullptr, side ? IDC_SIZEWE : IDC_SIZENS);
  if (side) {
    FileListPanel->SetSize(listSize, FileListPanel->height);
    SplitterPanel->SetSize(4, SplitterPanel->height);
  } else {
    FileListPanel->SetSize(FileListPanel->width, listSize);
    SplitterPanel->SetSize(SplitterPanel->width, 4);
  }
  SplitVButton->SetDown(side);
  SplitHButton->SetDown(!side);
  MainPanel->Realign();
}

void TIconSelectorDialog::FormResize(Component*) {
  if (!MainPanel || !FileListPanel) return;
  int room = sideBySide ? MainPanel->width - SplitterPanel->width : MainPanel->height - SplitterPanel->height;
  if (ListSideSize() > room) SetOrientation(sideBySide, std::max(0, ListSideSize() / 2));
  FileListChange(nullptr);
}

void TIconSelectorDialog::SplitVButtonClick(Component*) {
  SetOrientation(true, MainPanel->width / 2);
  FileListChange(nullptr);
}

void TIconSelectorDialog::SplitHButtonClick(Component*) {
  SetOrientation(false, MainPanel->height / 2);
  FileListChange(nullptr);
}

// The splitter: an exclusive-or line on the whole display follows the mouse; the release sets
// the list side's size.
void TIconSelectorDialog::DrawSplitLine(int pos) {
  if (!splitDC_) return;
  RECT m;
  GetWindowRect(MainPanel->hwnd, &m);
  POINT o{0, 0};
  ClientToScreen(SplitterPanel->hwnd, &o);
  HPEN pen = CreatePen(PS_SOLID, 4, RGB(255, 255, 255));
  HGDIOBJ old = SelectObject(splitDC_, pen);
  int mode = SetROP2(splitDC_, R2_XORPEN);
  if (sideBySide) {
    MoveToEx(splitDC_, o.x + pos, m.top, nullptr);
    LineTo(splitDC_, o.x + pos, m.bottom);
  } else {
    MoveToEx(splitDC_, m.left, o.y + pos, nullptr);
    LineTo(splitDC_, m.right, o.y + pos);
  }
  SetROP2(splitDC_, mode);
  SelectObject(splitDC_, old);
  DeleteObject(pen);
}

void TIconSelectorDialog::SplitterPanelMouseDown(Component*, MouseButton, ShiftState, int x, int y) {
  splitDC_ = GetDC(nullptr);
  splitting_ = true;
  RECT m;
  GetWindowRect(MainPanel->hwnd, &m);
  ConfineCursor(&m);
  splitLine_ = sideBySide ? x : y;
  DrawSplitLine(splitLine_);
}

void TIconSelectorDialog::SplitterPanelMouseMove(Component*, ShiftState, int x, int y) {
  if (!splitting_) return;
  DrawSplitLine(splitLine_);
  splitLine_ = sideBySide ? x : y;
  DrawSplitLine(splitLine_);
}

void TIconSelectorDialog::SplitterPanelMouseUp(Component*, MouseButton, ShiftState, int x, int y) {
  if (!splitting_) return;
  DrawSplitLine(splitLine_);
  splitting_ = false;
  ReleaseDC(nullptr, splitDC_);
  splitDC_ = nullptr;
  ConfineCursor(nullptr);
  int size = sideBySide ? FileListPanel->width + x - SplitterPanel->width
                        : FileListPanel->height + y - SplitterPanel->height;
  int room = sideBySide ? MainPanel->width - SplitterPanel->width : MainPanel->height - SplitterPanel->height;
  SetOrientation(sideBySide, std::clamp(size, 0, std::max(0, room)));
  FileListChange(nullptr);
}

// --- The list and the preview ---

void TIconSelectorDialog::FreePreviews() {
  for (TZonImage* p : previews) {
    scrollbox1->RemoveChild(p);
    Release(p);
  }
  previews.clear();
  scrollbox1->ScrollTo(0, 0);
  scrollbox1->UpdateScrollRange();
  scrollbox1->Invalidate();
}

void TIconSelectorDialog::FileListChange(Component*) {
  LocationBox->SetText(FileList->Directory());
  lastLocation_ = LocationBox->Text();
  int i = FileList->ItemIndex();
  if (!ViewerPanel->visible || i < 0 || FileList->EntryKind(i) != kFileEntry) return;
  std::string name = FileList->EntryName(i);
  if (name == FName->Text()) return;
  FName->SetText(name);
  if (FName->hwnd) SendMessageA(FName->hwnd, EM_SETSEL, name.size(), name.size());
  FreePreviews();
  HCURSOR prev = App().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
  std::string file = JoinChosenName(FileList->Directory(), name);
  std::string ext = sw::Extension(name);
  CharUpperBuffA(ext.data(), static_cast<DWORD>(ext.size()));
  if (!ext.empty() && std::string(".ICO.EXE.DLL").find(ext) != std::string::npos) ShowIcons(file);
  else ShowPicture(file);
  App().SetScreenCursor(prev);
}

void TIconSelectorDialog::ShowIcons(const std::string& file) {
  iconIndex = 0;
  if (scrollbox1->hwnd) ShowScrollBar(scrollbox1->hwnd, SB_HORZ, FALSE);
  UINT count = static_cast<UINT>(files::IconCount(file));
  if (count == 0) {
    Panel7->SetVisible(false);
    return;
  }
  count = std::min(count, 1000u);
  // Rows wrap inside the client area with a vertical bar, so the last column is never cut.
  RECT client{0, 0, scrollbox1->width, scrollbox1->height};
  if (scrollbox1->hwnd) GetClientRect(scrollbox1->hwnd, &client);
  bool bar = scrollbox1->hwnd && (GetWindowLongA(scrollbox1->hwnd, GWL_STYLE) & WS_VSCROLL);
  int viewer = client.right - (bar ? 0 : GetSystemMetrics(SM_CXVSCROLL)) + 8;
  for (UINT k = 0; k < count; ++k) {
    HICON icon = ExtractIconA(App().instance, file.c_str(), k);
    auto* img = static_cast<TZonImage*>(Adopt(std::make_unique<TZonImage>()));
    POINT p = IconGridPosition(static_cast<int>(k), viewer);
    img->tag = k;
    img->SetBounds(p.x, p.y, 32, 32);
    if (icon && icon != reinterpret_cast<HICON>(1)) img->SetPictureIcon(icon);
    img->OnClick = [this, k](Component*) {
      if (!Panel7->visible) return;
      BitBtn7->SetFocus();
      SelectIcon(static_cast<int>(k));
    };
    img->OnDblClick = [this](Component*) { OkButtonClick(nullptr); };
    scrollbox1->AddChild(img);
    previews.push_back(img);
  }
  // The highlight stays above the icons.
  scrollbox1->RemoveChild(Panel7);
  scrollbox1->AddChild(Panel7);
  scrollbox1->UpdateScrollRange();
  SelectIcon(0);
  if (!multiSelect) {
    Panel7->SetPos(5, 5);
    Panel7->SetVisible(true);
  }
  scrollbox1->Invalidate();
}

void TIconSelectorDialog::ShowPicture(const std::string& file) {
  Panel7->SetVisible(false);
  if (scrollbox1->hwnd) ShowScrollBar(scrollbox1->hwnd, SB_HORZ, TRUE);
  ReadPictureStandardColours(picture, file);
  if (picture.Empty()) return;
  auto* img = static_cast<TZonImage*>(Adopt(std::make_unique<TZonImage>()));
  Bitmap b;
  b.AssignHandle(picture.Bitmap());
  img->SetBounds(0, 0, b.Width(), b.Height());
  img->SetPicture(b);
  img->OnDblClick = [this](Component*) { OkButtonClick(nullptr); };
  scrollbox1->AddChild(img);
  previews.push_back(img);
  scrollbox1->UpdateScrollRange();
  scrollbox1->Invalidate();
}

void TIconSelectorDialog::SelectIcon(int i) {
  if (i < 0 || i >= static_cast<int>(previews.size())) return;
  iconIndex = i;
  TZonImage* p = previews[i];
  Panel7->SetPos(p->left - 5, p->top - 5);
  if (p->PictureIcon()) Image3->SetPictureIcon(CopyIcon(p->PictureIcon()));
  else Image3->ClearPicture();
  Panel7->Invalidate();
  scrollbox1->Invalidate();
}

void TIconSelectorDialog::Image3Click(Component*) { OkButtonClick(nullptr); }

void TIconSelectorDialog::PaintBox1Paint(Component*) {
  if (!PaintBox1->canvas || !BitBtn7->hwnd || GetFocus() != BitBtn7->hwnd) return;
  Canvas& c = *PaintBox1->canvas;
  c.pen.color = GetSysColor(COLOR_BTNTEXT);
  c.pen.style = PenStyle::Dot;
  c.brush.style = BrushStyle::Clear;
  c.Rectangle(0, 0, PaintBox1->width, PaintBox1->height);
}

void TIconSelectorDialog::BitBtn7KeyUp(Component*, WORD& key, ShiftState) {
  if (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT) GridKey(key);
}

// The focus mark follows the keyboard focus.
void TIconSelectorDialog::BitBtn7Enter(Component*) { PaintBox1->Invalidate(); }

void TIconSelectorDialog::HeaderSectionResize(Component*) {
  if (Header->sections.size() < 5) return;
  if (Header->sections[0].second < 30) Header->SetSectionWidth(0, 30);
  for (int i = 0; i < 5; ++i) FileList->SetColumnWidth(i, Header->sections[i].second);
}

// A path the platform cannot take (260 characters or more): one message naming all of it.
bool TIconSelectorDialog::PathTooLong(const std::string& path, const char* what) {
  if (path.size() < MAX_PATH) return false;
  ShowAlert("Path Too Long", path + "\ris too long! A " + what + " must have fewer\rthan 260 characters.");
  return true;
}

void TIconSelectorDialog::GridKey(WPARAM vk) {
  int n = static_cast<int>(previews.size());
  if (!n || !Panel7->visible) return;
  int cur = std::clamp(iconIndex, 0, n - 1), next = cur;
  int visible = scrollbox1->height, scrollY = scrollbox1->originY;
  const int col = previews[cur]->left;
  if (vk == VK_DOWN) {
    for (int k = cur + 1; k < n; ++k)
      if (previews[k]->left == col) {
        next = k;
        break;
      }
    if (next != cur && previews[next]->top - scrollY > visible - 32) scrollbox1->ScrollTo(0, scrollY + 40);
  } else if (vk == VK_UP) {
    for (int k = cur - 1; k >= 0; --k)
      if (previews[k]->left == col) {
        next = k;
        break;
      }
    if (next != cur && previews[next]->top < scrollY) scrollbox1->ScrollTo(0, std::max(0, scrollY - 40));
  } else if (vk == VK_RIGHT) {
    next = std::min(cur + 1, n - 1);
    if (previews[next]->top - scrollY > visible - 32) scrollbox1->ScrollTo(0, scrollY + 40);
  } else if (vk == VK_LEFT) {
    next = std::max(cur - 1, 0);
    if (previews[next]->top < scrollY) scrollbox1->ScrollTo(0, 0);
  }
  SelectIcon(next);
}

void TIconSelectorDialog::FileListDblClick(Component*) {
  int i = FileList->ItemIndex();
  if (i < 0) return;
  FileEntry e;
  if (!FileList->Entry(i, e)) return;
  switch (e.kind) {
    case kFileEntry:
      // FName holds the listed name; the folder is joined to it once, when the dialog returns.
      if (PathTooLong(JoinChosenName(FileList->Directory(), e.name), "file name")) break;
      FName->SetText(e.name);
      modalResult = mrOk;
      break;
    case kDriveEntry: {
      char cwd[MAX_PATH] = {};
      std::string drive = e.name.substr(0, 2);
      // The drive's current folder, as the process knows it.
      if (!GetFullPathNameA(drive.c_str(), MAX_PATH, cwd, nullptr)) strcpy(cwd, (drive + "\\").c_str());
      FileList->SetDirectory(cwd);
      break;
    }
    default:
      if (e.kind == kDirEntry && PathTooLong(JoinChosenName(FileList->Directory(), "") + e.name + "\\", "location")) break;
      FileList->SetDirectory(e.name);
      break;
  }
}

void TIconSelectorDialog::OkButtonClick(Component*) {
  HWND focus = GetFocus();
  if (focus && focus == FileList->hwnd) {
    FileListDblClick(nullptr);
    return;
  }
  if (focus && (focus == FilterBox->hwnd || focus == LocationBox->hwnd)) {
    // The box's text is applied; the list takes the keyboard unless the location was refused.
    locationRefused_ = false;
    if (focus == FilterBox->hwnd) FilterBoxExit(nullptr);
    else LocationBoxExit(nullptr);
    if (!locationRefused_) FileList->SetFocus();
    return;
  }
  if (FName->Text().empty()) MessageBeep(MB_ICONEXCLAMATION);
  else if (!PathTooLong(ChosenFileName(), "file name")) modalResult = mrOk;
}

void TIconSelectorDialog::HelpButtonClick(Component*) { ShowHelp(HELP_CONTEXT, kHelpFileBrowser); }

void TIconSelectorDialog::InvertButtonClick(Component*) {
  FileList->SetListOrder(FileList->ListOrder() == flInverted ? flNormal : flInverted);
}

void TIconSelectorDialog::ApplyDetails(bool on) {
  FileList->SetFileDetails(on ? Bit(fdName) | Bit(fdSize) | Bit(fdDate) | Bit(fdTime) | Bit(fdAttr) : Bit(fdName));
  Header->sections.clear();
  if (Header->hwnd)
    while (SendMessageA(Header->hwnd, HDM_DELETEITEM, 0, 0)) {}
  if (on) {
    const char* names[] = {"Name", "Size", "Date", "Time", "Attr"};
    for (int i = 0; i < 5; ++i) Header->AddSection(names[i], FileList->ColumnWidth(i));
    Header->AddSection("", 11);
  }
  Header->SetVisible(on);
  FileListPanel->Realign();
}

void TIconSelectorDialog::ShowDetailClick(Component*) { ApplyDetails(ShowDetail->Checked()); }

void TIconSelectorDialog::SearchAllClick(Component*) {
  if (SearchAll->Checked()) {
    std::string dir = FileList->Directory();
    std::string root = dir.size() >= 2 && dir[1] == ':' ? dir.substr(0, 2) + "\\" : std::string("\\");
    FileList->SetSearchMode(smSubDirectories);
    FileList->SetDirectory(root);
  } else {
    FileList->SetSearchMode(smNormal);
  }
}

void TIconSelectorDialog::FilterBoxExit(Component*) {
  if (modalResult != mrNone) return;
  std::string text = FilterBox->Text();
  if (text == lastFilter_) return;
  lastFilter_ = text;
  FileList->SetFileMask(text);
}

void TIconSelectorDialog::LocationBoxExit(Component*) {
  std::string text = LocationBox->Text();
  if (text == lastLocation_ || applying_ || modalResult != mrNone) return;
  std::string folder = text, mask;
  bool masked = SplitLocation(text, folder, mask);
  applying_ = true;
  DWORD err = FileList->SetMaskAndDirectory(masked ? &mask : nullptr, &folder);
  if (err) {
    ShowAlert("Invalid Location", text + "\ris not a valid location! A location must\rpoint to an existing DOS directory.");
    locationRefused_ = true;
    LocationBox->SetFocus();
    applying_ = false;
    return;
  }
  applying_ = false;
  if (masked) {
    FilterBox->SetText(FileList->FileMask());
    lastFilter_ = FilterBox->Text();
  }
  LocationBox->SetText(FileList->Directory());
  lastLocation_ = LocationBox->Text();
}

std::string TIconSelectorDialog::ChosenFileName() const {
  std::string name = FName->Text();
  // A name found by the whole-drive search is relative to the list's folder, as is one typed.
  return JoinChosenName(LocationBox->Text(), name);
}

// --- Entry point ---

bool ExecuteIconSelector(const std::string& title, std::string& folder, std::string& mask, int& iconIndex,
                         bool multiSelect, std::string& fileName) {
  TIconSelectorDialog dlg;
  if (!dlg.Make()) return false;
  if (!title.empty()) dlg.SetCaption(title);
  dlg.iconIndex = 0;
  dlg.multiSelect = multiSelect;
  std::string m = mask.empty() ? "*.*" : mask;
  dlg.FileList->SetFileMask(m);
  dlg.FilterBox->SetText(m);
  dlg.RestoreLayout();
  if (!multiSelect) {
    dlg.Preview->SetVisible(false);
    dlg.Preview->SetChecked(true);
  }
  bool preview = dlg.Preview->Checked();
  dlg.ViewerPanel->SetVisible(preview);
  dlg.SplitterPanel->SetVisible(preview);
  dlg.SplitVButton->SetVisible(preview);
  dlg.SplitHButton->SetVisible(preview);
  dlg.FileList->SetTextCase(tcNone);
  dlg.FileList->SetDirectory(folder.empty() ? std::string(".") : folder);
  dlg.FileListChange(nullptr);
  if (!fileName.empty()) dlg.FName->SetText(fileName);
  // The keyboard starts in the file name box.
  dlg.focusedControl = dlg.FName->hwnd;
  dlg.FilterBoxExit(nullptr);
  bool ok = dlg.ShowModal() == mrOk;
  if (ok) {
    folder = dlg.FileList->Directory();
    mask = dlg.FileList->FileMask();
    iconIndex = dlg.iconIndex;
    fileName = dlg.ChosenFileName();
  }
  dlg.SaveLayout();
  return ok && !dlg.FName->Text().empty();
}

bool ChooseFileWithSelector(files::FileChoice& c) {
  std::string name = c.initialName;
  if (!ExecuteIconSelector(c.title, c.folder, c.mask, c.iconIndex, false, name)) return false;
  c.fileName = name;
  return true;
}

void ReadPictureStandardColours(sw::TPMultiImage& image, const std::string& file) {
  HPALETTE shared = ThePalette().handle;
  PALETTEENTRY saved[256] = {}, standard[256] = {};
  for (int i = 0; i < 16; ++i)
    standard[i] = PALETTEENTRY{GetRValue(kStandardPalette[i]), GetGValue(kStandardPalette[i]),
                               GetBValue(kStandardPalette[i]), 0};
  HPALETTE own = nullptr;
  if (shared) {
    GetPaletteEntries(shared, 0, 256, saved);
    SetPaletteEntries(shared, 0, 256, standard);
  } else {
    struct {
      WORD version, count;
      PALETTEENTRY e[16];
    } lp{0x300, 16, {}};
    std::copy(standard, standard + 16, lp.e);
    own = CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
  }
  image.SetReadPalette(shared ? shared : own);
  image.SetImageName(file);
  if (shared) SetPaletteEntries(shared, 0, 256, saved);
  image.SetReadPalette(shared);
  if (own) DeleteObject(own);
}

}  // namespace zwicon
