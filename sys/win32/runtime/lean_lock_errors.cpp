// Linked only into the shipped libraries and the host, which use std::mutex
// and std::call_once but no std::future: they report a failed lock through
// std::__throw_system_error, whose archive member brings std::system_error
// and its string-built message, about 60 KB. The installer itself needs
// that member for std::future anyway, so it does not take this object.

#include <exception>

namespace {

class LockFault final : public std::exception {
 public:
  const char* what() const noexcept override { return "a lock or thread of the C++ runtime failed"; }
};

}  // namespace

namespace std {

void __throw_system_error(int) { throw LockFault(); }

}  // namespace std
