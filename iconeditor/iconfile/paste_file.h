// Paste's road of the clipboard bitmap: written to the temporary file as a BMP file and read back
// as a device bitmap.
#pragma once
#include <windows.h>

#include <string>

namespace zwicon::files {

enum class PasteRead { Ok, NoBitmap, Unreadable };

// `out` receives a device bitmap compatible with `dc` (the caller deletes it). NoBitmap when the
// clipboard holds no bitmap; Unreadable when it cannot be opened, the temporary file cannot be
// written, or the file does not read back.
PasteRead ReadClipboardThroughFile(HWND owner, const std::string& temp, HDC dc, HPALETTE palette, HBITMAP& out);

}  // namespace zwicon::files
