#pragma once
// Real processes through CreateProcessW, with a pipe for captured output.

#include <windows.h>

#include <mutex>
#include <vector>

#include "sys/processes.h"
#include "sys/win32/handle.h"

namespace prn::win32 {

// The calls that name the only handles a child may inherit (Vista and
// later). Windows XP has none of them; there a start relies on the pipe's
// end being the only handle of ours that is inheritable while the child is
// made (see StartCaptured).
struct HandleListCalls {
  BOOL(WINAPI* initialize)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD, PSIZE_T) = nullptr;
  BOOL(WINAPI* update)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD_PTR, PVOID, SIZE_T, PVOID, PSIZE_T) = nullptr;
  VOID(WINAPI* remove)(LPPROC_THREAD_ATTRIBUTE_LIST) = nullptr;

  // kernel32's, or none where it lacks any of the three.
  static HandleListCalls OfSystem();
  bool Present() const { return initialize && update && remove; }
};

class Win32Processes : public sys::Processes {
 public:
  Win32Processes() : Win32Processes(HandleListCalls::OfSystem()) {}
  explicit Win32Processes(const HandleListCalls& handleList) : handleList_(handleList) {}

  sys::CapturedStart StartCaptured(const ustring& commandLine) override;
  sys::DetachedStart StartDetached(const ustring& applicationName, const ustring& commandLine,
                                   const ustring& currentDirectory) override;
  int WaitForDetachedProcesses() override;

 private:
  void KeepDetached(HANDLE process);

  const HandleListCalls handleList_;
  std::mutex mutex_;
  std::vector<KernelHandle> detached_;  // our own copies of the detached children's handles
};

}  // namespace prn::win32
