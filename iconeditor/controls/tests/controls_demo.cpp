// Shows the editor's controls on a form, and an alert box, for a look under the display.
#include <windows.h>

#include "application.h"
#include "description.h"
#include "message_boxes.h"
#include "zon_button.h"

using namespace zw;

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
  App().Initialize(inst);
  App().title = "Controls";
  RegisterEditorControls();
  ThePalette().Create();
  TZonForm form;
  static const FormTable table = {};
  auto errors = form.LoadResource("DemoForm", table);
  if (!errors.empty()) {
    ReportDescriptionErrors("DemoForm", errors);
    return 1;
  }
  // The sixteen colour buttons, placed as on the editor's tool panel.
  static const COLORREF colours[16] = {0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080, 0x000000,
                                       0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xC0C0C0, 0xFFFFFF};
  auto* bar = form.Find<WinControl>("Bar");
  for (int i = 0; i < 16; ++i) {
    auto* b = new TZonBtn;
    b->SetBounds(236 + 16 * (i % 8), i < 8 ? 4 : 17, 17, 12);
    b->SetPenWidth(0);
    b->SetColor(colours[i]);
    form.Adopt(std::unique_ptr<Component>(b));
    bar->AddChild(b);
  }
  form.Create();
  form.Show();
  App().mainForm = &form;
  PostMessageA(form.hwnd, WM_NULL, 0, 0);
  ShowAlert("Alert", "The Windows ClipBoard does not\rcontain a valid bitmap image.");
  App().Run();
  return 0;
}
