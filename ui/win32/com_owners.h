#pragma once
// COM for the thread that decodes pictures, and owners for the interface
// pointers it hands out (one set for every layer: sys/win32/win32_com.h).

#include "sys/win32/win32_com.h"

namespace prn::ui {
using win32::ComRef;
using win32::ComScope;
}  // namespace prn::ui
