#pragma once
// The real machine under Wine as a contract test sees it: the Win32
// implementations in the test prefix, and whatever a test creates there
// (see contract/scene.h) removed before and after it.

#include "sys/win32/system_info.h"
#include "sys/win32/files.h"
#include "sys/win32/processes.h"
#include "sys/win32/registry.h"
#include "sys/win32/spooler.h"
#include "contract/test_command.h"

namespace prn::contract {

class Win32Machine {
 public:
  static constexpr const char* kName = "Win32";

  Win32Machine();
  ~Win32Machine();
  Win32Machine(const Win32Machine&) = delete;
  Win32Machine& operator=(const Win32Machine&) = delete;

  sys::Spooler& Spooler() { return spooler_; }
  sys::LastError& LastError() { return lastError_; }
  sys::FileSystem& Files() { return files_; }
  sys::Registry& Registry() { return registry_; }
  sys::Processes& Processes() { return processes_; }

  ustring ScratchFolder() const;
  // Where a driver's files are staged before the spooler installs them.
  ustring DriverDirectory() const;
  // This program's driver environment, and the other one.
  ustring OwnEnvironment() const;
  ustring OtherEnvironment() const;

  // Writes `word` and a line end, and ends with 0 (cmd.exe's echo).
  TestCommand CommandThatPrints(const ustring& word) const;
  // Writes nothing and ends with `code` (cmd.exe's exit).
  TestCommand CommandThatExits(uint32_t code) const;
  // Writes a line, closes its output, and runs on for a second and a half;
  // then creates `file` (a relative name in its current directory) and ends
  // with 0 (the test child, built beside this program).
  TestCommand CommandThatLeavesAFile(const ustring& file) const;

  // A queue of this name, as often as Wine let it be added.
  void DeletePrinterIfPresent(const ustring& name);

 private:
  void CleanUp();
  void DeleteLocalPort(const ustring& name);
  void RemoveTestDriver();
  void ForgetDefaultPrinterIfOurs();
  void RemoveRegistryRoot();

  win32::Win32Spooler spooler_;
  win32::Win32LastError lastError_;
  win32::Win32FileSystem files_;
  win32::Win32Registry registry_;
  win32::Win32Processes processes_;
};

}  // namespace prn::contract
