#include "sys/win32/registry.h"

#include "sys/win32/handle.h"
#include "sys/win32/text.h"

namespace prn::win32 {

namespace {

REGSAM ViewFlag(sys::RegistryView view) {
  switch (view) {
    case sys::RegistryView::Force32: return KEY_WOW64_32KEY;
    case sys::RegistryView::Force64: return KEY_WOW64_64KEY;
    case sys::RegistryView::Default: break;
  }
  return 0;
}

uint32_t Open(const ustring& path, REGSAM access, sys::RegistryView view, RegKey& key) {
  return static_cast<uint32_t>(
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, W(path), 0, access | ViewFlag(view), key.Receive()));
}

// What RegDeleteTreeW does, for systems without it: the key's subkeys,
// depth first. Always enumerates index 0, as each pass deletes it.
LSTATUS DeleteSubkeys(HKEY key) {
  for (;;) {
    wchar_t name[256];  // the longest key name is 255 characters
    DWORD length = ARRAYSIZE(name);
    LSTATUS status = RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    {
      RegKey child;
      status = RegOpenKeyExW(key, name, 0, KEY_ALL_ACCESS, child.Receive());
      if (status != ERROR_SUCCESS) return status;
      if ((status = DeleteSubkeys(child.Get())) != ERROR_SUCCESS) return status;
    }
    if ((status = RegDeleteKeyW(key, name)) != ERROR_SUCCESS) return status;
  }
}

}  // namespace

uint32_t Win32Registry::OpenKey(const ustring& path, sys::RegistryView view) {
  RegKey key;
  return Open(path, KEY_READ, view, key);
}

uint32_t Win32Registry::CreateKey(const ustring& path, sys::RegistryView view) {
  RegKey key;
  return static_cast<uint32_t>(RegCreateKeyExW(HKEY_LOCAL_MACHINE, W(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                               KEY_ALL_ACCESS | ViewFlag(view), nullptr, key.Receive(), nullptr));
}

uint32_t Win32Registry::DeleteTree(const ustring& path, sys::RegistryView view) {
  // Both entry points are newer than Windows XP, where the device-install
  // library must still load: looked up at run time, with XP's own calls
  // (which know no registry views, as XP has none) in their place.
  using DeleteTreeFunction = LSTATUS(WINAPI*)(HKEY, LPCWSTR);
  using DeleteKeyExFunction = LSTATUS(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
  const auto deleteTree =
      reinterpret_cast<DeleteTreeFunction>(reinterpret_cast<void*>(GetProcAddress(advapi, "RegDeleteTreeW")));
  const auto deleteKeyEx =
      reinterpret_cast<DeleteKeyExFunction>(reinterpret_cast<void*>(GetProcAddress(advapi, "RegDeleteKeyExW")));
  {
    RegKey key;
    if (uint32_t status = Open(path, KEY_ALL_ACCESS, view, key)) return status;
    LSTATUS status = deleteTree ? deleteTree(key.Get(), nullptr) : DeleteSubkeys(key.Get());
    if (status != ERROR_SUCCESS) return static_cast<uint32_t>(status);
  }
  if (deleteKeyEx) return static_cast<uint32_t>(deleteKeyEx(HKEY_LOCAL_MACHINE, W(path), ViewFlag(view), 0));
  return static_cast<uint32_t>(RegDeleteKeyW(HKEY_LOCAL_MACHINE, W(path)));
}

uint32_t Win32Registry::EnumerateSubkeys(const ustring& path, std::vector<ustring>& names, sys::RegistryView view) {
  RegKey key;
  if (uint32_t status = Open(path, KEY_READ, view, key)) return status;
  names.clear();
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];  // the longest key name is 255 characters
    DWORD length = ARRAYSIZE(name);
    LSTATUS status = RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return 0;
    if (status != ERROR_SUCCESS) return static_cast<uint32_t>(status);
    names.push_back(U(name, length));
  }
}

uint32_t Win32Registry::ReadValue(const ustring& path, const ustring& name, sys::RegistryValue& value,
                                  sys::RegistryView view) {
  RegKey key;
  if (uint32_t status = Open(path, KEY_QUERY_VALUE, view, key)) return status;
  for (;;) {
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key.Get(), W(name), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) return static_cast<uint32_t>(status);
    std::string data(size, '\0');
    status = RegQueryValueExW(key.Get(), W(name), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) continue;  // grew between the two calls
    if (status != ERROR_SUCCESS) return static_cast<uint32_t>(status);
    data.resize(size);
    value.type = type;
    value.data = std::move(data);
    return 0;
  }
}

uint32_t Win32Registry::WriteValue(const ustring& path, const ustring& name, const sys::RegistryValue& value,
                                   sys::RegistryView view) {
  RegKey key;
  if (uint32_t status = Open(path, KEY_SET_VALUE, view, key)) return status;
  return static_cast<uint32_t>(RegSetValueExW(key.Get(), W(name), 0, value.type,
                                              reinterpret_cast<const BYTE*>(value.data.data()),
                                              static_cast<DWORD>(value.data.size())));
}

}  // namespace prn::win32
