#pragma once
// No exception leaves a window procedure: a handler's failure is caught at
// the procedure, traced and shown to the user, and the message counts as
// handled.

#include <windows.h>

#include <exception>

namespace prn::ui {

void ReportWindowError(HWND window, const std::exception* error) noexcept;

template <typename Result, typename Handler>
Result Guarded(HWND window, Result fallback, Handler&& handler) noexcept {
  try {
    return handler();
  } catch (const std::exception& error) {
    ReportWindowError(window, &error);
  } catch (...) {
    ReportWindowError(window, nullptr);
  }
  return fallback;
}

}  // namespace prn::ui
