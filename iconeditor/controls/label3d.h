// A label drawn three times (light, dark, face) to look raised or engraved; optionally a button.
#pragma once
#include "std_controls.h"

namespace zw {

enum TLabelStyle { lsRaised, lsLowered };

class TLabel3D : public Label {
 public:
  TLabel3D();
  int Offset() const { return offset_; }
  void SetOffset(int o);
  TLabelStyle LabelStyle() const { return labelStyle_; }
  // Changing the style flips the sign of Offset.
  void SetLabelStyle(TLabelStyle s);
  bool AsButton() const { return asButton_; }
  void SetAsButton(bool b);

  void Paint(Canvas& c) override;
  void MouseDown(MouseButton b, ShiftState s, int x, int y) override;
  void MouseMove(ShiftState s, int x, int y) override;
  void MouseUp(MouseButton b, ShiftState s, int x, int y) override;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;

 private:
  int offset_ = 1;
  TLabelStyle labelStyle_ = lsRaised;
  bool asButton_ = false;
};

}  // namespace zw
