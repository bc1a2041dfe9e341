#include "sys/win32/hardening.h"

#include "trace/trace.h"

namespace prn::win32 {

namespace {

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
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

}  // namespace prn::win32
