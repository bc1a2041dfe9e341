#include "ui/win32/window_error.h"

#include <new>

#include "sys/system_queries.h"
#include "sys/win32/system_info.h"
#include "sys/win32/text.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::ui {

namespace {

ustring& Caption() {
  static ustring caption;
  return caption;
}

ustring SystemText(uint32_t code) { return sys::SystemErrorText(win32::Win32SystemInfo(), code, u""); }

}  // namespace

void SetWindowErrorCaption(const ustring& caption) { Caption() = caption; }

ustring WindowErrorText(const std::exception* error) {
  if (auto* own = dynamic_cast<const Error*>(error)) return own->Text();
  if (dynamic_cast<const std::bad_alloc*>(error)) return SystemText(ERROR_NOT_ENOUGH_MEMORY);
  return SystemText(ERROR_INTERNAL_ERROR);
}

void ReportWindowError(HWND window, const std::exception* error) noexcept {
  try {
    const ustring text = WindowErrorText(error);
    trace::Message(error && !dynamic_cast<const Error*>(error) ? text + u" " + FromUtf8(error->what()) : text,
                   u"window");
    HWND owner = window && IsWindow(window) ? GetAncestor(window, GA_ROOT) : nullptr;
    const ustring& caption = Caption();
    MessageBoxW(owner, win32::W(text), caption.empty() ? nullptr : win32::W(caption), MB_OK | MB_ICONERROR);
  } catch (...) {
    // Nothing more can be said.
  }
}

}  // namespace prn::ui
