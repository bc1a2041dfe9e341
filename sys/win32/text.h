#pragma once
// The boundary between the logic's UTF-16 text and the W entry points.

#include <windows.h>

#include <string>

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

}  // namespace prn::win32
