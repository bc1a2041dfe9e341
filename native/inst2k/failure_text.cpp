#include "native/inst2k/failure_text.h"

#include "native/inst2k/inst2k_strings.h"
#include "sys/system_info.h"
#include "text/format.h"

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

std::string FitAnsi(const sys::CodePage& codePage, const std::string& text, size_t bufferSize) {
  if (bufferSize == 0) return {};
  if (text.size() < bufferSize) return text;
  // Whole characters only, so that a double-byte character is never split.
  const ustring wide = codePage.FromAnsi(text);
  std::string fitted;
  for (size_t i = 0; i < wide.size();) {
    size_t units = (wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size()) ? 2 : 1;
    std::string character = codePage.ToAnsi(ustring_view(wide).substr(i, units));
    if (fitted.size() + character.size() >= bufferSize) break;
    fitted += character;
    i += units;
  }
  return fitted;
}

std::string ComposeFailureText(const sys::CodePage& codePage, const std::string& pattern,
                               const std::string& label, const std::optional<std::string>& systemText,
                               uint32_t code) {
  ustring format = codePage.FromAnsi(FitAnsi(codePage, pattern, kStringBufferSize));
  ustring labelText = codePage.FromAnsi(label);
  ustring composed = systemText ? Format(format, {labelText, codePage.FromAnsi(*systemText)})
                                : Format(format, {labelText, code});
  return FitAnsi(codePage, codePage.ToAnsi(composed), kBoxTextBufferSize);
}

}  // namespace prn::inst2k
