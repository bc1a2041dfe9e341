#pragma once
// Narrow text in the system's ANSI code page (CP_ACP on Windows).

#include <string>
#include <string_view>

#include "text/ustring.h"

namespace prn::sys {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // Characters the code page cannot hold become '?', as WideCharToMultiByte does.
  virtual std::string ToAnsi(ustring_view text) const = 0;
  virtual ustring FromAnsi(std::string_view text) const = 0;
  virtual unsigned Id() const = 0;
};

}  // namespace prn::sys
