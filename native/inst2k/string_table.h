#pragma once
// The library's string table as data, for a machine that loads the library
// without reading its resources.

#include <cstdint>
#include <vector>

#include "text/ustring.h"

namespace prn::inst2k {

struct TableString {
  uint16_t language;  // 1033 English, 2052 Simplified Chinese
  uint32_t id;
  ustring text;
};

const std::vector<TableString>& StringTable();

}  // namespace prn::inst2k
