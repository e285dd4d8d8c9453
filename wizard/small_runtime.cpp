// Keeps the C++ runtime's error reporting out of the program: the library's throw helpers and
// the verbose terminate handler would pull in exception classes, a demangler and locale support,
// past the size a delivered file may have. A failed allocation or an impossible length ends the
// program at once instead.
#include <windows.h>

#include <cstdlib>

namespace {
[[noreturn]] void Fail() {
  FatalAppExitA(0, "Out of memory");
  std::abort();
}
}  // namespace

namespace std {
void __throw_bad_alloc() { Fail(); }
void __throw_bad_array_new_length() { Fail(); }
void __throw_length_error(const char*) { Fail(); }
void __throw_logic_error(const char*) { Fail(); }
void __throw_out_of_range(const char*) { Fail(); }
void __throw_out_of_range_fmt(const char*, ...) { Fail(); }
void __throw_bad_function_call() { Fail(); }
void __throw_invalid_argument(const char*) { Fail(); }
}  // namespace std

namespace __gnu_cxx {
void __verbose_terminate_handler() { Fail(); }
}  // namespace __gnu_cxx
