// Colour normalisation of pictures entering a document: the extra colours of the platform's
// 256-colour system palette (and two near-colours) are brought back to the 16 standard ones.
#pragma once
#include <windows.h>

#include "canvas.h"

namespace zwicon::files {

// The colour a pixel becomes; every colour outside the table stays.
COLORREF NormalizeColour(COLORREF c);
// Normalises the top-left `w` x `h` pixels of a picture in place (clipped to its size).
void NormalizePicture(zw::Bitmap& picture, int w = 32, int h = 32);

}  // namespace zwicon::files
