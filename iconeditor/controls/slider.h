// A track with a thumb that sets an integer value between Minimum and Maximum.
#pragma once
#include "std_controls.h"

namespace zw {

enum TSliderOrientation { slHoriz, slVertical };

class TSlider : public WinControl {
 public:
  TSlider();

  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Value() const { return value_; }
  // Clamped to the range; fires OnValueChange and redraws the thumb when it changes.
  void SetValue(int v);
  void SetMinimum(int v);
  void SetMaximum(int v);
  void SetEnabled(bool e) override;
  void SetBounds(int l, int t, int w, int h) override;

  TSliderOrientation orientation = slVertical;
  int trackWidth = 10, thumbHeight = 20;
  COLORREF trackColor = GetSysColor(COLOR_BTNFACE), thumbColor = GetSysColor(COLOR_BTNFACE);
  bool ctl3D = true;
  NotifyEvent OnValueChange;

  bool Dragging() const { return dragging_; }
  RECT ThumbRect() const { return thumb_; }

  // Draws track and thumb on a canvas of the control's size.
  void Paint(Canvas& c);
  void DrawThumb(Canvas& c);

  void MouseDown(MouseButton b, ShiftState s, int x, int y) override;
  void MouseMove(ShiftState s, int x, int y) override;
  void MouseUp(MouseButton b, ShiftState s, int x, int y) override;
  void CaptureLost() override;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  bool FindEvent(const std::string& e, EventSlot& slot) override;
  void Loaded() override { loading_ = false; }

 protected:
  void PaintSelf(Canvas& c) override;
  void Fire() { if (OnValueChange) OnValueChange(this); }
  void EndDrag();
  void Redraw();

 private:
  int minimum_ = 0, maximum_ = 100, value_ = 0;
  Bitmap thumbBack_;  // what lies under the thumb (thumb-sized)
  RECT thumb_{-1, 0, 0, 0};
  bool dragging_ = false, leftDrag_ = false, loading_ = false;
  POINT dragStart_{};
  int dragValue_ = 0;
};

}  // namespace zw
