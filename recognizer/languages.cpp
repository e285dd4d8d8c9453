#include "languages.h"

#include <vector>

#include "text_util.h"

namespace kurvo {

namespace {
const char* const kCodes[kLanguageCount] = {"eng", "ger", "fre", "spa", "ita",
                                            "dut", "dan", "swe", "nor", "fin"};
}

std::string LanguageCode(int32_t index) {
  return index >= 0 && index < kLanguageCount ? kCodes[index] : "";
}

std::string LanguageLibraryName(int32_t index) { return "kvo_" + LanguageCode(index) + ".dll"; }
std::string HelpFileName(int32_t index) { return "kvo_" + LanguageCode(index) + ".hlp"; }
std::string QuickStartArgument(int32_t index) { return "qcks_" + LanguageCode(index); }

bool LanguageLibrary::Bind(const std::string& path) {
  Release();
  module = LoadLibraryA(path.c_str());
  if (!module) return false;
  tamrin = reinterpret_cast<KeystrokeFunction>(reinterpret_cast<void*>(GetProcAddress(module, "Tamrin")));
  velsor = reinterpret_cast<KeystrokeFunction>(reinterpret_cast<void*>(GetProcAddress(module, "Velsor")));
  return true;
}

void LanguageLibrary::Release() {
  if (module) FreeLibrary(module);
  module = nullptr;
  tamrin = velsor = nullptr;
}

std::string LanguageLibrary::String(UINT id, size_t limit) const {
  if (!module) return {};
  std::vector<char> buffer(limit + 1, 0);
  LoadStringA(module, id, buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}

std::vector<int32_t> DiscoverLanguages(const std::string& systemDir) {
  std::vector<int32_t> found;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((systemDir + "kvo_*.dll").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return found;
  do {
    std::string name = data.cFileName;
    size_t dot = name.rfind('.');
    std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    for (int i = 0; i < kLanguageCount && found.size() < kLanguageCount; ++i)
      if (base == std::string("kvo_") + kCodes[i]) found.push_back(i);
  } while (FindNextFileA(h, &data));
  FindClose(h);
  return found;
}

}  // namespace kurvo
