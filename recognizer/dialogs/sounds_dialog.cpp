#include "sounds_dialog.h"

#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "settings.h"
#include "text_util.h"

namespace kurvo {

namespace {

constexpr size_t kSoundChars = 254;
const int kSoundRadios[] = {IDC_SND_PER_SHORTCUT, IDC_SND_ONE_FOR_ALL, 0};

void EnableRecognizedGroup(HWND h, bool on) {
  EnableItems(h, {IDC_SND_PER_SHORTCUT, IDC_SND_ONE_FOR_ALL, IDC_SND_ALL_NAME, IDC_SND_ALL_BROWSE, IDC_SND_ALL_PLAY}, on);
}

void EnableNotRecognizedGroup(HWND h, bool on) {
  EnableItems(h, {IDC_SND_NOTREC_NAME, IDC_SND_NOTREC_BROWSE, IDC_SND_NOTREC_PLAY}, on);
}

BOOL OnInit(HWND h, DialogContext* c) {
  RecognizerSettings& s = Kurvo().settings;
  c->initializing = true;
  FillSoundNames(GetDlgItem(h, IDC_SND_ALL_NAME));
  FillSoundNames(GetDlgItem(h, IDC_SND_NOTREC_NAME));
  if (!s.soundName.empty()) SetItemText(h, IDC_SND_ALL_NAME, s.soundName);
  if (!s.soundNameNot.empty()) SetItemText(h, IDC_SND_NOTREC_NAME, s.soundNameNot);
  SetChecked(h, IDC_SND_RECOGNIZED, s.sound != 0);
  EnableRecognizedGroup(h, s.sound != 0);
  if (s.sound == 1) SelectRadio(h, kSoundRadios, IDC_SND_PER_SHORTCUT);
  if (s.sound == 2) SelectRadio(h, kSoundRadios, IDC_SND_ONE_FOR_ALL);
  SetChecked(h, IDC_SND_NOT_RECOGNIZED, s.soundNot != 0);
  EnableNotRecognizedGroup(h, s.soundNot != 0);
  c->initializing = false;
  return TRUE;
}

// The file chooser starts where the named sound lies; an empty field or a bare name (a file of
// the sound directory, a system sound name) starts it in the sound directory.
void Browse(HWND h, int list) {
  std::string start = DirectoryOf(ItemText(h, list, 511));
  if (start.empty()) start = Kurvo().settings.soundDir;
  std::string file = ChooseFile(h, "Sounds", " *.WAV", start);
  if (!file.empty()) SetItemText(h, list, file);
}

void OnOk(HWND h) {
  RecognizerSettings& s = Kurvo().settings;
  if (!IsChecked(h, IDC_SND_RECOGNIZED)) s.sound = 0;
  else if (IsChecked(h, IDC_SND_PER_SHORTCUT)) s.sound = 1;
  else if (IsChecked(h, IDC_SND_ONE_FOR_ALL)) s.sound = 2;
  s.soundNot = IsChecked(h, IDC_SND_NOT_RECOGNIZED) ? 1 : 0;
  s.soundName = ItemText(h, IDC_SND_ALL_NAME, kSoundChars);
  s.soundNameNot = ItemText(h, IDC_SND_NOTREC_NAME, kSoundChars);
  SaveSettings();
  CloseDialog(h, IDOK);
}

void OnCommand(HWND h, DialogContext* c, int id) {
  if (c->initializing) return;
  switch (id) {
    case IDC_SND_RECOGNIZED: EnableRecognizedGroup(h, IsChecked(h, IDC_SND_RECOGNIZED)); break;
    case IDC_SND_NOT_RECOGNIZED: EnableNotRecognizedGroup(h, IsChecked(h, IDC_SND_NOT_RECOGNIZED)); break;
    case IDC_SND_ALL_NAME: SelectRadio(h, kSoundRadios, IDC_SND_ONE_FOR_ALL); break;
    case IDC_SND_ALL_BROWSE: Browse(h, IDC_SND_ALL_NAME); break;
    case IDC_SND_NOTREC_BROWSE: Browse(h, IDC_SND_NOTREC_NAME); break;
    case IDC_SND_ALL_PLAY: PlayNamedSound(ItemText(h, IDC_SND_ALL_NAME, 511)); break;
    case IDC_SND_NOTREC_PLAY: PlayNamedSound(ItemText(h, IDC_SND_NOTREC_NAME, 511)); break;
    case IDC_HELPBTN: QuickHelpDialog(h, 7); break;
    case IDOK: OnOk(h); break;
    case IDCANCEL: CloseDialog(h, IDCANCEL); break;
    default: break;
  }
}

}  // namespace

INT_PTR CALLBACK SoundsDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = ContextOf<DialogContext>(h, msg, lp);
  if (msg == WM_INITDIALOG) return OnInit(h, c);
  if (msg == WM_COMMAND && c) OnCommand(h, c, LOWORD(wp));
  return msg == WM_COMMAND;
}

bool SoundsDialog(HWND owner) {
  DialogContext context;
  return ShowModal(IDD_SOUNDS, owner, SoundsDialogProc, &context) == IDOK;
}

}  // namespace kurvo
