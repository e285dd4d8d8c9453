// ZwIcon's entry: the application title, the shared palette, the main window and the alert box,
// the command line's file names, and the message loop.
#include <windows.h>

#include "application.h"
#include "main_form.h"
#include "message_boxes.h"
#include "zwicon.h"

using namespace zwicon;

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show) {
  zw::App().Initialize(inst);
  zw::App().title = "Zonware Icon Editor";
  zw::ThePalette().Create();
  TheEditor().args = CommandLineFiles();
  TheEditor().showCommand = show;
  {
    TMainForm main;
    if (!main.Make()) return 1;
    zw::Boxes().alert = std::make_unique<zw::TAlertDialog>();
    if (!zw::Boxes().alert->Make()) zw::Boxes().alert.reset();
    main.Show();
    zw::App().Run();
    zw::Boxes().alert.reset();
  }
  zw::ThePalette().Destroy();
  return 0;
}
