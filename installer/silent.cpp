#include "silent.h"

#include <windows.h>

#include <vector>

#include "languages.h"

namespace install {

namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

// Splits at blanks outside double quotes; quotes are removed.
std::vector<Token> Tokens(const std::string& text) {
  std::vector<Token> tokens;
  Token current;
  bool inQuotes = false, any = false;
  for (char c : text) {
    if (c == '"') {
      inQuotes = !inQuotes;
      current.quoted = true;
      any = true;
    } else if ((c == ' ' || c == '\t') && !inQuotes) {
      if (any) tokens.push_back(current);
      current = Token();
      any = false;
    } else {
      current.text += c;
      any = true;
    }
  }
  if (any) tokens.push_back(current);
  return tokens;
}

bool StartsWithNoCase(const std::string& s, const char* prefix) {
  size_t n = strlen(prefix);
  return s.size() >= n && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, s.c_str(),
                                         static_cast<int>(n), prefix, static_cast<int>(n)) == 2;
}

bool IsSwitch(const Token& t, const char* name) {
  return StartsWithNoCase(t.text, name) && t.text.size() == strlen(name);
}

}  // namespace

CommandLine ParseCommandLine(const std::string& text) {
  CommandLine options;
  std::vector<Token> tokens = Tokens(text);
  for (size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (IsSwitch(t, "/S")) {
      options.silent = true;
    } else if (IsSwitch(t, "/U")) {
      options.uninstall = true;
    } else if (IsSwitch(t, "/STARTUP")) {
      options.startUp = true;
    } else if (IsSwitch(t, "/NOWIZARD")) {
      options.noWizard = true;
    } else if (StartsWithNoCase(t.text, "/D=")) {
      options.directory = t.text.substr(3);
      options.directoryGiven = true;
      // An unquoted directory with blanks: the following words up to the next switch.
      while (!t.quoted && i + 1 < tokens.size() && tokens[i + 1].text[0] != '/') {
        options.directory += " " + tokens[++i].text;
      }
      options.directory = options.directory.substr(0, kMaxTargetLength);
    } else if (StartsWithNoCase(t.text, "/L=")) {
      options.language = t.text.substr(3, 15);
    } else if (StartsWithNoCase(t.text, "/KEY=")) {
      options.settingsKey = t.text.substr(5, 255);
    } else if (options.unknown.empty()) {
      options.unknown = t.text.substr(0, 63);
    }
  }
  return options;
}

int LanguageIndexOfCode(const std::string& code) {
  for (int i = 0; i <= 9; ++i) {
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, code.c_str(), -1,
                       LanguageCode(i).c_str(), -1) == 2) {
      return i;
    }
  }
  return -1;
}

namespace {
bool MediumOffers(const std::string& medium, int language) {
  for (const std::string& entry : OfferedLanguages(medium)) {
    if (LanguageIndexOfEntry(entry) == language) return true;
  }
  return false;
}
}  // namespace

std::string LogPathFor(const std::string& target) { return target + "-install.log"; }

std::string TempLogPath(const std::string& name) {
  char temp[MAX_PATH] = {};
  DWORD n = GetTempPathA(MAX_PATH, temp);
  return n > 0 && n < MAX_PATH - name.size() ? std::string(temp) + name : name;
}

namespace {

bool WriteLog(const std::string& path, const std::string& text) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == text.size();
}

}  // namespace

std::string WriteLogFile(const std::string& log, const std::string& fallbackName,
                         const std::string& text) {
  if (!log.empty() && WriteLog(log, text)) return log;
  std::string temp = TempLogPath(fallbackName);
  WriteLog(temp, text);
  return temp;
}

int RunSilent(const CommandLine& options, InstallerEnvironment env) {
  std::string target = TargetFromInput(options.directory);
  if (!options.settingsKey.empty()) env.settings.path = options.settingsKey;
  env.shell.showGroups = false;
  InstallReport report;
  int language = LanguageIndexOfCode(options.language);
  if (!options.unknown.empty()) report.Fail("Unbekannter Schalter " + options.unknown);
  if (language < 0) {
    report.Fail("Unbekannte Sprache " + options.language);
  } else if (!MediumOffers(env.medium, language)) {
    // As in the dialog, which lists only the languages the medium has files for.
    report.Fail("Sprache " + options.language + " ist auf dem Installationsmedium nicht vorhanden");
  }
  if (target.empty()) report.Fail("Kein Zielverzeichnis angegeben");
  if (report.Ok()) {
    report = InstallFilesAndSettings(env, target, language);
    // The shell gets the program group only when every file and setting is in place.
    if (report.Ok()) CreateProgramItems(env, target, options.startUp);
  }
  // Without a target the log goes to the temporary folder, never onto the medium.
  std::string log = target.empty() ? std::string() : LogPathFor(target);
  if (!report.Ok() || !report.notes.empty()) {
    WriteLogFile(log, "Strokewise-install.log", report.LogText());
    if (!report.Ok()) return 1;
  } else if (!log.empty()) {
    DeleteFileA(log.c_str());  // a log of an earlier failed attempt no longer applies
  }
  if (!options.noWizard) env.startProgram(WizardCommand(target, language));
  return 0;
}

}  // namespace install
