#include "balloon.h"

#include "form.h"

namespace zw {

TBalloon::TBalloon() {
  width = 65;
  height = 17;
}

PropResult TBalloon::SetProperty(const std::string& p, const PropValue& v) {
  auto num = [&](int& f) {
    if (v.kind != PropValue::Number) return PropResult::BadValue;
    f = static_cast<int>(v.number);
    return PropResult::Ok;
  };
  if (p == "CornerSize") return num(cornerSize);
  if (p == "XOffset") return num(xOffset);
  if (p == "YOffset") return num(yOffset);
  if (p == "StemSize") return num(stemSize);
  if (p == "StemWidth") return num(stemWidth);
  if (p == "StemOffset") return num(stemOffset);
  if (p == "BackgroundColor") return ColorValue(v, backgroundColor) ? PropResult::Ok : PropResult::BadValue;
  if (p == "FocusControl") {
    focusControl = v.kind == PropValue::Ident && owner ? dynamic_cast<Control*>(owner->FindComponent(v.text)) : nullptr;
    return focusControl ? PropResult::Ok : PropResult::BadValue;
  }
  if (p == "ShowAccelChar") {
    if (!v.IsBool()) return PropResult::BadValue;
    showAccelChar = v.IsTrue();
    return PropResult::Ok;
  }
  if (p == "StemPos") {
    static const char* names[] = {"spLeft", "spTop", "spRight", "spBottom"};
    for (int i = 0; i < 4; ++i)
      if (v.text == names[i]) {
        stemPos = static_cast<TBalloonStemPos>(i);
        return PropResult::Ok;
      }
    return PropResult::BadValue;
  }
  if (p == "Alignment") {
    if (v.text == "Left") alignment = Alignment::Left;
    else if (v.text == "Right") alignment = Alignment::Right;
    else if (v.text == "Center") alignment = Alignment::Center;
    else return PropResult::BadValue;
    return PropResult::Ok;
  }
  return GraphicControl::SetProperty(p, v);
}

bool TBalloon::DialogChar(char key) {
  if (!focusControl || !enabled || !showAccelChar || !IsAccel(key, caption)) return false;
  auto* w = dynamic_cast<WinControl*>(focusControl);
  if (w && w->hwnd && w->visible && w->enabled) w->SetFocus();
  return true;
}

UINT TBalloon::Format() const {
  UINT f = DT_WORDBREAK | DT_EXPANDTABS | (showAccelChar ? 0 : DT_NOPREFIX);
  if (alignment == Alignment::Right) f |= DT_RIGHT;
  else if (alignment == Alignment::Center) f |= DT_CENTER;
  return f;
}

void TBalloon::SetCaption(const std::string& c) {
  caption = c;
  MeasureText();
  Invalidate();
}

void TBalloon::MeasureText() {
  // Measured over the text rectangle's width (not the whole client), so that a long message
  // measures as many lines as it draws.
  std::string text = caption.empty() || (showAccelChar && caption == "&") ? " " : caption;
  HDC dc = CreateCompatibleDC(nullptr);
  {
    Canvas c(dc);
    c.font = font;
    RECT b = BodyRect();
    RECT r{0, 0, (b.right - b.left) - 2 * xOffset, 0};
    c.DrawText(r, text, Format() | DT_CALCRECT);
    textHeight_ = r.bottom - r.top;
  }
  DeleteDC(dc);
}

RECT TBalloon::BodyRect() const {
  RECT r = ClientRect();
  switch (stemPos) {
    case spLeft: r.left += stemSize; break;
    case spTop: r.top += stemSize; break;
    case spRight: r.right -= stemSize; break;
    case spBottom: r.bottom -= stemSize; break;
  }
  return r;
}

void TBalloon::StemPoints(POINT p[3]) const {
  int L = 0, T = 0, R = width, B = height;
  int mx = L + (R - L) / 2 + stemOffset, my = T + (B - T) / 2 + stemOffset;
  switch (stemPos) {
    case spLeft:
      p[0] = {L, my}, p[1] = {L + stemSize, my - stemWidth}, p[2] = {L + stemSize, my + stemWidth};
      break;
    case spTop:
      p[0] = {mx, T}, p[1] = {mx - stemWidth, T + stemSize}, p[2] = {mx + stemWidth, T + stemSize};
      break;
    case spRight:
      p[0] = {R, my}, p[1] = {R - stemSize - 1, my - stemWidth}, p[2] = {R - stemSize - 1, my + stemWidth};
      break;
    case spBottom:
      p[0] = {mx, B - 1}, p[1] = {mx - stemWidth, B - stemSize - 1}, p[2] = {mx + stemWidth, B - stemSize - 1};
      break;
  }
}

RECT TBalloon::TextRect() {
  RECT r = BodyRect();
  InflateRect(&r, -xOffset, -yOffset);
  if (textHeight_ < r.bottom - r.top) {
    int mid = (r.top + r.bottom) / 2;
    r.top = mid - textHeight_ / 2;
    r.bottom = r.top + textHeight_;
  }
  return r;
}

void TBalloon::Paint(Canvas& c) {
  c.pen = Pen{0};
  c.brush.style = BrushStyle::Solid;
  c.brush.color = backgroundColor;
  RECT b = BodyRect();
  c.RoundRect(b.left, b.top, b.right, b.bottom, cornerSize, cornerSize);
  POINT p[3];
  StemPoints(p);
  c.Polygon(p, 3);
  // Open the body's outline where the stem joins it.
  c.pen.color = backgroundColor;
  c.MoveTo(p[1].x, p[1].y);
  c.LineTo(p[2].x, p[2].y);
  if (textHeight_ == 0) MeasureText();
  RECT t = TextRect();
  c.font = font;
  c.font.color = enabled ? font.color : GetSysColor(COLOR_GRAYTEXT);
  std::string text = caption;
  c.DrawText(t, text, Format());
}

}  // namespace zw
