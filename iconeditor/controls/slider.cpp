#include "slider.h"

#include <algorithm>

namespace zw {

TSlider::TSlider() {
  width = 50;
  height = 200;
}

PropResult TSlider::SetProperty(const std::string& p, const PropValue& v) {
  auto num = [&](int& f) {
    if (v.kind != PropValue::Number) return PropResult::BadValue;
    f = static_cast<int>(v.number);
    return PropResult::Ok;
  };
  if (p == "Minimum") return num(minimum_);
  if (p == "Maximum") return num(maximum_);
  if (p == "Value") return num(value_);
  if (p == "TrackWidth") return num(trackWidth);
  if (p == "ThumbHeight") return num(thumbHeight);
  if (p == "TrackColor") return ColorValue(v, trackColor) ? PropResult::Ok : PropResult::BadValue;
  if (p == "ThumbColor") return ColorValue(v, thumbColor) ? PropResult::Ok : PropResult::BadValue;
  if (p == "Ctl3D") {
    if (!v.IsBool()) return PropResult::BadValue;
    ctl3D = v.IsTrue();
    return PropResult::Ok;
  }
  if (p == "Orientation") {
    if (v.text == "slHoriz") orientation = slHoriz;
    else if (v.text == "slVertical") orientation = slVertical;
    else return PropResult::BadValue;
    return PropResult::Ok;
  }
  return WinControl::SetProperty(p, v);
}

bool TSlider::FindEvent(const std::string& e, EventSlot& slot) {
  if (e == "OnValueChange") {
    slot = &OnValueChange;
    return true;
  }
  return WinControl::FindEvent(e, slot);
}

void TSlider::SetValue(int v) {
  v = std::clamp(v, minimum_, std::max(minimum_, maximum_));
  if (v == value_) return;
  value_ = v;
  Fire();
  Redraw();
}

void TSlider::SetMinimum(int v) {
  if (v == minimum_) return;
  minimum_ = v;
  if (value_ < minimum_) SetValue(minimum_);
  Invalidate();
}

void TSlider::SetMaximum(int v) {
  if (v == maximum_) return;
  maximum_ = v;
  if (value_ > maximum_) SetValue(maximum_);
  Invalidate();
}

void TSlider::SetEnabled(bool e) {
  WinControl::SetEnabled(e);
  Invalidate();
}

void TSlider::SetBounds(int l, int t, int w, int h) {
  WinControl::SetBounds(l, t, w, h);
  Invalidate();
}

void TSlider::Redraw() {
  if (!hwnd) return;
  HDC dc = GetDC(hwnd);
  {
    Canvas c(dc);
    DrawThumb(c);
  }
  ReleaseDC(hwnd, dc);
}

void TSlider::PaintSelf(Canvas& c) { Paint(c); }

void TSlider::Paint(Canvas& c) {
  // The thumb's background store follows the control's size (re-made after a resize).
  int tw = orientation == slVertical ? width : thumbHeight, th = orientation == slVertical ? thumbHeight : height;
  if (thumbBack_.Width() != tw || thumbBack_.Height() != th) thumbBack_.SetSize(tw, th);
  c.brush.style = BrushStyle::Solid;
  c.brush.color = color;
  c.FillRect(RECT{0, 0, width, height});
  RECT t;
  if (orientation == slVertical) t = RECT{(width - trackWidth) / 2, 0, (width - trackWidth) / 2 + trackWidth, height};
  else t = RECT{0, (height - trackWidth) / 2, width, (height - trackWidth) / 2 + trackWidth};
  c.brush.color = trackColor;
  if (ctl3D) {
    c.pen = Pen{GetSysColor(COLOR_BTNHIGHLIGHT)};
    c.Rectangle(t.left, t.top, t.right, t.bottom);
    c.pen.color = GetSysColor(COLOR_BTNSHADOW);
    c.MoveTo(t.left, t.bottom - 1);
    c.LineTo(t.left, t.top);
    c.LineTo(t.right, t.top);
  } else {
    c.FillRect(t);
  }
  thumb_.left = -1;  // the whole control was drawn afresh: no old thumb to erase
  DrawThumb(c);
}

void TSlider::DrawThumb(Canvas& c) {
  if (loading_) return;
  c.brush.style = BrushStyle::Solid;
  c.brush.color = enabled ? thumbColor : 0x808080;
  c.pen = Pen{ctl3D ? GetSysColor(COLOR_BTNHIGHLIGHT) : 0};
  int range = maximum_ - minimum_;
  RECT r;
  if (orientation == slVertical) {
    int bottom = range > 0 ? height - (height - thumbHeight) * (value_ - minimum_) / range : height;
    r = RECT{0, bottom - thumbHeight, width, bottom};
  } else {
    int left = range > 0 ? (width - thumbHeight) * (value_ - minimum_) / range : 0;
    r = RECT{left, 0, left + thumbHeight, height};
  }
  HDC dc = c.Handle();
  if (thumb_.left != -1) {
    int w = thumb_.right - thumb_.left, h = thumb_.bottom - thumb_.top;
    if (orientation == slVertical && thumbHeight <= 8) {
      int src = thumb_.top < thumbHeight + 2 ? thumb_.top + 8 : thumb_.top - 8;
      BitBlt(dc, thumb_.left, thumb_.top, w, h, dc, thumb_.left, src, SRCCOPY);
    } else {
      BitBlt(dc, thumb_.left, thumb_.top, w, h, thumbBack_.DC(), 0, 0, SRCCOPY);
    }
  }
  if (thumbBack_.Width() != r.right - r.left || thumbBack_.Height() != r.bottom - r.top)
    thumbBack_.SetSize(r.right - r.left, r.bottom - r.top);
  BitBlt(thumbBack_.DC(), 0, 0, r.right - r.left, r.bottom - r.top, dc, r.left, r.top, SRCCOPY);
  thumb_ = r;
  if (ctl3D) {
    c.pen.color = 0x808080;
    c.Rectangle(r.left, r.top, r.right, r.bottom);
    c.pen.color = 0xFFFFFF;
    c.MoveTo(r.left, r.bottom - 1);
    c.LineTo(r.left, r.top);
    c.LineTo(r.right - 1, r.top);
    c.pen.color = 0x808080;
    c.MoveTo(r.left + 1, r.bottom - 2);
    c.LineTo(r.right - 2, r.bottom - 2);
    c.LineTo(r.right - 2, r.top);
  } else {
    c.Rectangle(r.left, r.top, r.right, r.bottom);
  }
}

void TSlider::MouseDown(MouseButton b, ShiftState s, int x, int y) {
  if (dragging_) return;
  WinControl::MouseDown(b, s, x, y);
  if (b == MouseButton::Left && x >= thumb_.left && x < thumb_.right && y >= thumb_.top && y < thumb_.bottom) {
    dragging_ = true;
    leftDrag_ = true;
    dragStart_ = POINT{x, y};
    dragValue_ = value_;
    ShowCursor(FALSE);
    return;
  }
  int half = std::max(1, thumbHeight / 2);
  SetValue(value_ + (thumb_.top - y) / half);
}

void TSlider::MouseMove(ShiftState s, int x, int y) {
  WinControl::MouseMove(s, x, y);
  if (!dragging_ || !leftDrag_) return;
  if (orientation == slVertical) {
    SetValue(dragValue_ + (dragStart_.y - y) / std::max(1, thumbHeight / 2));
  } else {
    SetValue(dragValue_ + (maximum_ - minimum_) * (x - dragStart_.x) / std::max(1, width - thumbHeight));
  }
}

void TSlider::EndDrag() {
  leftDrag_ = false;
  dragging_ = false;
  Fire();
  ShowCursor(TRUE);
}

void TSlider::MouseUp(MouseButton b, ShiftState s, int x, int y) {
  if (!dragging_) return;
  WinControl::MouseUp(b, s, x, y);
  if (b == MouseButton::Left) EndDrag();
}

void TSlider::CaptureLost() {
  if (dragging_) EndDrag();
}

}  // namespace zw
