// The icon editor's logic that needs no window: the standard palette and colour matching,
// numbers and the "Window" field as stored in the settings, the temporary file, and the pixel
// geometry of the drawing tools.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

#include "icon_file.h"

namespace zwicon {

constexpr int kIconSize = 32;
// The standard 16 colours, the icon file's palette.
inline const COLORREF (&kStandardPalette)[16] = files::kStandardColours;

// The palette entry a pixel maps to: entry k matches when every channel c satisfies
// Palette[k].c - 20 < c <= Palette[k].c; the last matching entry wins; no match keeps `previous`.
int MatchPaletteIndex(const COLORREF palette[16], COLORREF pixel, int previous);

// A settings number: decimal, or hexadecimal after "0x"; false when it is not a number.
bool ParseNumber(const std::string& text, long long& out);
// Splits a settings list: fields separated by commas or spaces, double quotes group, spaces
// inside a field are removed. Empty fields stay (as empty strings).
std::vector<std::string> SplitFields(const std::string& text);

// Creates the first free "NNNNNNNN.$$$" file (eight digits from 00000001) in `dir`, empty;
// returns its path, or "" when the folder cannot take it.
std::string CreateNumberedTempFile(const std::string& dir);
// A unique empty file of our own in the system's temporary folder ("" on failure).
std::string CreateSystemTempFile();

// The box of a shape dragged from (x0, y0) to (x1, y1), right and bottom exclusive, so that both
// end cells are covered; a drag along a row or column gives a box of zero width or height.
RECT ShapeBox(int x0, int y0, int x1, int y1);
// The cells of the editor's line from (x0, y0) to (x1, y1), both ends included.
std::vector<POINT> LineCells(int x0, int y0, int x1, int y1);

}  // namespace zwicon
