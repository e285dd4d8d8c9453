#include "about_box.h"

#include "application.h"
#include "description.h"
#include "message_boxes.h"

namespace zwicon {

ZW_FORM_TABLE(TAboutBox, ZW_ABOUT_COMPONENTS, ZW_ABOUT_HANDLERS)

bool TAboutBox::Make() {
  RegisterEditorControls();
  if (!LoadAndCreate("AboutBox", Table())) return false;
  SetCaption("About " + App().title);
  return true;
}

void TAboutBox::SecretAreaDblClick(Component*) {
  TSysInfoForm info;
  if (!info.Make()) return;
  info.Fill();
  info.ShowModal();
}

ZW_FORM_TABLE(TSysInfoForm, ZW_SYSINFO_COMPONENTS, ZW_NO_HANDLERS)

bool TSysInfoForm::Make() {
  RegisterEditorControls();
  return LoadAndCreate("SysInfoForm", Table());
}

std::string WithThousands(unsigned long long n) {
  std::string digits = zw::Num(n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

void TSysInfoForm::Fill() {
  MEMORYSTATUSEX ms{sizeof ms};
  if (GlobalMemoryStatusEx(&ms)) {
    TotalPhys->SetCaption(WithThousands(ms.ullTotalPhys));
    FreePhys->SetCaption(WithThousands(ms.ullAvailPhys));
    FreeVirtual->SetCaption(WithThousands(ms.ullAvailVirtual));
    MemoryLoad->SetCaption(zw::Num(ms.dwMemoryLoad) + "%");
  }
  OSVERSIONINFOA v{sizeof v};
  if (GetVersionExA(&v)) {
    const char* names[] = {"Windows 3.1 (Win 32s)", "Windows 95", "Windows NT"};
    if (v.dwPlatformId <= VER_PLATFORM_WIN32_NT) PlatformName->SetCaption(names[v.dwPlatformId]);
    VersionText->SetCaption(zw::Num(v.dwMajorVersion) + "." + zw::Num(v.dwMinorVersion) + ", Build #" +
                            zw::Num(v.dwBuildNumber & 0xFFFF));
  }
}

void ShowAboutBox() {
  TAboutBox box;
  if (!box.Make()) return;
  box.ShowModal();
}

}  // namespace zwicon
