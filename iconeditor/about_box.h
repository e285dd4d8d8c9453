// The About box and the System Information window it opens.
#pragma once
#include <string>

#include "label3d.h"
#include "palette.h"
#include "std_controls.h"

namespace zwicon {

using namespace zw;

class TAboutBox : public TZonForm {
 public:
  TLabel3D* ProductName = nullptr;
  static const FormTable& Table();
  bool Make();
  void SecretAreaDblClick(Component*);
};

class TSysInfoForm : public TZonForm {
 public:
  Label *TotalPhys = nullptr, *FreePhys = nullptr, *FreeVirtual = nullptr, *MemoryLoad = nullptr,
        *PlatformName = nullptr, *VersionText = nullptr;
  static const FormTable& Table();
  bool Make();
  void Fill();
};

// A byte count with thousands separators ("1,048,576").
std::string WithThousands(unsigned long long n);
void ShowAboutBox();

}  // namespace zwicon
