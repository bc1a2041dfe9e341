#pragma once
// Whether a handle names the path it was opened by, or whether a link on the
// way led somewhere else. Header-only, so that the trace, which lies below
// sys/win32, can ask too. The Vista calls are looked up at run time: Windows
// XP lacks them, and a library that imports them does not load there.

#include <windows.h>

#include <string>

namespace prn::win32 {

// The path the system gives for what the handle names, links resolved,
// without the "\\?\" prefix; empty when it cannot tell.
inline std::wstring FinalPathOf(HANDLE handle) {
  using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
  static const auto finalPath = reinterpret_cast<FinalPathFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
  if (!finalPath) return {};
  const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  DWORD size = finalPath(handle, nullptr, 0, flags);
  if (size == 0) return {};
  std::wstring path(size, L'\0');
  DWORD length = finalPath(handle, path.data(), size, flags);
  if (length == 0 || length >= size) return {};
  path.resize(length);
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + path.substr(7);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

inline bool SameWindowsPath(const std::wstring& a, const std::wstring& b) {
  using CompareFn = int(WINAPI*)(LPCWCH, int, LPCWCH, int, BOOL);
  static const auto compare = reinterpret_cast<CompareFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CompareStringOrdinal")));
  if (!compare) return lstrcmpiW(a.c_str(), b.c_str()) == 0;
  return compare(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// True when the handle names `path` (a full path without the "\\?\" prefix)
// itself. Where the system cannot tell (Windows XP), the handle's own
// attributes must at least show no link.
inline bool HandleNamesPath(HANDLE handle, const std::wstring& path) {
  const std::wstring final = FinalPathOf(handle);
  if (!final.empty()) return SameWindowsPath(final, path);
  BY_HANDLE_FILE_INFORMATION info{};
  return GetFileInformationByHandle(handle, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace prn::win32
