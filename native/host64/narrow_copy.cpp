#include "native/host64/narrow_copy.h"

#include "sys/system_info.h"
#include "sys/win_errors.h"

namespace prn::host64 {

NarrowCopy CrtNarrowCopy(ustring_view text, size_t bufferSize) {
  NarrowCopy copy;
  for (char16_t c : text) {
    if (c > 0xFF) return {{}, winerr::NoUnicodeTranslation};
    copy.text.push_back(static_cast<char>(c));
  }
  if (copy.text.size() + 1 > bufferSize) return {{}, winerr::InsufficientBuffer};
  return copy;
}

NarrowCopy AnsiNarrowCopy(const sys::CodePage& codePage, ustring_view text, size_t bufferSize) {
  NarrowCopy copy{codePage.ToAnsi(text), 0};
  if (copy.text.size() + 1 > bufferSize) return {{}, winerr::InsufficientBuffer};
  return copy;
}

}  // namespace prn::host64
