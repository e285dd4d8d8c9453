// The imaging component as a component of the forms layer: a hidden TPMultiImage on the main
// window, set up from the form's description, reporting failures in the editor's alert boxes.
#pragma once
#include <string>

#include "component.h"
#include "multi_image.h"

namespace zwicon::files {

// Failure boxes of the imaging component shown as the editor's alerts.
class AlertHost : public sw::TPMultiImage::Host {
 public:
  void ErrorBox(const std::string& text) override;
  void InfoBox(const std::string& text) override;
};

class TPMultiImageComponent : public zw::Component {
 public:
  TPMultiImageComponent();
  // Published: ReadResolution, WriteResolution (Automatic, Colors16, Colors256, TrueColor),
  // Dithering, JpegQuality, JpegSmoothing, TiffCompression.
  zw::PropResult SetProperty(const std::string& prop, const zw::PropValue& v) override;

  sw::TPMultiImage image;

 private:
  AlertHost host_;
};

}  // namespace zwicon::files
