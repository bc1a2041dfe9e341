#pragma once
// Real processes through CreateProcessW, with a pipe for captured output.

#include <mutex>
#include <vector>

#include "sys/processes.h"
#include "sys/win32/win32_handle.h"

namespace prn::win32 {

class Win32Processes : public sys::Processes {
 public:
  sys::CapturedStart StartCaptured(const ustring& commandLine) override;
  sys::DetachedStart StartDetached(const ustring& applicationName, const ustring& commandLine,
                                   const ustring& currentDirectory) override;
  int WaitForDetachedProcesses() override;

 private:
  void KeepDetached(HANDLE process);

  std::mutex mutex_;
  std::vector<KernelHandle> detached_;  // our own copies of the detached children's handles
};

}  // namespace prn::win32
