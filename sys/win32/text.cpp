#include "sys/win32/text.h"

namespace prn::win32 {

std::string Win32CodePage::ToAnsi(ustring_view text) const {
  if (text.empty()) return {};
  auto wide = reinterpret_cast<const wchar_t*>(text.data());
  int size = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

ustring Win32CodePage::FromAnsi(std::string_view text) const {
  if (text.empty()) return {};
  int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(size, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return ustring(out.begin(), out.end());
}

unsigned Win32CodePage::Id() const { return GetACP(); }

}  // namespace prn::win32
