// The About box and the System Information window it opens.
#pragma once
#include <string>

#include "label3d.h"
#include "palette.h"
#include "std_controls.h"

namespace zwicon {

using namespace zw;

#define ZW_ABOUT_COMPONENTS(X) X(TLabel3D, ProductName)
#define ZW_ABOUT_HANDLERS(X) X(Notify, SecretAreaDblClick)

class TAboutBox : public TZonForm {
 public:
  ZW_FORM_MEMBERS(ZW_ABOUT_COMPONENTS, ZW_ABOUT_HANDLERS)
  bool Make();
};

#define ZW_SYSINFO_COMPONENTS(X) \
  X(Label, TotalPhys) X(Label, FreePhys) X(Label, FreeVirtual) X(Label, MemoryLoad) X(Label, PlatformName) \
  X(Label, VersionText)

class TSysInfoForm : public TZonForm {
 public:
  ZW_FORM_MEMBERS(ZW_SYSINFO_COMPONENTS, ZW_NO_HANDLERS)
  bool Make();
  void Fill();
};

// A byte count with thousands separators ("1,048,576").
std::string WithThousands(unsigned long long n);
void ShowAboutBox();

}  // namespace zwicon
