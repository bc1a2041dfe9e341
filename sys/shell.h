#pragma once
// The Windows shell (shell32): special folders, file operations and opening
// documents, links and programs.

#include <cstdint>
#include <optional>

#include "sys/dialogs.h"
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
  // ShellExecuteW of this (elevated) process: for what is part of the
  // install, such as the entry's AfterRun. Answers its result, greater than
  // 32 on success.
  virtual intptr_t Execute(WindowHandle owner, const ustring& verb, const ustring& file,
                           const ustring& parameters, const ustring& directory, int showCommand) = 0;
  // Opens a document, folder or web address (a full path, or a web link) as
  // the desktop's user, not elevated: through the shell that runs the
  // desktop (IShellWindows, then IShellDispatch2::ShellExecute), verb
  // "open", shown. Only where no such shell runs does this process's
  // ShellExecuteW open it. Answers as ShellExecuteW does: greater than 32
  // when it opened, 31 when no program is associated with the file's type,
  // another code of 32 or less when it failed.
  virtual intptr_t OpenAsDesktopUser(WindowHandle owner, const ustring& target) = 0;
};

}  // namespace prn::sys
