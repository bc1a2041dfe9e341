#pragma once
// A window handle as the portable logic carries it: an opaque number that
// only the Win32 side turns back into an HWND. 0 stands for no window.

#include <cstdint>

namespace prn::sys {

using WindowHandle = std::uintptr_t;

}  // namespace prn::sys
