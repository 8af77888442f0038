// What ends config.exe when the C++ library meets a failure it would report by throwing: an
// immediate abort. The program catches no exception, so a thrown one could only end in
// std::terminate anyway. Defined here, the library's own versions are never linked, and with
// them goes what only they need: the exception classes, the strings they hold and the unwinder.
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <new>
#include <stdexcept>

namespace __gnu_cxx {

// Called by std::terminate. The library's handler first prints the exception's demangled type
// to the standard error, which a GUI program does not have, and brings libstdc++'s demangler and
// the printf family with it.
void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx

// The helpers through which the standard containers and strings report a failure (a length
// beyond their maximum, an index out of range, no memory).
namespace std {

void __throw_bad_exception() {
  std::abort();
}
void __throw_bad_alloc() {
  std::abort();
}
void __throw_bad_array_new_length() {
  std::abort();
}
void __throw_bad_cast() {
  std::abort();
}
void __throw_bad_typeid() {
  std::abort();
}
void __throw_logic_error(const char*) {
  std::abort();
}
void __throw_domain_error(const char*) {
  std::abort();
}
void __throw_invalid_argument(const char*) {
  std::abort();
}
void __throw_length_error(const char*) {
  std::abort();
}
void __throw_out_of_range(const char*) {
  std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
  std::abort();
}
void __throw_runtime_error(const char*) {
  std::abort();
}
void __throw_range_error(const char*) {
  std::abort();
}
void __throw_overflow_error(const char*) {
  std::abort();
}
void __throw_underflow_error(const char*) {
  std::abort();
}

// Where one of the library's own checks of a precondition fails (libstdc++ 13 and later; before,
// the check is inline). The library's version prints to the standard error and is compiled with
// exception tables, which bring the exception runtime.
#if _GLIBCXX_RELEASE >= 13
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept {
  std::abort();
}
#endif

}  // namespace std

// Memory for new: the library's version throws std::bad_alloc when there is none, which alone
// would link the exception machinery and the unwinder. operator delete, the library's, frees it.
void* operator new(std::size_t size) {
  void* memory = std::malloc(size == 0 ? 1 : size);  // new gives a distinct address even for 0
  if (memory == nullptr) {
    std::abort();
  }
  return memory;
}
