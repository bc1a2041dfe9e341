#pragma once
// Real message boxes.

#include "sys/dialogs.h"

namespace prn::win32 {

class Win32Dialogs : public sys::Dialogs {
 public:
  int ShowMessage(sys::WindowHandle owner, const ustring& text, const ustring& caption, uint32_t flags) override;
};

}  // namespace prn::win32
