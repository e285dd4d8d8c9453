#include "install_report.h"

namespace install {

std::string InstallReport::FailureMessage(size_t maxLines) const {
  std::string text =
      "Strokewise wurde nicht vollst\xE4ndig installiert. Folgendes ist fehlgeschlagen:\n";
  size_t shown = 0;
  for (const auto& f : failures) {
    if (shown == maxLines) {
      text += "... und " + std::to_string(failures.size() - shown) + " weitere\n";
      break;
    }
    text += "- " + f + "\n";
    ++shown;
  }
  text += "Bitte beheben Sie die Ursache und starten Sie die Installation erneut.";
  return text;
}

std::string InstallReport::LogText() const {
  std::string text;
  for (const auto& f : failures) text += f + "\r\n";
  return text;
}

}  // namespace install
