#include "art.h"

#include <algorithm>
#include <cmath>

#include "symbols.h"

namespace hooklib {

const Rgb kPalette[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {128, 128, 128}, {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255}, {255, 255, 255},
};

namespace {

enum : uint8_t { kBlack = 0, kGreen = 2, kGrey = 7, kSilver = 8, kRed = 9, kYellow = 11,
                 kBlue = 12, kWhite = 15 };

// Pixels whose centres lie on an edge count as inside on every processor (x87 and SSE round the
// last bit differently).
constexpr double kEdge = 1e-6;

double SegmentDistance(Pt p, Pt a, Pt b) {
  double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
  return Distance(p, {a.x + t * dx, a.y + t * dy});
}

// Paints pixels whose centres lie within `half` of the polyline.
void StrokePath(IndexedImage& img, const Path& p, double half, uint8_t colour) {
  for (int y = 0; y < img.size; ++y)
    for (int x = 0; x < img.size; ++x) {
      Pt c{x + 0.5, y + 0.5};
      for (size_t i = 0; i + 1 < p.size() || i == 0; ++i) {
        if (SegmentDistance(c, p[i], p[std::min(i + 1, p.size() - 1)]) <= half + kEdge) {
          img.pixels[y * img.size + x] = colour;
          break;
        }
        if (p.size() < 2) break;
      }
    }
}

void Disc(IndexedImage& img, Pt centre, double radius, uint8_t colour) {
  for (int y = 0; y < img.size; ++y)
    for (int x = 0; x < img.size; ++x)
      if (Distance({x + 0.5, y + 0.5}, centre) <= radius + kEdge) img.pixels[y * img.size + x] = colour;
}

IndexedImage Blank(int size, uint8_t colour) {
  IndexedImage img;
  img.size = size;
  img.pixels.assign(size * size, colour);
  return img;
}

}  // namespace

IndexedImage SymbolPicture(int id) {
  IndexedImage img = Blank(kPictureSize, kSilver);
  SymbolShape s = SymbolShapeOf(id);
  if (s.points.size() < 2) return img;

  // Fit the path into a 22-pixel square in the middle, keeping its proportions.
  Box b = BoundingBox(s.points);
  double k = 22 / std::max({b.Width(), b.Height(), 1e-9});
  Pt mid{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
  Path p;
  for (Pt q : s.points) p.push_back({16 + (q.x - mid.x) * k, 16 + (q.y - mid.y) * k});
  StrokePath(img, p, 0.8, kBlack);

  // A head at the end shows the direction of drawing.
  Pt end = p.back(), from = p[p.size() - 2];
  for (size_t i = p.size() - 1; i-- > 0 && Distance(p[i], end) < 3;) from = p[i];
  double a = std::atan2(end.y - from.y, end.x - from.x);
  for (double side : {-1.0, 1.0}) {
    double w = a + kPi + side * 0.55;
    StrokePath(img, {end, {end.x + 5 * std::cos(w), end.y + 5 * std::sin(w)}}, 0.8, kBlack);
  }
  Disc(img, p.front(), 2.3, kRed);
  return img;
}

IndexedImage StatusIcon(Status st, int size) {
  IndexedImage img = Blank(size, kBlack);
  img.clear.assign(size * size, 1);
  double u = size / 32.0;  // drawn on a 32 grid, scaled
  Pt c{size / 2.0, size / 2.0};
  uint8_t fill = st == Status::kReady ? kBlue
               : st == Status::kNotRecognized ? kRed
               : st == Status::kRecognized ? kGreen
               : st == Status::kNotInScheme ? kYellow
                                            : kGrey;
  Disc(img, c, 15 * u, kBlack);
  Disc(img, c, 15 * u - 1.2, fill);
  for (int i = 0; i < size * size; ++i)
    if (Distance({i % size + 0.5, i / size + 0.5}, c) <= 15 * u + kEdge) img.clear[i] = 0;

  auto scaled = [&](std::initializer_list<Pt> pts) {
    Path p;
    for (Pt q : pts) p.push_back({q.x * u, q.y * u});
    return p;
  };
  double half = size >= 32 ? 1.5 : 0.9;
  uint8_t ink = st == Status::kNotInScheme ? kBlack : kWhite;
  switch (st) {
    case Status::kReady:
    case Status::kDisabled: {
      // A wave: a stroke being drawn.
      Path wave;
      for (int i = 0; i <= 24; ++i) {
        double t = i / 24.0;
        wave.push_back({(8 + 16 * t) * u, (16 - 5 * std::sin(2 * kPi * t)) * u});
      }
      StrokePath(img, wave, half, ink);
      if (st == Status::kDisabled) StrokePath(img, scaled({{7, 25}, {25, 7}}), half, kRed);
      break;
    }
    case Status::kNotRecognized:
      StrokePath(img, scaled({{10, 10}, {22, 22}}), half, ink);
      StrokePath(img, scaled({{22, 10}, {10, 22}}), half, ink);
      break;
    case Status::kRecognized:
    case Status::kNotInScheme:
      StrokePath(img, scaled({{9, 16}, {14, 22}, {23, 10}}), half, ink);
      break;
  }
  return img;
}

}  // namespace hooklib
