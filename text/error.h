#pragma once
// An error that stops an operation and carries a text for the user.

#include <stdexcept>

#include "text/ustring.h"

namespace prn {

class Error : public std::runtime_error {
 public:
  explicit Error(ustring text) : std::runtime_error(ToUtf8(text)), text_(std::move(text)) {}
  const ustring& Text() const noexcept { return text_; }

 private:
  ustring text_;
};

}  // namespace prn
