// Linked as an object into every shipped binary. libstdc++'s default
// terminate handler demangles the type of the escaping exception and prints
// it to a console that a GUI program does not have; the demangler alone is
// about 50 KB. Terminating plainly says the same to Windows Error Reporting.

#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
