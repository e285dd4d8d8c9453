#include "label3d.h"

namespace zw {

TLabel3D::TLabel3D() { transparent = true; }

void TLabel3D::SetOffset(int o) {
  if (o == offset_) return;
  offset_ = o;
  Invalidate();
}

void TLabel3D::SetLabelStyle(TLabelStyle s) {
  if (s == labelStyle_) return;
  offset_ = -offset_;
  labelStyle_ = s;
  Invalidate();
}

void TLabel3D::SetAsButton(bool b) {
  if (b == asButton_) return;
  if (b) SetLabelStyle(lsRaised);
  asButton_ = b;
}

PropResult TLabel3D::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "Offset") {
    if (v.kind != PropValue::Number) return PropResult::BadValue;
    SetOffset(static_cast<int>(v.number));
    return PropResult::Ok;
  }
  if (p == "LabelStyle") {
    if (v.text == "lsRaised") SetLabelStyle(lsRaised);
    else if (v.text == "lsLowered") SetLabelStyle(lsLowered);
    else return PropResult::BadValue;
    return PropResult::Ok;
  }
  if (p == "AsButton") {
    if (!v.IsBool()) return PropResult::BadValue;
    SetAsButton(v.IsTrue());
    return PropResult::Ok;
  }
  return Label::SetProperty(p, v);
}

void TLabel3D::Paint(Canvas& c) {
  c.brush.style = BrushStyle::Clear;
  c.font = font;
  RECT r = ClientRect();
  OffsetRect(&r, -offset_, -offset_);
  DrawCaption(c, r, 0xFFFFFF);
  r = ClientRect();
  OffsetRect(&r, offset_, offset_);
  DrawCaption(c, r, 0);
  DrawCaption(c, ClientRect(), enabled ? font.color : GetSysColor(COLOR_GRAYTEXT));
}

void TLabel3D::MouseDown(MouseButton b, ShiftState s, int x, int y) {
  if (!asButton_) return Label::MouseDown(b, s, x, y);
  if (b == MouseButton::Left && enabled && labelStyle_ != lsLowered) SetLabelStyle(lsLowered);
}

void TLabel3D::MouseMove(ShiftState s, int x, int y) {
  if (!asButton_) return Label::MouseMove(s, x, y);
  if ((s & (ssLeft | ssRight | ssMiddle)) != ssLeft) return;
  bool inside = x >= 0 && y >= 0 && x <= width && y <= height;
  SetLabelStyle(inside ? lsLowered : lsRaised);
}

void TLabel3D::MouseUp(MouseButton b, ShiftState s, int x, int y) {
  if (!asButton_) return Label::MouseUp(b, s, x, y);
  if (x >= 0 && y >= 0 && x <= width && y <= height) SetLabelStyle(lsRaised);
}

}  // namespace zw
