#include "normalize.h"

#include <algorithm>

namespace zwicon::files {

COLORREF NormalizeColour(COLORREF c) {
  static const struct {
    COLORREF from, to;
  } kTable[] = {{RGB(192, 220, 192), RGB(255, 255, 255)}, {RGB(160, 160, 164), RGB(192, 192, 192)},
                {RGB(255, 251, 240), RGB(255, 255, 255)}, {RGB(164, 200, 240), RGB(0, 255, 255)},
                {RGB(168, 202, 240), RGB(0, 255, 255)},   {RGB(191, 191, 0), RGB(255, 255, 0)}};
  c &= 0xFFFFFF;
  for (const auto& e : kTable)
    if (c == e.from) return e.to;
  return c;
}

void NormalizePicture(zw::Bitmap& picture, int w, int h) {
  w = std::min(w, picture.Width());
  h = std::min(h, picture.Height());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      COLORREF c = picture.Get(x, y), n = NormalizeColour(c);
      if (n != c) picture.Set(x, y, n);
    }
}

}  // namespace zwicon::files
