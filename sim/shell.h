#pragma once
// The simulated shell: the Program Files folder it reports, deletions done
// on the simulated disks, and a log of what was opened. Each can fail.

#include <map>
#include <optional>
#include <vector>

#include "sys/shell.h"

namespace prn::sim {

class SimFileSystem;

class SimShell : public sys::Shell {
 public:
  struct Deletion {
    ustring path;
    uint32_t flags;
    sys::WindowHandle owner;
  };
  struct Execution {
    sys::WindowHandle owner;
    ustring verb, file, parameters, directory;
    int showCommand;
    bool asDesktopUser;  // opened by the desktop's shell, not by the (elevated) installer
  };

  explicit SimShell(SimFileSystem& files) : files_(files) {}

  // Nothing makes the folder query fail.
  void SetProgramFilesFolder(std::optional<ustring> folder) { programFiles_ = std::move(folder); }
  // Every deletion answers `code` and deletes nothing (0 ends that).
  void FailDeletions(int code) { deleteFailure_ = code; }
  // What ShellExecuteW answers for a file, elevated or as the desktop's
  // user (42, a success, for any other).
  void SetExecuteResult(const ustring& file, intptr_t result);

  const std::vector<Deletion>& Deletions() const { return deletions_; }
  const std::vector<Execution>& Executions() const { return executions_; }

  std::optional<ustring> ProgramFilesFolder(sys::WindowHandle owner) override;
  int DeleteWithShell(const ustring& path, uint32_t flags, sys::WindowHandle owner) override;
  intptr_t Execute(sys::WindowHandle owner, const ustring& verb, const ustring& file, const ustring& parameters,
                   const ustring& directory, int showCommand) override;
  intptr_t OpenAsDesktopUser(sys::WindowHandle owner, const ustring& target) override;

 private:
  intptr_t Record(Execution execution);

  SimFileSystem& files_;
  std::optional<ustring> programFiles_ = u"C:\\Program Files";
  int deleteFailure_ = 0;
  std::map<ustring, intptr_t> executeResults_;
  std::vector<Deletion> deletions_;
  std::vector<Execution> executions_;
};

}  // namespace prn::sim
