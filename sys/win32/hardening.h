#pragma once
// Keeping planted code out of an elevated installer: process-wide
// protections that it turns on before it loads anything (DLLs only from
// System32, a safe search order, termination on heap corruption and DEP),
// and loading libraries so that no DLL planted in the package folder or the
// current directory takes the place of a system one. Each call newer than
// Windows XP is looked up at run time, so a system that lacks one still
// starts.

#include <windows.h>

namespace prn::win32 {

struct HardeningResult {
  bool dllDirectories = false;  // SetDefaultDllDirectories(System32 only)
  bool dllSearchPath = false;   // SetDllDirectoryW(""): no current directory
  bool searchPathMode = false;  // SetSearchPathMode(safe, permanent)
  bool heapTermination = false; // HeapSetInformation(terminate on corruption)
  bool dep = false;             // SetProcessDEPPolicy (32-bit processes only)
};

// Turns them on and traces which took, so that the trace of a program as it
// was started shows it (its entry calls this first of all).
HardeningResult HardenProcess();

// Whether LoadLibraryExW knows the LOAD_LIBRARY_SEARCH_* flags (Windows 8,
// and Vista/7 with the update that added them).
bool LibrarySearchFlagsSupported();

// A system DLL from System32 only: by the search flag where the system has
// it, otherwise by its full path in GetSystemDirectoryW, never by bare name.
HMODULE LoadSystemLibrary(const wchar_t* name);
HMODULE LoadSystemLibrary(const wchar_t* name, bool searchFlagsSupported);

// A library by full path whose own imports are looked up beside it first,
// then in the default folders (System32).
HMODULE LoadLibraryWithItsFolder(const wchar_t* fullPath);
HMODULE LoadLibraryWithItsFolder(const wchar_t* fullPath, bool searchFlagsSupported);

}  // namespace prn::win32
