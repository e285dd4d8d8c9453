// TBalloon: a windowless label drawn as a speech balloon with a stem on one side.
#pragma once
#include "std_controls.h"

namespace zw {

enum TBalloonStemPos { spLeft, spTop, spRight, spBottom };

class TBalloon : public GraphicControl {
 public:
  TBalloon();
  Alignment alignment = Alignment::Left;
  bool showAccelChar = false;
  Control* focusControl = nullptr;
  int cornerSize = 16;
  COLORREF backgroundColor = 0xFFFFFF;
  int xOffset = 5, yOffset = 3;
  TBalloonStemPos stemPos = spLeft;
  int stemSize = 12, stemWidth = 4, stemOffset = 0;

  void SetCaption(const std::string& c) override;
  // The stem's tip and its two base points for the current size and settings.
  void StemPoints(POINT pts[3]) const;
  RECT BodyRect() const;
  // The rectangle the text is drawn in (narrowed to the measured height, centred).
  RECT TextRect();
  int TextHeight() const { return textHeight_; }
  void MeasureText();

  void Paint(Canvas& c) override;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  void Loaded() override { MeasureText(); }
  bool DialogChar(char key) override;

 private:
  UINT Format() const;
  int textHeight_ = 0;
};

}  // namespace zw
