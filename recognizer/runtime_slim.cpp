// Kurvo.exe's answers to the C++ runtime's error paths. A failed allocation or an index out of
// range cannot be recovered from in Kurvo, so these end the program at once. Defining them here
// keeps the runtime's versions out of the file: those bring the exception classes, a second
// string implementation and a name demangler, some 120 KB in all.
#include <cstdlib>
#include <new>

namespace std {
void __throw_bad_alloc() { abort(); }
void __throw_bad_array_new_length() { abort(); }
void __throw_length_error(const char*) { abort(); }
void __throw_logic_error(const char*) { abort(); }
void __throw_out_of_range(const char*) { abort(); }
void __throw_out_of_range_fmt(const char*, ...) { abort(); }
void __throw_invalid_argument(const char*) { abort(); }
void __throw_bad_function_call() { abort(); }
}  // namespace std

namespace __gnu_cxx {
void __verbose_terminate_handler() { abort(); }
}  // namespace __gnu_cxx
