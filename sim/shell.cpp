#include "sim/shell.h"

#include "sim/files.h"
#include "text/ascii.h"

namespace prn::sim {

namespace {

// SHFileOperationW's answer for a path that is not there (DE_INVALIDFILES).
constexpr int kShellNoSuchFile = 0x7C;
constexpr intptr_t kExecuteSuccess = 42;

}  // namespace

void SimShell::SetExecuteResult(const ustring& file, intptr_t result) { executeResults_[AsciiUpper(file)] = result; }

std::optional<ustring> SimShell::ProgramFilesFolder(sys::WindowHandle) { return programFiles_; }

int SimShell::DeleteWithShell(const ustring& path, uint32_t flags, sys::WindowHandle owner) {
  deletions_.push_back({path, flags, owner});
  if (deleteFailure_) return deleteFailure_;
  if (!files_.DirectoryExists(path) && !files_.FileExists(path)) return kShellNoSuchFile;
  uint32_t code = files_.DeleteTree(path);
  return static_cast<int>(code);
}

intptr_t SimShell::Execute(sys::WindowHandle owner, const ustring& verb, const ustring& file, const ustring& parameters,
                           const ustring& directory, int showCommand) {
  return Record({owner, verb, file, parameters, directory, showCommand, false});
}

intptr_t SimShell::OpenAsDesktopUser(sys::WindowHandle owner, const ustring& target) {
  return Record({owner, u"open", target, u"", u"", sys::kSwShow, true});
}

intptr_t SimShell::Record(Execution execution) {
  auto result = executeResults_.find(AsciiUpper(execution.file));
  executions_.push_back(std::move(execution));
  return result != executeResults_.end() ? result->second : kExecuteSuccess;
}

}  // namespace prn::sim
