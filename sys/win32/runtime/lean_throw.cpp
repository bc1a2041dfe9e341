// Linked as an object into every shipped binary. libstdc++ keeps all its
// std::__throw_* helpers in one archive member whose logic_error family
// carries reference-counted strings, and pulling it in for the one
// std::__throw_bad_alloc that every container needs costs about 80 KB of
// string code. These replacements throw what the originals throw where that
// is cheap; the standard error classes that would carry a string become one
// exception with the library's fixed message. Nothing in the installer
// catches those classes by name: they only mean a programming error, and the
// message still reaches the user through std::exception::what().
//
// The terminate handler is replaced too: libstdc++'s default one demangles
// the type of the escaping exception and prints it to a console that a GUI
// program does not have; the demangler alone is about 50 KB. Terminating
// plainly says the same to Windows Error Reporting.

#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryFault final : public std::exception {
 public:
  explicit LibraryFault(const char* message) noexcept : message_(message ? message : "") {}
  const char* what() const noexcept override { return message_; }

 private:
  const char* message_;  // libstdc++ passes string literals
};

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_bad_exception() { throw bad_exception(); }
void __throw_logic_error(const char* message) { throw LibraryFault(message); }
void __throw_domain_error(const char* message) { throw LibraryFault(message); }
void __throw_invalid_argument(const char* message) { throw LibraryFault(message); }
void __throw_length_error(const char* message) { throw LibraryFault(message); }
void __throw_out_of_range(const char* message) { throw LibraryFault(message); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryFault(format); }
void __throw_runtime_error(const char* message) { throw LibraryFault(message); }
void __throw_range_error(const char* message) { throw LibraryFault(message); }
void __throw_overflow_error(const char* message) { throw LibraryFault(message); }
void __throw_underflow_error(const char* message) { throw LibraryFault(message); }
}  // namespace std

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
