#include "drop_install.h"

#include <lzexpand.h>

#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "message_box.h"
#include "paths.h"
#include "text_util.h"

namespace kurvo {

std::string DropDestination(const std::string& path, const std::string& schemeDir, const std::string& systemDir) {
  std::string name = sw::FilePart(path, sw::kSlashesAndDrive);
  std::string ext = sw::Extension(name);
  if (ext.empty()) return {};
  std::string base = name.substr(0, name.size() - ext.size());
  if (EqualNoCase(ext, ".kvo") || ext == ".kv_") return schemeDir + base + ".kvo";
  if (EqualNoCase(ext, ".dll") || ext == ".dl_") return systemDir + base + ".dll";
  return {};
}

bool ExpandCopy(const std::string& source, const std::string& destination) {
  OFSTRUCT sourceInfo = {}, destInfo = {};
  std::string src = Cut(source, 511), dst = Cut(destination, 511);
  INT in = LZOpenFileA(const_cast<char*>(src.c_str()), &sourceInfo, OF_READ);
  if (in < 0) return false;
  INT out = LZOpenFileA(const_cast<char*>(dst.c_str()), &destInfo, OF_CREATE);
  if (out < 0) {
    LZClose(in);
    return false;
  }
  LONG copied = LZCopy(in, out);
  LZClose(in);
  LZClose(out);
  return copied >= 0;
}

void InstallDroppedFiles(HWND mainWindow, HDROP drop) {
  KurvoState& k = Kurvo();
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  int installed = 0;
  std::string failed;
  for (UINT i = 0; i < count; ++i) {
    char path[512] = {};
    DragQueryFileA(drop, i, path, sizeof path);
    std::string destination = DropDestination(path, k.settings.schemeDir, k.settings.systemDir);
    if (destination.empty()) {
      std::string text = FormatText("This file: %s\nis not compatible with Strokewise.", path);
      MessageBoxText(mainWindow, text, MB_ICONWARNING | MB_OK, "Drag&Drop");
      return;
    }
    if (!ExpandCopy(path, destination)) failed += std::string("\n") + path;
    ++installed;
  }
  // A copy that failed is named to the user before the summary, which still counts every file.
  if (!failed.empty()) {
    std::string text = Cut("These files could not be copied:" + failed, 2047);
    MessageBoxText(mainWindow, text, MB_ICONWARNING | MB_OK, "Drag&Drop");
  }
  std::string summary = FormatNumber(Str(IDS_DROP_SUMMARY, 1023), installed);
  MessageBoxText(mainWindow, summary, MB_ICONINFORMATION | MB_OK, "Drag&Drop");
}

}  // namespace kurvo
