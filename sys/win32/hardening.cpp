#include "sys/win32/hardening.h"

#include <string>

#include "trace/trace.h"

namespace prn::win32 {

namespace {

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::wstring SystemLibraryPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(folder, length) + L"\\" + name;
}

}  // namespace

HardeningResult HardenProcess() {
  HardeningResult result;
  // kernel32 is mapped into every process; no search is involved.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (!kernel) return result;

  if (auto setDefault = Lookup<BOOL(WINAPI*)(DWORD)>(kernel, "SetDefaultDllDirectories")) {
    result.dllDirectories = setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
  }
  if (auto setDllDirectory = Lookup<BOOL(WINAPI*)(LPCWSTR)>(kernel, "SetDllDirectoryW")) {
    result.dllSearchPath = setDllDirectory(L"") != FALSE;
  }
  if (auto setSearchPathMode = Lookup<BOOL(WINAPI*)(DWORD)>(kernel, "SetSearchPathMode")) {
    result.searchPathMode =
        setSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT) != FALSE;
  }
  if (auto heapSetInformation =
          Lookup<BOOL(WINAPI*)(HANDLE, HEAP_INFORMATION_CLASS, PVOID, SIZE_T)>(kernel, "HeapSetInformation")) {
    result.heapTermination = heapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0) != FALSE;
  }
#if defined(__i386__)
  // 64-bit processes always have DEP; the call exists for 32-bit ones.
  if (auto setDepPolicy = Lookup<BOOL(WINAPI*)(DWORD)>(kernel, "SetProcessDEPPolicy")) {
    result.dep = setDepPolicy(PROCESS_DEP_ENABLE) != FALSE;
  }
#else
  result.dep = true;
#endif
  trace::Format(u"Process hardened: DLL folders %d, DLL search path %d, safe search mode %d, heap termination %d, "
                u"DEP %d",
                {result.dllDirectories, result.dllSearchPath, result.searchPathMode, result.heapTermination,
                 result.dep});
  return result;
}

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
