#include "sys/win32/hardening.h"

#include <string>

// Loading libraries from where they belong: an object apart from the
// process-wide settings, which trace, so that a binary that only loads
// libraries does not carry the trace.

namespace prn::win32 {

namespace {

std::wstring SystemLibraryPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(folder, length) + L"\\" + name;
}

}  // namespace

bool LibrarySearchFlagsSupported() {
  // The update that brought the flags brought AddDllDirectory with them.
  static const bool supported = [] {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel && GetProcAddress(kernel, "AddDllDirectory") != nullptr;
  }();
  return supported;
}

HMODULE LoadSystemLibrary(const wchar_t* name) { return LoadSystemLibrary(name, LibrarySearchFlagsSupported()); }

HMODULE LoadSystemLibrary(const wchar_t* name, bool searchFlagsSupported) {
  if (searchFlagsSupported) {
    HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  }
  const std::wstring path = SystemLibraryPath(name);
  if (path.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
  }
  // A full path; its imports are then looked up in System32 first.
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE LoadLibraryWithItsFolder(const wchar_t* fullPath) {
  return LoadLibraryWithItsFolder(fullPath, LibrarySearchFlagsSupported());
}

HMODULE LoadLibraryWithItsFolder(const wchar_t* fullPath, bool searchFlagsSupported) {
  if (searchFlagsSupported) {
    HMODULE module =
        LoadLibraryExW(fullPath, nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  }
  return LoadLibraryExW(fullPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace prn::win32
