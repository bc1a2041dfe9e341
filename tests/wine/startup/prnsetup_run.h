#pragma once
// Runs PrnSetup.exe (the build's own: x86_64 or the shipped i686) as a
// separate process, as a user would start it from a package folder, and
// finds its windows; the folders and the trace such a run leaves.

#include <windows.h>

#include <string>
#include <vector>

#include "sys/win32/handle.h"
#include "text/ustring.h"

namespace prn::testing {

class PrnSetupRun {
 public:
  // Starts `exe` with the parameters in the folder `currentDirectory`;
  // `suspended`: its first thread waits for Resume.
  PrnSetupRun(const ustring& exe, const ustring& parameters, const ustring& currentDirectory,
              bool suspended = false);
  ~PrnSetupRun();  // a run that is still going is ended
  PrnSetupRun(const PrnSetupRun&) = delete;
  PrnSetupRun& operator=(const PrnSetupRun&) = delete;

  bool Started() const { return static_cast<bool>(process_); }
  DWORD ProcessId() const { return processId_; }
  void Resume();
  // The first visible top-level window of the process, waiting up to `ms`.
  HWND WaitForVisibleWindow(DWORD ms) const;
  // A top-level window of the process with this caption, visible or not.
  HWND FindWindowByCaption(const ustring& caption) const;
  std::vector<HWND> TopLevelWindows() const;
  // Waits for the end; answers the exit code, or STILL_ACTIVE after `ms`.
  DWORD WaitForExit(DWORD ms);

 private:
  win32::KernelHandle process_;
  win32::KernelHandle thread_;
  DWORD processId_ = 0;
};

ustring WindowCaption(HWND window);
ustring WindowClassName(HWND window);

// The folder of this test program, where the build puts PrnSetup.exe.
ustring ThisFolder();
// %TEMP% as the user's processes see it, long form, with trailing backslash.
ustring UserTempFolder();
// Where the elevated installer makes its work folders (Wine runs every
// program elevated): the Windows folder's SystemTemp where it has one, else Temp.
ustring WorkFolderParent();
// A folder of the Linux host as Wine's Z: drive shows it.
ustring HostFolder(const char* unixPath);

// A copy of the example package with PrnSetup.exe in it, as shipped, in a
// fresh folder of the user's temporary folder; removed when it goes.
class PackageCopy {
 public:
  explicit PackageCopy(const char16_t* name);
  ~PackageCopy();
  PackageCopy(const PackageCopy&) = delete;
  PackageCopy& operator=(const PackageCopy&) = delete;

  bool Ready() const { return ready_; }
  const ustring& Root() const { return root_; }        // the fresh folder
  const ustring& Folder() const { return package_; }   // the package inside it
  const ustring& Exe() const { return exe_; }

 private:
  bool WritePackage();
  ustring root_, package_, exe_;
  bool ready_ = false;
};

// Where the elevated trace goes: <Windows>\\Logs\\PrnSetup.
ustring TraceFolder();
// The elevated trace of the runs whose PRNSETUP_TRACE named a file of this
// stem: every <Windows>\Logs\PrnSetup\<stem>-*.log, read as one text.
ustring ReadTrace(const ustring& stem);
// Those files' names, to remove them.
std::vector<ustring> TraceFiles(const ustring& stem);

}  // namespace prn::testing
