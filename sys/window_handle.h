#pragma once
// A window handle as the portable logic carries it: the HWND's value, wide
// enough for both builds. 0 is no window.

#include <cstdint>

namespace prn::sys {

using WindowHandle = std::uintptr_t;

}  // namespace prn::sys
