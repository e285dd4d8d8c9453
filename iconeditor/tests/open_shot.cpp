// A screenshot helper (not delivered): the editor with icon N of a program or library opened and
// a few cells edited with the pencil. Usage: zwicon_open_shot FILE INDEX SECONDS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "application.h"
#include "icon_form.h"
#include "main_form.h"
#include "message_boxes.h"
#include "palette.h"
#include "zwicon.h"

using namespace zwicon;

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  zw::App().Initialize(GetModuleHandleA(nullptr));
  zw::App().title = "Zonware Icon Editor";
  zw::ThePalette().Create();
  TMainForm main;
  if (!main.Make()) return 1;
  zw::Boxes().alert = std::make_unique<zw::TAlertDialog>();
  if (!zw::Boxes().alert->Make()) zw::Boxes().alert.reset();
  main.Show();
  main.OpenFile(argv[1], std::atoi(argv[2]));
  std::printf("documents: %d\n", main.DocumentCount());
  if (TIconForm* d = main.ActiveDocument()) {
    // A yellow diagonal and a red bar drawn over the icon.
    main.drawing.currentTransparent = false;
    main.drawing.currentColor = RGB(255, 255, 0);
    for (int i = 0; i < 32; ++i) d->PutPixel(i, i);
    main.drawing.currentColor = RGB(255, 0, 0);
    for (int x = 4; x < 28; ++x) d->PutPixel(x, 29), d->PutPixel(x, 30);
    d->Redraw();
  }
  const DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(argv[3])) * 1000;
  MSG m;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  for (zw::Form* f : main.MdiChildren())
    if (auto* d = dynamic_cast<TIconForm*>(f)) d->doc.modified = false;
  return 0;
}
