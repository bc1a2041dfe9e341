#include "native/host64/win32/win32_profile_store.h"

#include "sys/win32/text.h"

namespace prn::host64 {

using win32::W;

int32_t Win32ProfileStore::ReadInteger(const ustring& path, ustring_view section, ustring_view key,
                                       int32_t defaultValue) {
  return static_cast<int32_t>(
      GetPrivateProfileIntW(W(ustring(section)), W(ustring(key)), defaultValue, W(path)));
}

ustring Win32ProfileStore::ReadString(const ustring& path, ustring_view section, ustring_view key,
                                      ustring_view defaultValue) {
  // Grows the buffer while the value fills it (the call cuts without saying so).
  for (DWORD size = 256;; size *= 2) {
    std::wstring buffer(size, L'\0');
    DWORD length = GetPrivateProfileStringW(W(ustring(section)), W(ustring(key)), W(ustring(defaultValue)),
                                            buffer.data(), size, W(path));
    if (length + 1 < size || size >= 65536) return win32::U(buffer.data(), length);
  }
}

uint32_t Win32ProfileStore::WriteString(const ustring& path, ustring_view section, ustring_view key,
                                        ustring_view value) {
  if (WritePrivateProfileStringW(W(ustring(section)), W(ustring(key)), W(ustring(value)), W(path))) return 0;
  return static_cast<uint32_t>(GetLastError());
}

}  // namespace prn::host64
