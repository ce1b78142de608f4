// MinGW builds only: the program's handler for an uncaught exception, in place of libstdc++'s.
//
// The library's verbose handler prints the exception's demangled type to stderr, which a GUI
// program does not have, and brings the whole C++ demangler (about 45 KB) into the program.
// Ending the process at once is what the user would see either way.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
