#include "install_report.h"

namespace install {

std::string InstallReport::FailureMessage(size_t maxLines) const {
  return FailureList("Strokewise wurde nicht vollst\xE4ndig installiert. Folgendes ist fehlgeschlagen:",
                     maxLines) +
         "Bitte beheben Sie die Ursache und starten Sie die Installation erneut.";
}

std::string InstallReport::FailureList(const std::string& heading, size_t maxLines) const {
  std::string text = heading + "\n";
  size_t shown = 0;
  for (const auto& f : failures) {
    if (shown == maxLines) {
      text += "... und " + std::to_string(failures.size() - shown) + " weitere\n";
      break;
    }
    text += "- " + f + "\n";
    ++shown;
  }
  return text;
}

std::string InstallReport::LogText() const {
  std::string text;
  for (const auto& f : failures) text += f + "\r\n";
  for (const auto& n : notes) text += "Hinweis: " + n + "\r\n";
  return text;
}

std::string InstallReport::NotesText() const {
  std::string text;
  for (const auto& n : notes) text += "\n" + n + ".";
  return text;
}

}  // namespace install
