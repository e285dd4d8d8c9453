// The installation medium as built: its texts and schemes are well formed for the programs that
// read them, its compressed files expand on the platform, and Install installs from it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "pump.h"
#include "registry_scope.h"
#include "temp_dir.h"

namespace {

std::string Source(const std::string& name) {
  return sw::test::HostToWinePath(MEDIUM_SOURCES "/" + name);
}
std::string Medium(const std::string& name) {
  return sw::test::HostToWinePath(MEDIUM_DIR "/" + name);
}
std::string Bytes(const std::string& path) {
  std::string b;
  sw::test::ReadFileBytes(path, &b);
  return b;
}
std::string Profile(const std::string& file, const std::string& section, const char* key) {
  char text[4096] = {};
  GetPrivateProfileStringA(section.c_str(), key, "", text, sizeof text, file.c_str());
  return text;
}

const std::set<std::string> kKeyNames = [] {
  std::set<std::string> names = {"CTRL", "SHIFT", "ALT", "CAPSLOCK", "NUMLOCK", "SCROLLOCK",
                                 "SPACE", "DEL", "PAUSE", "INSERT", "LEFT", "RIGHT", "UP", "DOWN",
                                 "PGUP", "PGDN", "HOME", "END", "ESC", "ENTER", "HELP", "PRTSC",
                                 "TAB", "BREAK", "CLEAR", "BACKSPACE", "SELECT", "EXECUTE"};
  for (int i = 1; i <= 16; ++i) names.insert("F" + std::to_string(i));
  for (int i = 0; i <= 9; ++i) names.insert("NUMPAD" + std::to_string(i));
  return names;
}();

const std::set<std::string> kSystemCommands = {
    "[Display Symbol Window]", "[Minimize active window]", "[Maximize active window]",
    "[Restore active window]", "[Quick exit Windows]",     "[Quick restart the computer]",
    "[Quick log off]"};

TEST(MediumSchemes, HeadersAndSlotsFitTheFieldsAndTheSymbolCatalogue) {
  for (const char* name : {"default.kvo", "notepad0.kvo", "quill0.kvo"}) {
    SCOPED_TRACE(name);
    std::string file = Source(name);
    std::string app = Profile(file, "App", "Name");
    EXPECT_FALSE(app.empty());
    EXPECT_LE(app.size(), 127u);
    EXPECT_LE(Profile(file, "App", "ID").size(), 63u);
    EXPECT_LE(Profile(file, "App", "Ver").size(), 7u);
    EXPECT_EQ(Profile(file, "App", "Lang"), "0");
    int type = atoi(Profile(file, "App", "Type").c_str());
    EXPECT_TRUE(type >= 0 && type <= 27);
    EXPECT_EQ(Profile(file, "S25", "Name"), "");
    std::set<int> symbols;
    for (int slot = 0; slot < 25; ++slot) {
      std::string section = "S" + std::to_string(slot);
      std::string slotName = Profile(file, section, "Name");
      if (slotName.empty()) continue;
      SCOPED_TRACE(slotName);
      EXPECT_LE(slotName.size(), 12u);  // what the symbols window's cells show in full
      int id = atoi(Profile(file, section, "ID").c_str());
      EXPECT_TRUE(id >= 1 && id <= 25);
      EXPECT_TRUE(symbols.insert(id).second) << "symbol " << id << " used twice";
      std::string p0 = Profile(file, section, "P0");
      EXPECT_FALSE(p0.empty());
      switch (atoi(Profile(file, section, "Type").c_str())) {
        case 1:
          if (p0[0] == '[') {
            EXPECT_TRUE(kSystemCommands.count(p0)) << p0;
          }
          break;
        case 2:
          for (const char* key : {"P0", "P1", "P2", "P3"}) {
            std::string field = Profile(file, section, key);
            for (char& c : field) c = static_cast<char>(toupper(c));
            EXPECT_TRUE(field.size() <= 1 || kKeyNames.count(field)) << field;
          }
          break;
        case 3:
        case 4:
          break;
        default:
          ADD_FAILURE() << "action type";
      }
    }
    EXPECT_GE(symbols.size(), 8u);
  }
}

TEST(MediumTexts, HelpHasEightSectionsThatFitTheViewer) {
  std::string help = Bytes(Source("kvo_eng.hlp"));
  ASSERT_FALSE(help.empty());
  EXPECT_EQ(help.find('\r'), std::string::npos);  // the viewer turns each LF into CR LF itself
  std::vector<std::string> titles;
  size_t pos = help.find('[');
  while (pos != std::string::npos) {
    size_t close = help.find(']', pos);
    ASSERT_NE(close, std::string::npos);
    titles.push_back(help.substr(pos + 1, close - pos - 1));
    size_t next = help.find('[', close);
    std::string text = help.substr(close + 1, next == std::string::npos ? next : next - close - 1);
    size_t lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_LE(text.size() + lines, 2047u) << titles.back();
    pos = next;
  }
  std::vector<std::string> expected = {"Quick help", "Drawing symbols", "Application header",
                                       "Shortcuts",  "Options",         "Languages",
                                       "Hook levels", "Sounds"};
  EXPECT_EQ(titles, expected);
  std::string quick = Bytes(Source("qcks_eng.qks"));
  EXPECT_GE(std::count(quick.begin(), quick.end(), '['), 4);
}

TEST(MediumFiles, CompressedFilesExpandOnThePlatformAndKnowTheirNames) {
  const char* files[][2] = {{"default.kv_", "default.kvo"}, {"kvo_eng.hl_", "kvo_eng.hlp"},
                            {"recogn.wa_", "recogn.wav"},   {"qcks_eng.qk_", "qcks_eng.qks"}};
  sw::test::TempDir out;
  for (const auto& f : files) {
    SCOPED_TRACE(f[0]);
    std::string packed = Medium(f[0]);
    char expanded[MAX_PATH] = {};
    lstrcpyA(expanded, packed.c_str());
    ASSERT_EQ(GetExpandedNameA(const_cast<char*>(packed.c_str()), expanded), 1);
    EXPECT_EQ(std::string(expanded), Medium(f[1]));
    OFSTRUCT a{}, b{};
    std::string target = out.File(f[1]);
    INT from = LZOpenFileA(const_cast<char*>(packed.c_str()), &a, OF_READ);
    INT to = LZOpenFileA(const_cast<char*>(target.c_str()), &b, OF_CREATE);
    ASSERT_GE(from, 0);
    ASSERT_GE(to, 0);
    EXPECT_GT(LZCopy(from, to), 0);
    LZClose(from);
    LZClose(to);
    EXPECT_TRUE(Bytes(target) == Bytes(Source(f[1])));
  }
  EXPECT_EQ(Bytes(Medium("Liesmich.txt")), Bytes(Source("Liesmich.txt")));
}

TEST(MediumFiles, InstallsFromTheMediumWithInstallExe) {
  if (!sw::test::FileExists(Medium("Install.exe"))) GTEST_SKIP() << "no Install.exe in this build";
  sw::test::TempDir root;
  sw::test::RegistryScope key(HKEY_LOCAL_MACHINE, "SOFTWARE\\StrokewiseTest\\Medium");
  std::string target = root.File("Strokewise");
  std::string command = "\"" + Medium("Install.exe") + "\" /S /NOWIZARD /KEY=" + key.Path() +
                        " /D=" + target;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string dir = sw::test::HostToWinePath(MEDIUM_DIR);
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             dir.c_str(), &si, &pi));
  // Messages are pumped meanwhile: the shell's DDE start-up sends to every top-level window.
  ASSERT_TRUE(sw::test::PumpUntil(
      [&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 60000));
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(code, 0u) << Bytes(target + "-install.log");
  for (const char* f : {"schemes\\default.kvo", "schemes\\notepad0.kvo", "schemes\\quill0.kvo",
                        "sounds\\recogn.wav", "system\\kvo_eng.hlp", "system\\qcks_eng.qks",
                        "liesmich.txt"}) {
    EXPECT_TRUE(sw::test::FileExists(target + "\\" + f)) << f;
  }
  EXPECT_TRUE(Bytes(target + "\\schemes\\default.kvo") == Bytes(Source("default.kvo")));
}

}  // namespace
