#pragma once
// The Windows shell (shell32): special folders, file operations and opening
// documents.

#include <cstdint>
#include <optional>

#include "sys/window_handle.h"
#include "text/ustring.h"

namespace prn::sys {

// SHFileOperationW flags.
constexpr uint32_t kFofSilent = 0x4;
constexpr uint32_t kFofNoConfirmation = 0x10;
constexpr uint32_t kFofNoErrorUi = 0x400;

// ShowWindow commands.
constexpr int kSwHide = 0;
constexpr int kSwShow = 5;

class Shell {
 public:
  virtual ~Shell() = default;

  // The Program Files folder as the shell reports it to this process
  // (CSIDL_PROGRAM_FILES, not created); nothing when the shell cannot tell.
  virtual std::optional<ustring> ProgramFilesFolder(WindowHandle owner) = 0;
  // Deletes a file or folder with all its contents (FO_DELETE with `flags`);
  // answers the shell's code, 0 when it is done.
  virtual int DeleteWithShell(const ustring& path, uint32_t flags, WindowHandle owner) = 0;
  // ShellExecuteW; answers its result, greater than 32 on success.
  virtual intptr_t Execute(WindowHandle owner, const ustring& verb, const ustring& file,
                           const ustring& parameters, const ustring& directory, int showCommand) = 0;
};

}  // namespace prn::sys
