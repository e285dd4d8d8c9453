#include "settings_writer.h"

#include <cstring>

#include "handles.h"
#include "languages.h"

namespace install {

namespace {
constexpr size_t kValueBytes = 512;
}  // namespace

std::vector<std::pair<std::string, std::string>> InitialSettings(const std::string& target,
                                                                 int language) {
  std::string index = std::to_string(language);
  return {
      {"Directory", target},
      {"MouseBtn", "1"},
      {"Sound", "1"},
      {"Language", index},
      {"DefaultLanguage", "0"},
      {"KLLanguage", index},
      {"SoundName", "None"},
      {"HelpFile", "kvo_" + LanguageCode(language) + ".hlp"},
      {"ShowMainWinDraw", "1"},
      {"ShowMainWinTray", "1"},
      {"RecognitionKLK", "1"},
      {"AutoFocus", "0"},
      {"AutoHide", "2"},
      {"StartUpAutoHide", "2"},
  };
}

const std::vector<std::string>& KurvoOwnValueNames() {
  static const std::vector<std::string> names = {"SoundNot", "SoundNameNot", "AlwaysOnTop"};
  return names;
}

namespace {
bool Exists(HKEY k, const std::string& name) {
  return RegQueryValueExA(k, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}
bool IsLanguageValue(const std::string& name) {
  return name == "Language" || name == "KLLanguage" || name == "HelpFile";
}
}  // namespace

void WriteInitialSettings(const SettingsKey& key, const std::string& target, int language,
                          InstallReport& report, bool languageChosen) {
  sw::RegKey k;
  DWORD disposition = 0;
  if (RegCreateKeyExA(key.root, key.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, k.put(), &disposition) != ERROR_SUCCESS) {
    report.Fail("Registrierungsschl\xFCssel " + key.path + " anlegen");
    return;
  }
  for (const auto& [name, text] : InitialSettings(target, language)) {
    bool rewrite = name == "Directory" || (languageChosen && IsLanguageValue(name));
    if (!rewrite && Exists(k.get(), name)) continue;
    char buffer[kValueBytes] = {};
    std::memcpy(buffer, text.data(), text.size() < kValueBytes ? text.size() : kValueBytes - 1);
    if (RegSetValueExA(k.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer),
                       kValueBytes) != ERROR_SUCCESS) {
      report.Fail("Registrierungswert " + name + " schreiben");
    }
  }
}

}  // namespace install
