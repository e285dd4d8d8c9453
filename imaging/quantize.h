// Colour depth conversion: choosing a palette for a picture and mapping its pixels to it, with or
// without Floyd-Steinberg error diffusion.
#pragma once
#include "picture.h"

namespace sky {

// The 16 standard colours, in index order.
const RGBQUAD* StandardColours();

// The 8-bit fallback palette: a 6 x 6 x 6 colour cube followed by 40 greys.
std::vector<RGBQUAD> UniformPalette();

// The number of distinct colours of a picture, counting up to `limit` + 1.
size_t CountColours(const Picture& pic, size_t limit);

// Converts a picture to `bits` (1, 4, 8 or 24). Indexed results use the first entries of
// `palette` (count > 0) or, without one, the picture's own colours when they fit, else the
// standard colours (1 bit: black and white; 4 bits: the 16 standard colours; 8 bits: the
// uniform palette). Returns 0 or an error number.
int ConvertDepth(const Picture& src, int bits, bool dither, const RGBQUAD* palette, int count, Picture* out);

}  // namespace sky

namespace sky {

// Blends each pixel of a BGR picture with the mean of its 3 x 3 neighbourhood; `strength` 0 leaves
// the picture alone, 100 replaces each pixel by the mean.
void Smooth(Picture* pic, int strength);

}  // namespace sky
