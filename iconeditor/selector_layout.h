// The icon selector's window-free parts: its layout in the registry (sub-key "Icon Selector" of
// the editor's key, every value checked where it enters), the icon grid's positions, the name
// the selector returns and the split of a typed location into folder and mask.
#pragma once
#include <windows.h>

#include <array>
#include <string>

namespace zwicon {

struct SelectorLayout {
  RECT window{0, 0, 528, 402};  // left, top, width, height
  std::array<int, 5> details{150, 75, 70, 90, 45};
  bool showDetails = false;
  bool inverted = false;
  bool stacked = false;  // "SplitDir" "Horz": the list above the viewer
  int splitPos = 250;
};

// Reads the layout over `l` (the design values); damaged or out-of-range values keep them.
void ReadSelectorLayout(const std::string& key, SelectorLayout& l, SIZE screen);
// Deletes the sub-key and writes the layout; "Preview" only when `previewVisible`.
bool WriteSelectorLayout(const std::string& key, const SelectorLayout& l, bool previewVisible, bool preview);

// Top-left of the i-th 32 x 32 icon of the preview grid in a viewer `viewerWidth` wide.
POINT IconGridPosition(int i, int viewerWidth);
// The chosen file: the location joined with the name by one backslash (the name alone when the
// location is empty), ".ICO" appended when the joined name has no extension.
std::string JoinChosenName(const std::string& location, const std::string& name);
// A typed location holding "*" or "?": its last part is the mask, the rest (without a trailing
// backslash, a drive root keeps it) the folder. False when the text holds no wildcard.
bool SplitLocation(const std::string& text, std::string& folder, std::string& mask);

}  // namespace zwicon
