#include "dialog_host.h"

#include <commdlg.h>

#include <vector>

#include "dialogs.h"
#include "kurvo_state.h"
#include "notices.h"
#include "paths.h"
#include "state_view.h"
#include "text_util.h"

namespace kurvo {

const char* const kSoundNames[6] = {"SystemAsterisk", "SystemExclamation", "SystemExit",
                                    "SystemHand",     "SystemQuestion",    "SystemStart"};

namespace {
// For the life of a modal dialog: a configuration dialog pauses the hook and refuses notices
// (the hook follows the count, see state_view.h); the libraries stay loaded until it is gone.
class ModalScope {
 public:
  explicit ModalScope(bool configuration) : configuration_(configuration) {
    KurvoState& k = Kurvo();
    ++k.modalDialogs;
    if (configuration_) ++k.configDialogs, SyncView();
  }
  ~ModalScope() {
    KurvoState& k = Kurvo();
    --k.modalDialogs;
    if (configuration_) --k.configDialogs, SyncView();
    ReleaseLibrariesIfClosed();
  }

 private:
  bool configuration_;
};
}  // namespace

INT_PTR ShowModal(UINT templateId, HWND owner, DLGPROC proc, DialogContext* context, bool pauseHook) {
  HMODULE library = Kurvo().language.module;
  if (!library) return -1;
  ModalScope scope(pauseHook);
  return DialogBoxParamA(library, MAKEINTRESOURCEA(templateId), owner, proc, reinterpret_cast<LPARAM>(context));
}

HWND CreateModeless(UINT templateId, HWND owner, DLGPROC proc, DialogContext* context) {
  HMODULE library = Kurvo().language.module;
  if (!library) return nullptr;
  return CreateDialogParamA(library, MAKEINTRESOURCEA(templateId), owner, proc, reinterpret_cast<LPARAM>(context));
}

void CloseDialog(HWND dialog, int result) {
  if (auto* context = reinterpret_cast<DialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER)))
    context->result = result;
  EndDialog(dialog, result);
}

std::string ItemText(HWND dialog, int id, size_t limit) {
  std::vector<char> buffer(limit + 1, 0);
  GetDlgItemTextA(dialog, id, buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}

void SetItemText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }
bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void SetChecked(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

void SelectRadio(HWND dialog, const int* group, int id) {
  for (; *group; ++group) SetChecked(dialog, *group, *group == id);
}

void EnableItems(HWND dialog, std::initializer_list<int> ids, bool enable) {
  for (int id : ids) EnableWindow(GetDlgItem(dialog, id), enable);
}

void FillSoundNames(HWND combo) {
  for (const char* name : kSoundNames) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

std::string ChooseFile(HWND owner, const char* description, const char* pattern, const std::string& startDir) {
  std::string filter = std::string(description) + '\0' + pattern + '\0' + '\0';
  char file[512] = {};
  std::string dir = Cut(startDir, 511);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
  ofn.Flags = OFN_HIDEREADONLY;
  return GetOpenFileNameA(&ofn) ? std::string(file) : std::string();
}

std::string DirectoryOf(const std::string& path) {
  return sw::DirectoryPart(path, sw::kSlashes);
}

INT_PTR GrayControlColour(UINT msg, WPARAM wp) {
  switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetStockObject(LTGRAY_BRUSH));
    default:
      return 0;
  }
}

void PlayNamedSound(const std::string& name) {
  KurvoState& k = Kurvo();
  if (name.empty()) return;
  auto isFile = [](const std::string& p) {
    DWORD a = GetFileAttributesA(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  };
  if (isFile(name)) {
    k.effects->PlaySoundFile(name);
    return;
  }
  std::string inSounds = k.settings.appDir + "sounds\\" + sw::FilePart(name, sw::kSlashesAndDrive);
  if (isFile(inSounds)) k.effects->PlaySoundFile(inSounds);
  else if (IsSystemSoundName(name)) k.effects->PlaySoundAlias(name);
}

}  // namespace kurvo
