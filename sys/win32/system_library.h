#pragma once
// Loading libraries so that no DLL planted in the package folder or the
// current directory takes the place of a system one.

#include <windows.h>

namespace prn::win32 {

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
