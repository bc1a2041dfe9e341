#pragma once
// Runs the x86_64 PrnSetup.exe as a separate process, as a user would start
// it from a package folder, and finds its windows.

#include <windows.h>

#include <string>
#include <vector>

#include "sys/win32/win32_handle.h"
#include "text/ustring.h"

namespace prn::testing {

class PrnSetupRun {
 public:
  // Starts `exe` with the parameters in the folder `currentDirectory`.
  PrnSetupRun(const ustring& exe, const ustring& parameters, const ustring& currentDirectory);
  ~PrnSetupRun();  // a run that is still going is ended
  PrnSetupRun(const PrnSetupRun&) = delete;
  PrnSetupRun& operator=(const PrnSetupRun&) = delete;

  bool Started() const { return static_cast<bool>(process_); }
  // The first visible top-level window of the process, waiting up to `ms`.
  HWND WaitForVisibleWindow(DWORD ms) const;
  // A top-level window of the process with this caption, visible or not.
  HWND FindWindowByCaption(const ustring& caption) const;
  std::vector<HWND> TopLevelWindows() const;
  // Waits for the end; answers the exit code, or STILL_ACTIVE after `ms`.
  DWORD WaitForExit(DWORD ms);

 private:
  win32::KernelHandle process_;
  DWORD processId_ = 0;
};

ustring WindowCaption(HWND window);
ustring WindowClassName(HWND window);

}  // namespace prn::testing
