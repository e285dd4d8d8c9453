// Shows the icon selector for a screenshot: the folder given, the library named selected (its
// icons in the grid), file details shown; or with "import FILE" the import dialog over a
// picture. Closes itself after a few seconds. Not delivered.
#include <windows.h>

#include <string>

#include "application.h"
#include "bitmap_form.h"
#include "icon_selector.h"
#include "main_form.h"
#include "zwicon.h"

using namespace zwicon;

static std::string selectName;

static void CALLBACK Step(HWND, UINT, UINT_PTR id, DWORD) {
  static int n = 0;
  HWND active = GetActiveWindow();
  auto* sel = dynamic_cast<TIconSelectorDialog*>(zw::WinControl::FromHandle(active));
  auto* imp = dynamic_cast<TBitMapForm*>(zw::WinControl::FromHandle(active));
  if (sel && n == 0) {
    sel->ShowDetail->SetChecked(true);
    sel->ShowDetailClick(nullptr);
    int i = sel->FileList->IndexOf(zw::kFileEntry, selectName);
    sel->FileList->SetItemIndex(i);
    sel->FileListChange(nullptr);
    sel->SelectIcon(1);
  }
  if (imp && n == 0) imp->Image1MouseUp(nullptr, zw::MouseButton::Left, 0, 20, 12);
  if (++n > 12) {
    KillTimer(nullptr, id);
    if (sel) sel->modalResult = zw::mrCancel;
    if (imp) imp->modalResult = zw::mrCancel;
  }
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
  zw::App().Initialize(inst);
  TheEditor().settingsKey = "Software\\StrokewiseShots\\ZwIcon";
  if (__argc < 3) return 1;
  SetTimer(nullptr, 0, 500, Step);
  if (std::string(__argv[1]) == "import") {
    TMainForm main;
    if (!main.Make()) return 1;
    ImportClick(main, __argv[2]);
    return 0;
  }
  std::string folder = __argv[1], mask = "*.*", name;
  selectName = __argv[2];
  int index = 0;
  ExecuteIconSelector("Select an Icon", folder, mask, index, false, name);
  return 0;
}
