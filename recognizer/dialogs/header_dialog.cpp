#include "header_dialog.h"

#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "schemes.h"
#include "text_util.h"

namespace kurvo {

namespace {

constexpr size_t kDialogTextChars = 199;
constexpr int IDC_HDR_FILE = 1034;   // optional: the scheme file name
constexpr int IDC_HDR_CLASS = 1032;  // optional: the window class

BOOL OnInit(HWND h, HeaderDialogContext* c) {
  KurvoState& k = Kurvo();
  c->initializing = true;
  SetItemText(h, IDC_HDR_NAME, k.header.name);
  SetItemText(h, IDC_HDR_VERSION, k.header.version);
  SetItemText(h, IDC_HDR_COMMENTS, k.header.comments);
  SetItemText(h, IDC_HDR_LEVEL, Decimal(k.header.level));
  for (int i = IDS_APPTYPE_FIRST; i <= IDS_APPTYPE_LAST; ++i)
    SendDlgItemMessageA(h, IDC_HDR_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Str(i).c_str()));
  SendDlgItemMessageA(h, IDC_HDR_TYPE, CB_SETCURSEL, k.header.type, 0);
  for (int i = 0; i < kLanguageCount; ++i)
    SendDlgItemMessageA(h, IDC_HDR_LANGUAGE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Str(IDS_LANGUAGE_FIRST + i).c_str()));
  SendDlgItemMessageA(h, IDC_HDR_LANGUAGE, CB_SETCURSEL, k.header.language, 0);
  if (GetDlgItem(h, IDC_HDR_FILE)) SetItemText(h, IDC_HDR_FILE, ToLower(k.currentScheme));
  if (GetDlgItem(h, IDC_HDR_CLASS)) SetItemText(h, IDC_HDR_CLASS, k.header.windowClass);
  c->newMode = false;
  c->initializing = false;
  return TRUE;
}

void OnNew(HWND h, HeaderDialogContext* c) {
  KurvoState& k = Kurvo();
  if (k.header.name != Str(IDS_DEFAULT)) {
    if (MessageBoxText(h, FormatText(Str(IDS_SCHEME_EXISTS, 1023), k.header.name), MB_ICONWARNING | MB_OKCANCEL) != IDOK)
      return;
  } else if (!k.focused.window) {
    MessageBoxText(h, Str(IDS_NEW_APP_HOWTO, 1023), MB_ICONINFORMATION | MB_OK);
    return;
  }
  c->newMode = true;
  SetItemText(h, IDC_HDR_NAME, k.focused.titlePrefix);
  if (GetDlgItem(h, IDC_HDR_CLASS)) SetItemText(h, IDC_HDR_CLASS, k.focused.applicationClass);
  SetItemText(h, IDC_HDR_COMMENTS, "");
  SetItemText(h, IDC_HDR_VERSION, "0.0");
}

void OnOk(HWND h, HeaderDialogContext* c) {
  KurvoState& k = Kurvo();
  std::string version = ItemText(h, IDC_HDR_VERSION, kDialogTextChars);
  std::string name = ItemText(h, IDC_HDR_NAME, kDialogTextChars);
  if ((version == "0.0" || version.empty()) && name != Str(IDS_DEFAULT)) {
    MessageBoxText(h, Str(IDS_ENTER_VERSION), MB_ICONINFORMATION | MB_OK);
    return;
  }
  SchemeHeader& hd = k.header;
  hd.name = Cut(name, kAppNameChars);
  hd.version = Cut(version, kVersionChars);
  hd.comments = Cut(ItemText(h, IDC_HDR_COMMENTS, kDialogTextChars), kCommentsChars);
  LRESULT type = SendDlgItemMessageA(h, IDC_HDR_TYPE, CB_GETCURSEL, 0, 0);
  LRESULT language = SendDlgItemMessageA(h, IDC_HDR_LANGUAGE, CB_GETCURSEL, 0, 0);
  if (type != CB_ERR) hd.type = static_cast<int32_t>(type);
  if (language != CB_ERR) hd.language = static_cast<int32_t>(language);
  hd.level = DecimalValue(ItemText(h, IDC_HDR_LEVEL, 63));

  std::string file = SchemeFileNameFor(name, version, hd.language, Str(IDS_DEFAULT));
  std::string previous = k.currentScheme;
  bool renamed = !EqualNoCase(file, previous);
  // The slots move with the header into a new file, so renaming or copying a scheme keeps them.
  if (renamed) {
    k.currentScheme = file;
    for (int i = 0; i < kSlotCount; ++i) WriteShortcut(i);
  }
  if (!c->newMode && renamed && !EqualNoCase(previous, kDefaultScheme))
    DeleteFileA((k.settings.schemeDir + previous).c_str());
  k.currentScheme = file;
  if (c->newMode && !k.focused.applicationClass.empty() && k.focused.applicationClass != hd.windowClass)
    hd.windowClass = Cut(k.focused.applicationClass, kWindowClassChars);
  WriteSchemeHeader();
  ScanSchemes();
  LoadScheme(file);
  if (!SelectSchemeEntry(SchemeEntryName(k.header, k.currentScheme), k.header.version) && k.schemeBox) {
    std::string entry = Str(IDS_DEFAULT) + " ";
    SendMessageA(k.schemeBox, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
  }
  CloseDialog(h, IDOK);
}

void OnCommand(HWND h, HeaderDialogContext* c, int id) {
  switch (id) {
    case IDC_HDR_NEW: OnNew(h, c); break;
    case IDC_HDR_EXPLAIN:
      MessageBoxText(h, Str(IDS_RIGHT_CLICK_EXPLAIN, 1023), MB_ICONINFORMATION | MB_OK,
                     Str(IDS_RIGHT_CLICK_OPTION).c_str());
      break;
    case IDC_HELPBTN: QuickHelpDialog(h, 2); break;
    case IDOK: OnOk(h, c); break;
    case IDCANCEL: CloseDialog(h, IDCANCEL); break;
    default: break;
  }
}

}  // namespace

std::string SchemeFileNameFor(const std::string& name, const std::string& version, int32_t language,
                              const std::string& defaultName) {
  std::string capitalised = ToLower(name);
  if (!capitalised.empty()) capitalised[0] = ToUpper(capitalised.substr(0, 1))[0];
  if (capitalised == defaultName) return kDefaultScheme;
  std::string stem;
  bool withVersion = true;
  if (name.size() > 6) {
    stem = name.substr(0, 1);
    size_t blank = name.find(' ');
    std::string follow = blank == std::string::npos ? name.substr(1, 5) : name.substr(blank + 1, 5);
    stem += follow;
    withVersion = follow.size() == 5;
  } else {
    stem = name;
  }
  if (withVersion && !version.empty()) stem += version[0];
  stem = Cut(stem, 7) + Decimal(language);
  for (char& ch : stem)
    if (std::string("\\:*\"<>| /").find(ch) != std::string::npos) ch = '_';
  return ToLower(stem + ".kvo");
}

INT_PTR CALLBACK HeaderDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = ContextOf<HeaderDialogContext>(h, msg, lp);
  switch (msg) {
    case WM_INITDIALOG: return OnInit(h, c);
    case WM_COMMAND: if (c) OnCommand(h, c, LOWORD(wp)); return TRUE;
    default: return FALSE;
  }
}

bool HeaderDialog(HWND owner) {
  HeaderDialogContext context;
  return ShowModal(IDD_APPHEADER, owner, HeaderDialogProc, &context) == IDOK;
}

}  // namespace kurvo
