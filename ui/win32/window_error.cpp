#include "ui/win32/window_error.h"

#include "sys/win32/win32_text.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::ui {

void ReportWindowError(HWND window, const std::exception* error) noexcept {
  try {
    ustring text = u"Unexpected error.";
    if (auto* own = dynamic_cast<const Error*>(error)) text = own->Text();
    else if (error) text = FromUtf8(error->what());
    trace::Message(text, u"window");
    HWND owner = window && IsWindow(window) ? GetAncestor(window, GA_ROOT) : nullptr;
    MessageBoxW(owner, win32::W(text), L"PrnSetup", MB_OK | MB_ICONERROR);
  } catch (...) {
    // Nothing more can be said.
  }
}

}  // namespace prn::ui
