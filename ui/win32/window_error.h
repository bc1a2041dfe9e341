#pragma once
// No exception leaves a window procedure: a handler's failure is caught at
// the procedure, traced and shown to the user, and the message counts as
// handled.

#include <windows.h>

#include <exception>

#include "text/ustring.h"

namespace prn::ui {

// The caption of those boxes: the language file's ErrorTitle, which the form
// host sets once the texts are read and before any window exists. Until
// then the system's own caption for errors is used.
void SetWindowErrorCaption(const ustring& caption);

// The text a user reads for `error`: an error of the program's own says
// what failed; running out of memory and anything else get the system's own
// text in the user's language.
ustring WindowErrorText(const std::exception* error);

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
