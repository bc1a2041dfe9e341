#include "native/inst2k/string_table.h"

#include "native/inst2k/inst2k_strings.h"

namespace prn::inst2k {

const std::vector<TableString>& StringTable() {
  static const std::vector<TableString> table = {
      {1033, IDS_FAIL_WITH_SYSTEM_TEXT, FromUtf8(TEXT_EN_FAIL_WITH_SYSTEM_TEXT)},
      {1033, IDS_FAIL_WITH_CODE, FromUtf8(TEXT_EN_FAIL_WITH_CODE)},
      {1033, IDS_ERROR_CAPTION, FromUtf8(TEXT_EN_ERROR_CAPTION)},
      {1033, IDS_INF_NOT_FOUND, FromUtf8(TEXT_EN_INF_NOT_FOUND)},
      {2052, IDS_FAIL_WITH_SYSTEM_TEXT, FromUtf8(TEXT_SC_FAIL_WITH_SYSTEM_TEXT)},
      {2052, IDS_FAIL_WITH_CODE, FromUtf8(TEXT_SC_FAIL_WITH_CODE)},
      {2052, IDS_ERROR_CAPTION, FromUtf8(TEXT_SC_ERROR_CAPTION)},
      {2052, IDS_INF_NOT_FOUND, FromUtf8(TEXT_SC_INF_NOT_FOUND)},
  };
  return table;
}

}  // namespace prn::inst2k
