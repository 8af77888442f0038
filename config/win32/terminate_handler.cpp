// What ends config.exe when an exception escapes or a noexcept function throws: an immediate
// abort, as libstdc++ does when it is built without its verbose terminate handler. That handler
// first prints the exception's demangled type to the standard error, which a GUI program does
// not have, and it brings libstdc++'s demangler and the printf family with it, a quarter of the
// program file. Defined here, the library's own is never linked.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
