#include "paste_file.h"

#include "bmp_reader.h"

namespace zwicon::files {

PasteRead ReadClipboardThroughFile(HWND owner, const std::string& temp, HDC dc, HPALETTE palette, HBITMAP& out) {
  out = nullptr;
  if (!IsClipboardFormatAvailable(CF_BITMAP)) return PasteRead::NoBitmap;
  if (!OpenClipboard(owner)) return PasteRead::Unreadable;
  auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  bool written = bitmap && WriteBitmapFile(bitmap, temp);
  CloseClipboard();
  if (!written) return PasteRead::Unreadable;
  out = ReadBitmapFile(temp, dc, palette);
  return out ? PasteRead::Ok : PasteRead::Unreadable;
}

}  // namespace zwicon::files
