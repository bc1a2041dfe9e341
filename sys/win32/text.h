#pragma once
// The boundary between the logic's UTF-16 text and Windows: the W entry
// points take it as it is, the narrow ones through the system's ANSI code
// page (CP_ACP).

#include <windows.h>

#include <string>
#include <string_view>

#include "sys/system_info.h"
#include "text/ustring.h"

namespace prn::win32 {

inline const wchar_t* W(const ustring& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline wchar_t* W(ustring& text) { return reinterpret_cast<wchar_t*>(text.data()); }
inline ustring U(const wchar_t* text) {
  return text ? ustring(reinterpret_cast<const char16_t*>(text)) : ustring();
}
inline ustring U(const wchar_t* text, size_t length) {
  return ustring(reinterpret_cast<const char16_t*>(text), length);
}
inline std::wstring Wide(ustring_view text) { return std::wstring(text.begin(), text.end()); }

// An object of its own (text.cpp): the device-install library and the host
// need it without the rest of the system's parts.
class Win32CodePage : public sys::CodePage {
 public:
  std::string ToAnsi(ustring_view text) const override;
  ustring FromAnsi(std::string_view text) const override;
  unsigned Id() const override;
};

}  // namespace prn::win32
