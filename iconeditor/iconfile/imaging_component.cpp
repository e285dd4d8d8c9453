#include "imaging_component.h"

#include "message_boxes.h"

namespace zwicon::files {

void AlertHost::ErrorBox(const std::string& text) { zw::ShowAlert("Error", text); }
void AlertHost::InfoBox(const std::string& text) { zw::ShowAlert("Information", text); }

TPMultiImageComponent::TPMultiImageComponent() {
  image.SetHost(&host_);
  image.SetReadResolution(sw::TPMultiImage::Resolution::Automatic);
  image.SetWriteResolution(sw::TPMultiImage::Resolution::Automatic);
  image.SetDithering(true);
  image.SetJpegQuality(25);
  image.SetJpegSmoothing(0);
  image.SetTiffCompression(SKY_TIFF_NONE);
}

static bool ResolutionValue(const zw::PropValue& v, sw::TPMultiImage::Resolution& out) {
  using R = sw::TPMultiImage::Resolution;
  if (v.kind == zw::PropValue::Number) {
    if (v.number != 0 && v.number != 4 && v.number != 8 && v.number != 24) return false;
    out = static_cast<R>(v.number);
    return true;
  }
  static const struct {
    const char* name;
    R value;
  } kNames[] = {{"Automatic", R::Automatic}, {"Colors16", R::Colors16}, {"Colors256", R::Colors256},
                {"TrueColor", R::TrueColor}};
  for (const auto& n : kNames)
    if (v.text == n.name) return out = n.value, true;
  return false;
}

zw::PropResult TPMultiImageComponent::SetProperty(const std::string& p, const zw::PropValue& v) {
  using zw::PropResult;
  auto number = [&](auto set) {
    if (v.kind != zw::PropValue::Number) return PropResult::BadValue;
    set(static_cast<int>(v.number));
    return PropResult::Ok;
  };
  if (p == "JpegQuality") return number([&](int n) { image.SetJpegQuality(n); });
  if (p == "JpegSmoothing") return number([&](int n) { image.SetJpegSmoothing(n); });
  if (p == "TiffCompression") return number([&](int n) { image.SetTiffCompression(n); });
  if (p == "Dithering") {
    if (!v.IsBool()) return PropResult::BadValue;
    image.SetDithering(v.IsTrue());
    return PropResult::Ok;
  }
  if (p == "ReadResolution" || p == "WriteResolution") {
    sw::TPMultiImage::Resolution r;
    if (!ResolutionValue(v, r)) return PropResult::BadValue;
    if (p == "ReadResolution") image.SetReadResolution(r);
    else image.SetWriteResolution(r);
    return PropResult::Ok;
  }
  return Component::SetProperty(p, v);
}

}  // namespace zwicon::files
