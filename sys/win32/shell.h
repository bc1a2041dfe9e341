#pragma once
// The real shell (shell32).

#include "sys/shell.h"

namespace prn::win32 {

class Win32Shell : public sys::Shell {
 public:
  std::optional<ustring> ProgramFilesFolder(sys::WindowHandle owner) override;
  int DeleteWithShell(const ustring& path, uint32_t flags, sys::WindowHandle owner) override;
  intptr_t Execute(sys::WindowHandle owner, const ustring& verb, const ustring& file, const ustring& parameters,
                   const ustring& directory, int showCommand) override;
  intptr_t OpenAsDesktopUser(sys::WindowHandle owner, const ustring& target) override;
};

}  // namespace prn::win32
