// Linked as an object into every shipped binary. The threads library of the
// i686 toolchain imports GetTickCount64, which Windows XP does not have; an
// image with that import does not load there at all. Its import slot is
// filled here instead, with a function that looks the entry point up at run
// time and falls back to the 32-bit tick count (which wraps after 49.7 days;
// the library only measures short timeouts with it).

#include <windows.h>

#if defined(__i386__)

namespace {

using TickCount64Function = ULONGLONG(WINAPI*)();

ULONGLONG WINAPI TickCount64() {
  static const auto system = reinterpret_cast<TickCount64Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
  return system ? system() : GetTickCount();
}

}  // namespace

extern "C" {
TickCount64Function imported_GetTickCount64 __asm__("__imp__GetTickCount64@0") = &TickCount64;

// Code optimised at link time names the function itself rather than its
// import slot when the linker chooses archive members; without this name
// here the import library's member would be drawn in, slot and all.
ULONGLONG WINAPI LinkedTickCount64() __asm__("_GetTickCount64@0");
ULONGLONG WINAPI LinkedTickCount64() { return TickCount64(); }
}

#endif
