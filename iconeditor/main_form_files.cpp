// The main window's file commands: opening icons from icon files, programs and libraries (also
// from the command line), Open, Save with its backup, Save As in the icon and picture formats,
// and Paste, over the file formats of iconfile/.
#include <algorithm>

#include "bmp_reader.h"
#include "icon_form.h"
#include "icon_model.h"
#include "icon_source.h"
#include "imaging_component.h"
#include "main_form.h"

#include "bitmap_form.h"
#include "normalize.h"
#include "paste_file.h"
#include "picture_save.h"
#include "save_backup.h"
#include "zwicon.h"

namespace zwicon {

namespace {

const char* const kOpenMask = "*.EXE *.DLL *.BMP *.PCX *.JPG *.PNG *.ICO *.TIF";
const char* const kSaveMask = "*.BMP *.PCX *.JPG *.PNG *.ICO *.TIF";

void LoadingFailed(const std::string& name) {
  ShowAlert("Error in loading...", "An error has occurred in loading " + name + "\rIcon may be missing or corrupted.");
}

// Gives a window its own (big) icon, freeing the one it had.
void SetWindowIcon(HWND w, HICON icon) {
  auto prev = reinterpret_cast<HICON>(SendMessageA(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon)));
  if (prev && prev != icon) DestroyIcon(prev);
}

}  // namespace

bool TMainForm::ChooseFile(files::FileChoice& choice) {
  auto& choose = TheEditor().seams.chooseFile;
  if (!choose || !choose(choice)) return false;
  IconDir = choice.folder;
  return true;
}

void TMainForm::OpenFile(const std::string& name, int index) {
  // The icon is read, mapped to the 16 colours, before a window is made, so a failure on the way
  // leaves nothing half-opened behind.
  HICON icon = files::ExtractIconAt(name, index);
  files::IconImage im;
  if (!icon || !files::IconImageFromIcon(icon, im)) {
    if (icon) DestroyIcon(icon);
    LoadingFailed(name);
    New1Click(nullptr);
    return;
  }
  TIconForm* doc = TIconForm::Make(*this);
  if (!doc) {
    DestroyIcon(icon);
    return;
  }
  ToolPanel->SetVisible(true);
  // The window's own icon too shows the 16 colours.
  HICON mapped = files::IconFromImage(im);
  SetWindowIcon(doc->hwnd, mapped ? mapped : CopyIcon(icon));
  DestroyIcon(icon);
  doc->doc.Load(im);
  NewOpenFile(doc, name);
  // Opened, not edited: modified (it asks to be saved), but nothing to undo yet.
  doc->doc.modified = true;
}

void TMainForm::Open1Click(Component*) {
  files::FileChoice c;
  c.title = "Select an Icon";
  c.folder = IconDir;
  c.mask = kOpenMask;
  if (!ChooseFile(c)) return;
  // The extension is looked for in ".ICO.EXE.DLL", so ".EX" counts as an icon container too.
  std::string ext = files::UpperExtension(c.fileName);
  if (!ext.empty() && std::string(".ICO.EXE.DLL").find(ext) != std::string::npos) {
    OpenFile(c.fileName, c.iconIndex);
    return;
  }
  ImportClick(*this, c.fileName);
}

// Writes a document's icon over `file` with the backup of its previous content; on failure the
// alert names the file and the document stays modified.
bool TMainForm::SaveIconTo(TIconForm* doc, const std::string& file) {
  doc->PlaceClippedRegion();
  doc->UpdateIcon();
  const std::string temp = TempFileName;
  files::SaveOutcome outcome = files::SaveWithBackup(file, temp, [&](const std::string& f) { return doc->SaveIcon(f); });
  if (outcome == files::SaveOutcome::NotRestored) {
    // The backup is the only copy of the previous file now: keep it, and use another file for
    // the editor's temporary work from here on.
    std::string next = CreateNumberedTempFile(IconDir);
    TempFileName = next.empty() ? CreateSystemTempFile() : next;
  }
  if (HICON i = files::ExtractIconAt(file, 0)) SetWindowIcon(doc->hwnd, i);
  if (outcome != files::SaveOutcome::Saved) {
    ShowAlert("Error in Saving...", files::SaveFailureText(outcome, file, temp));
    return false;
  }
  doc->doc.modified = false;
  return true;
}

void TMainForm::SaveDocument(TIconForm* doc) {
  if (!doc) return;
  const std::string name = doc->caption;
  DWORD a = GetFileAttributesA(name.c_str());
  if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY) || files::UpperExtension(name) != ".ICO") {
    SaveAsDocument(doc);
    return;
  }
  if (!AskYesNo("Save", "Replace existing: " + name + "?")) return;
  SaveIconTo(doc, name);
}

void TMainForm::SaveAsDocument(TIconForm* doc) {
  if (!doc) return;
  files::FileChoice c;
  c.title = "Save " + doc->caption + " As...";
  c.folder = IconDir;
  c.mask = kSaveMask;
  c.initialName = "UNTITLED";
  c.save = true;
  if (!ChooseFile(c)) return;
  const std::string name = c.fileName;
  if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES && !AskYesNo("Save As", "Replace existing: " + name + "?"))
    return;
  files::SaveKind kind = files::SaveKindFor(name);
  if (kind == files::SaveKind::Unknown) {
    ShowAlert("Save As", "You may only save icons in *.BMP *.PCX *.JPG *.PNG *.ICO *.TIF formats.");
    return;
  }
  // The caption stays: the document keeps its former name.
  if (kind == files::SaveKind::Icon) {
    SaveIconTo(doc, name);
    return;
  }
  doc->PlaceClippedRegion();
  if (files::WritePicture(PMultiImage1->image, doc->Picture(), kind, name)) doc->doc.modified = false;
}

void TMainForm::Paste1Click(Component*) {
  TIconForm* d = ActiveDocument();
  if (!d) return;
  if (!IsClipboardFormatAvailable(CF_BITMAP)) {
    ShowAlert("Error in Pasting", "The Windows ClipBoard does not\rcontain a valid bitmap image.");
    return;
  }
  d->PlaceClippedRegion();
  HDC dc = GetDC(hwnd);
  HBITMAP read = nullptr;
  files::PasteRead r = files::ReadClipboardThroughFile(hwnd, TempFileName, dc, ThePalette().handle, read);
  ReleaseDC(hwnd, dc);
  Bitmap pasted;
  bool ok = r == files::PasteRead::Ok && pasted.AssignHandle(read);
  if (read) DeleteObject(read);
  if (!ok) {
    ShowAlert("Error in Pasting", "An error has occured when loading image");
    return;
  }
  ChooseTool(PointerTool);
  d->Pasted(pasted);
  Edit1Click(nullptr);
}

}  // namespace zwicon
