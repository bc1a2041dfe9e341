#pragma once
// Whether a handle names the path it was opened by, or whether a link on the
// way led somewhere else. It lives with the trace, the lowest layer that
// asks (its file goes through no link); sys/win32, above it, asks too.
//
// Vista and later tell the path through GetFinalPathNameByHandleW, looked up
// at run time. Windows XP lacks it; there the handle's object name from ntdll
// tells the same, since the system names an object it reached through a link
// by where the link led: "\Device\HarddiskVolume1\WINDOWS\Temp\x", turned
// back into "C:\WINDOWS\Temp\x" through the drive letters' own device names.

#include <windows.h>
#include <winternl.h>

#include <string>
#include <vector>

#include "trace/win32/ntdll.h"

namespace prn::win32 {

using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// The system's GetFinalPathNameByHandleW; null on Windows XP. Code that asks
// for paths takes it as a parameter, so that a test can ask without it.
inline FinalPathFunction SystemFinalPathFunction() {
  static const auto finalPath = reinterpret_cast<FinalPathFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
  return finalPath;
}

// "\\?\C:\x" and "\??\C:\x" as "C:\x", "\\?\UNC\server\share" and
// "\??\UNC\server\share" as "\\server\share"; anything else unchanged.
inline std::wstring WithoutNamespacePrefix(const std::wstring& path) {
  const bool prefixed = path.size() >= 4 && path[0] == L'\\' && (path[1] == L'\\' || path[1] == L'?') &&
                        path[2] == L'?' && path[3] == L'\\';
  if (!prefixed) return path;
  if (path.compare(4, 4, L"UNC\\") == 0) return L"\\" + path.substr(7);
  return path.substr(4);
}

// Equal as Windows compares names: ordinal, ignoring case by the system's
// own upper-case table (as CompareStringOrdinal, which Windows XP lacks).
inline bool SameWindowsPath(const std::wstring& a, const std::wstring& b) {
  using EqualFunction = BOOLEAN(NTAPI*)(const UNICODE_STRING*, const UNICODE_STRING*, BOOLEAN);
  static const auto equal = ntdll::Entry<EqualFunction>("RtlEqualUnicodeString");
  constexpr size_t kLongest = 0x7FFF;  // characters a UNICODE_STRING can count
  if (!equal || a.size() > kLongest || b.size() > kLongest) return false;
  auto counted = [](const std::wstring& text) {
    const auto bytes = static_cast<USHORT>(text.size() * sizeof(wchar_t));
    return UNICODE_STRING{bytes, bytes, const_cast<PWSTR>(text.c_str())};
  };
  const UNICODE_STRING first = counted(a), second = counted(b);
  return equal(&first, &second, TRUE) != FALSE;
}

// "\Device\HarddiskVolume1\x" as "C:\x" when C: is that device; empty when
// no drive letter names it. Wine names objects "\??\C:\x" already.
inline std::wstring DrivePathOfObjectName(const std::wstring& name) {
  if (name.rfind(L"\\??\\", 0) == 0) return WithoutNamespacePrefix(name);
  const DWORD drives = GetLogicalDrives();
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    if (!(drives & (1u << (letter - L'A')))) continue;
    const wchar_t drive[] = {letter, L':', L'\0'};
    wchar_t device[MAX_PATH];
    if (QueryDosDeviceW(drive, device, MAX_PATH) == 0) continue;
    const std::wstring prefix(device);  // the first of the strings it answers
    if (!prefix.empty() && name.size() > prefix.size() && name[prefix.size()] == L'\\' &&
        SameWindowsPath(name.substr(0, prefix.size()), prefix)) {
      return drive + name.substr(prefix.size());
    }
  }
  return {};
}

// What Windows XP can tell: the object's name, links resolved.
inline std::wstring FinalPathByObjectName(HANDLE handle) {
  static const auto queryObject = ntdll::Entry<ntdll::QueryObjectFunction>("NtQueryObject");
  if (!queryObject) return {};
  std::vector<BYTE> buffer(sizeof(OBJECT_NAME_INFORMATION) + 0x8000 * sizeof(wchar_t));
  ULONG needed = 0;
  if (!NT_SUCCESS(queryObject(handle, ObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                              &needed))) {
    return {};
  }
  const auto& name = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer.data())->Name;
  if (!name.Buffer || name.Length == 0) return {};
  return DrivePathOfObjectName(std::wstring(name.Buffer, name.Length / sizeof(wchar_t)));
}

// The path the system gives for what the handle names, links resolved,
// without the "\\?\" prefix; empty when it cannot tell. `finalPath` is the
// system's GetFinalPathNameByHandleW, or null where it has none.
inline std::wstring FinalPathOf(HANDLE handle, FinalPathFunction finalPath = SystemFinalPathFunction()) {
  if (!finalPath) return FinalPathByObjectName(handle);
  const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  DWORD size = finalPath(handle, nullptr, 0, flags);
  if (size == 0) return {};
  std::wstring path(size, L'\0');
  DWORD length = finalPath(handle, path.data(), size, flags);
  if (length == 0 || length >= size) return {};
  path.resize(length);
  return WithoutNamespacePrefix(path);
}

// True when the handle names `path` (a full path without the "\\?\" prefix)
// itself; false when a link led elsewhere, or when the system cannot tell.
inline bool HandleNamesPath(HANDLE handle, const std::wstring& path,
                            FinalPathFunction finalPath = SystemFinalPathFunction()) {
  const std::wstring final = FinalPathOf(handle, finalPath);
  return !final.empty() && SameWindowsPath(final, path);
}

}  // namespace prn::win32
