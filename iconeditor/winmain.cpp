// ZwIcon's entry: the application title, the shared palette, the main window and the alert box,
// the command line's file names, and the message loop.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "application.h"
#include "main_form.h"
#include "message_boxes.h"
#include "zwicon.h"

using namespace zwicon;

// The runtime's default handler for an uncaught exception prints a demangled type name, which
// links a large demangler into the program; ending quietly is all the editor needs.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}
// Likewise the library's error paths of strings and containers (lengths beyond any the editor
// makes): ending at once keeps the exception classes and their strings out of the program.
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
void __throw_bad_cast() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
}
// Allocation that cannot fail quietly: out of memory ends the program (no exception machinery).
void* operator new(std::size_t n) {
  if (void* p = std::malloc(n ? n : 1)) return p;
  std::abort();
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

// The command line's arguments as the C runtime splits them, cut to a path's length.
static std::vector<std::string> Arguments() {
  std::vector<std::string> out;
  int n = 0;
  LPWSTR* w = CommandLineToArgvW(GetCommandLineW(), &n);
  if (!w) return out;
  for (int i = 1; i < n; ++i) {
    char buf[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, w[i], -1, buf, sizeof buf - 1, nullptr, nullptr);
    out.emplace_back(buf);
  }
  LocalFree(w);
  return out;
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show) {
  zw::App().Initialize(inst);
  zw::App().title = "Zonware Icon Editor";
  zw::ThePalette().Create();
  TheEditor().args = Arguments();
  TheEditor().showCommand = show;
  {
    TMainForm main;
    if (!main.Make()) return 1;
    zw::Boxes().alert = std::make_unique<zw::TAlertDialog>();
    if (!zw::Boxes().alert->Make()) zw::Boxes().alert.reset();
    main.Show();
    zw::App().Run();
    zw::Boxes().alert.reset();
  }
  zw::ThePalette().Destroy();
  return 0;
}
