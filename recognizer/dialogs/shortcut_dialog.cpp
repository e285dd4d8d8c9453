#include "shortcut_dialog.h"

#include "actions.h"
#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "main_window.h"
#include "text_util.h"

namespace kurvo {

namespace {

constexpr size_t kDialogTextChars = 199;
constexpr size_t kKeystrokeEditChars = 511;
const int kActionRadios[] = {IDC_SC_MENUSEQ, IDC_SC_HOTKEY, IDC_SC_CMDLINE, IDC_SC_KEYSTROKE, 0};
const int kHotkeyFields[] = {IDC_SC_HOTKEY1, IDC_SC_HOTKEY2, IDC_SC_HOTKEY3, IDC_SC_HOTKEY4};

void FillLists(HWND h) {
  FillSoundNames(GetDlgItem(h, IDC_SC_SOUND));
  for (int field : kHotkeyFields)
    for (int i = 0; i < kKeyNameCount; ++i)
      SendDlgItemMessageA(h, field, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(KeyName(i)));
  HWND shapes = GetDlgItem(h, IDC_SC_SHAPES);
  SendMessageA(shapes, LB_SETCOLUMNWIDTH, 40, 0);
  for (int i = 0; i < Kurvo().symbolCount; ++i) SendMessageA(shapes, LB_ADDSTRING, 0, i);
  for (int i = 0; i < kSystemCommandCount; ++i) {
    std::string name = Str(IDS_SYSCMD_FIRST + i, 127);
    SendDlgItemMessageA(h, IDC_SC_MENUSEQ_TEXT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
}

void ShowRecord(HWND h, const ShortcutRecord& r) {
  SetItemText(h, IDC_SC_NAME, r.name);
  SendDlgItemMessageA(h, IDC_SC_SHAPES, LB_SETCURSEL, r.symbolId, 0);
  SetItemText(h, IDC_SC_SOUND, r.sound);
  switch (r.type) {
    case kActionMenu:
      SetItemText(h, IDC_SC_MENUSEQ_TEXT, r.p0);
      SelectRadio(h, kActionRadios, IDC_SC_MENUSEQ);
      break;
    case kActionHotkey:
      SetItemText(h, IDC_SC_HOTKEY1, r.p0);
      SetItemText(h, IDC_SC_HOTKEY2, r.p1);
      SetItemText(h, IDC_SC_HOTKEY3, r.p2);
      SetItemText(h, IDC_SC_HOTKEY4, r.p3);
      SelectRadio(h, kActionRadios, IDC_SC_HOTKEY);
      break;
    case kActionCommand:
      SetItemText(h, IDC_SC_CMDLINE_TEXT, r.p0);
      SelectRadio(h, kActionRadios, IDC_SC_CMDLINE);
      break;
    case kActionKeystrokes:
      SelectRadio(h, kActionRadios, IDC_SC_KEYSTROKE);
      SetItemText(h, IDC_SC_KEYSTROKE_TEXT, ExpandForEdit(r.p0));
      break;
    default:
      break;
  }
}

BOOL OnInit(HWND h, ShortcutDialogContext* c) {
  c->initializing = true;
  FillLists(h);
  ShowRecord(h, Kurvo().shortcuts[c->slot]);
  c->initializing = false;
  SetFocus(GetDlgItem(h, IDOK));
  return FALSE;
}

void OnMeasureItem(MEASUREITEMSTRUCT* m) {
  m->itemWidth = 40;
  m->itemHeight = 50;
}

void OnDrawItem(const DRAWITEMSTRUCT* d) {
  if (d->CtlID != IDC_SC_SHAPES || d->itemID == static_cast<UINT>(-1)) return;
  if (!(d->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;
  FillRect(d->hDC, &d->rcItem, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  if (HBITMAP bmp = Kurvo().hook.SymbolBitmap(static_cast<int32_t>(d->itemData))) {
    HDC mem = CreateCompatibleDC(d->hDC);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(d->hDC, d->rcItem.left, d->rcItem.top, 32, 32, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
  }
  if (d->itemState & ODS_SELECTED) {
    RECT r = {d->rcItem.left, d->rcItem.top, d->rcItem.left + 32, d->rcItem.top + 32};
    DrawFocusRect(d->hDC, &r);
  }
}

void ResetShortcut(HWND h) {
  if (MessageBoxText(h, Str(IDS_CONFIRM_RESET_SHORTCUT), MB_ICONQUESTION | MB_YESNO) != IDYES) return;
  SetItemText(h, IDC_SC_NAME, Str(IDS_NULL_SHORTCUT));
  for (int id : {IDC_SC_SOUND, IDC_SC_HOTKEY1, IDC_SC_HOTKEY2, IDC_SC_HOTKEY3, IDC_SC_HOTKEY4, IDC_SC_MENUSEQ_TEXT,
                 IDC_SC_KEYSTROKE_TEXT, IDC_SC_CMDLINE_TEXT})
    SetItemText(h, id, "");
}

void Store(HWND h, ShortcutRecord& r) {
  r.name = Cut(ItemText(h, IDC_SC_NAME, kDialogTextChars), kShortcutNameChars);
  LRESULT shape = SendDlgItemMessageA(h, IDC_SC_SHAPES, LB_GETCURSEL, 0, 0);
  if (shape != LB_ERR) r.symbolId = static_cast<int32_t>(SendDlgItemMessageA(h, IDC_SC_SHAPES, LB_GETITEMDATA, shape, 0));
  r.sound = Cut(ItemText(h, IDC_SC_SOUND, kDialogTextChars), kShortcutSoundChars);
  if (IsChecked(h, IDC_SC_MENUSEQ)) {
    r.type = kActionMenu;
    r.p0 = ItemText(h, IDC_SC_MENUSEQ_TEXT, kDialogTextChars);
  } else if (IsChecked(h, IDC_SC_HOTKEY)) {
    r.type = kActionHotkey;
    r.p0 = ToUpper(ItemText(h, IDC_SC_HOTKEY1, kDialogTextChars));
    r.p1 = Cut(ToUpper(ItemText(h, IDC_SC_HOTKEY2, kDialogTextChars)), kHotkeyFieldChars);
    r.p2 = Cut(ToUpper(ItemText(h, IDC_SC_HOTKEY3, kDialogTextChars)), kHotkeyFieldChars);
    r.p3 = Cut(ToUpper(ItemText(h, IDC_SC_HOTKEY4, kDialogTextChars)), kHotkeyFieldChars);
  } else if (IsChecked(h, IDC_SC_CMDLINE)) {
    r.type = kActionCommand;
    r.p0 = ItemText(h, IDC_SC_CMDLINE_TEXT, kDialogTextChars);
  } else if (IsChecked(h, IDC_SC_KEYSTROKE)) {
    r.type = kActionKeystrokes;
    r.p0 = EscapeFromEdit(ItemText(h, IDC_SC_KEYSTROKE_TEXT, kKeystrokeEditChars));
  }
}

void Close(HWND h, int result) {
  SendDlgItemMessageA(h, IDC_SC_SHAPES, LB_RESETCONTENT, 0, 0);
  if (result == IDCANCEL) SetStatusText(Str(IDS_READY));
  CloseDialog(h, result);
}

void OnCommand(HWND h, ShortcutDialogContext* c, int id, int code) {
  if (c->initializing) return;
  switch (id) {
    case IDC_SC_HOTKEY1:
    case IDC_SC_HOTKEY2:
    case IDC_SC_HOTKEY3:
    case IDC_SC_HOTKEY4: SelectRadio(h, kActionRadios, IDC_SC_HOTKEY); break;
    case IDC_SC_MENUSEQ_TEXT: SelectRadio(h, kActionRadios, IDC_SC_MENUSEQ); break;
    case IDC_SC_KEYSTROKE_TEXT: SelectRadio(h, kActionRadios, IDC_SC_KEYSTROKE); break;
    case IDC_SC_CMDLINE_TEXT: SelectRadio(h, kActionRadios, IDC_SC_CMDLINE); break;
    case IDC_SC_SHAPES:
      if (code == LBN_SELCHANGE && SendDlgItemMessageA(h, IDC_SC_SHAPES, LB_GETCURSEL, 0, 0) == 0) ResetShortcut(h);
      break;
    case IDC_SC_PLAY: PlayNamedSound(ItemText(h, IDC_SC_SOUND, 255)); break;
    case IDC_SC_SOUND_BROWSE: {
      std::string file = ChooseFile(h, "Sounds", " *.WAV", Kurvo().settings.soundDir);
      if (!file.empty()) SetItemText(h, IDC_SC_SOUND, file);
      break;
    }
    case IDC_SC_CMDLINE_BROWSE: {
      std::string file = ChooseFile(h, "Executables", " *.EXE", "");
      if (!file.empty()) SetItemText(h, IDC_SC_CMDLINE_TEXT, file);
      break;
    }
    case IDC_HELPBTN: QuickHelpDialog(h, 3); break;
    case IDOK: Store(h, Kurvo().shortcuts[c->slot]); Close(h, IDOK); break;
    case IDCANCEL: Close(h, IDCANCEL); break;
    default: break;
  }
}

}  // namespace

std::string ExpandForEdit(const std::string& stored) {
  std::string text;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '\\' && i + 1 < stored.size() && stored[i + 1] == 'n') text += "\r\n", ++i;
    else if (stored[i] == '\\' && i + 1 < stored.size() && stored[i + 1] == 't') text += '\t', ++i;
    else text += stored[i];
  }
  return text;
}

std::string EscapeFromEdit(const std::string& typed) {
  std::string text;
  for (size_t i = 0; i < typed.size(); ++i) {
    std::string piece(1, typed[i]);
    if (typed[i] == '\r') piece = "\\n", i += i + 1 < typed.size() ? 1 : 0;
    else if (typed[i] == '\t') piece = "\\t";
    if (text.size() + piece.size() > kKeystrokeEditChars) break;
    text += piece;
  }
  return text;
}

INT_PTR CALLBACK ShortcutDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = ContextOf<ShortcutDialogContext>(h, msg, lp);
  switch (msg) {
    case WM_INITDIALOG: return OnInit(h, c);
    case WM_MEASUREITEM: OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp)); return TRUE;
    case WM_DRAWITEM: OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_COMMAND: if (c) OnCommand(h, c, LOWORD(wp), HIWORD(wp)); return TRUE;
    default: return GrayControlColour(msg, wp);
  }
}

bool ShortcutDialog(HWND owner, int slot) {
  if (slot < 0 || slot >= kSlotCount) return false;
  ShortcutDialogContext context;
  context.slot = slot;
  return ShowModal(IDD_SHORTCUT, owner, ShortcutDialogProc, &context) == IDOK;
}

}  // namespace kurvo
