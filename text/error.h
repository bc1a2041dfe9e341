#pragma once
// An error that stops an operation and carries a text for the user.

#include <exception>
#include <string>

#include "text/ustring.h"

namespace prn {

// Derives from std::exception, not std::runtime_error: the latter drags
// libstdc++'s reference-counted string into every shipped binary.
class Error : public std::exception {
 public:
  explicit Error(ustring text) : utf8_(ToUtf8(text)), text_(std::move(text)) {}
  const ustring& Text() const noexcept { return text_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::string utf8_;
  ustring text_;
};

}  // namespace prn
