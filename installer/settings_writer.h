// Kurvo's first settings, written by Install into the settings key.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "install_report.h"

namespace install {

// Where Kurvo keeps its settings. Tests point this at a key of their own.
struct SettingsKey {
  HKEY root = HKEY_LOCAL_MACHINE;
  std::string path = "SOFTWARE\\Strokewise\\System";
};

// The values Install writes, name and text, in writing order.
std::vector<std::pair<std::string, std::string>> InitialSettings(const std::string& target,
                                                                 int language);

// Creates or opens the key and writes the values as REG_SZ with the whole 512-byte buffer as
// data (the text cut to 511 characters). A value that exists already was set by the user (or
// by Kurvo for them) and is kept, except "Directory", which always names the new target, and
// the language values when `languageChosen` (the user chose another language than last time).
// Each failure goes into `report`.
void WriteInitialSettings(const SettingsKey& key, const std::string& target, int language,
                          InstallReport& report, bool languageChosen = true);

// Names of the values Kurvo itself writes into the key besides those of Install.
const std::vector<std::string>& KurvoOwnValueNames();

}  // namespace install
