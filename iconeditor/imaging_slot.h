// The place of the imaging component in the main window's description. The component itself
// (reading and writing pictures through the imaging library) joins here later; until then its
// published settings are kept as written.
#pragma once
#include <map>
#include <string>

#include "component.h"

namespace zwicon {

class TPMultiImageSlot : public zw::Component {
 public:
  std::map<std::string, zw::PropValue> settings;
  zw::PropResult SetProperty(const std::string& p, const zw::PropValue& v) override {
    if (p == "Tag") return Component::SetProperty(p, v);
    settings[p] = v;
    return zw::PropResult::Ok;
  }
};

}  // namespace zwicon
