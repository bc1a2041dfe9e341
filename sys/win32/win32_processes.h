#pragma once
// Real processes through CreateProcessW, with anonymous pipes for output.

#include "sys/processes.h"

namespace prn::win32 {

class Win32Processes : public sys::Processes {
 public:
  sys::CapturedStart StartCaptured(const ustring& commandLine) override;
  sys::DetachedStart StartDetached(const ustring& commandLine, const ustring& currentDirectory) override;
};

}  // namespace prn::win32
