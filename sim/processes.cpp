#include <algorithm>
#include <vector>

#include "sim/files.h"
#include "sim/processes.h"
#include "sim/system_info.h"
#include "sys/files.h"
#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/command_line.h"
#include "text/winpath.h"

namespace prn::sim {

// One run, shared by the process object and the table, which may end it.
struct SimProcesses::RunState {
  explicit RunState(ProgramRun r) : run(std::move(r)) {}
  ProgramRun run;
  size_t offset = 0;
  bool ending = false;  // at its work, which ends it
  bool ended = false;
};

namespace {

class SimProcess : public sys::CapturedProcess {
 public:
  explicit SimProcess(std::shared_ptr<SimProcesses::RunState> state) : state_(std::move(state)) {}

  void WaitForEnd() override {
    // Waiting for a program from inside its own work (its SendMessageW to a
    // window of the waiter) never returns on Windows.
    if (state_->ending) throw SimDeadlock("a process is waited for while it is still at work: a deadlock on Windows");
    End();
  }

  bool StillActive() override {
    if (state_->ended) return false;
    if (state_->ending) return true;  // still at work
    if (state_->run.activePolls > 0) {
      --state_->run.activePolls;
      return true;
    }
    End();
    return false;
  }

  uint32_t ExitCode() override { return StillActive() ? winerr::StillActive : state_->run.exitCode; }

  Read ReadOutput(std::string& chunk, size_t maxBytes) override {
    const std::string& output = state_->run.output;
    if (state_->offset < output.size()) {
      chunk = output.substr(state_->offset, maxBytes);
      state_->offset += chunk.size();
      return Read::Data;
    }
    chunk.clear();
    return state_->run.readFails ? Read::Failed : Read::End;
  }

 private:
  // The program is alive while it does its work (the host, say, until its
  // message to the window has been handled) and ends after it.
  void End() {
    if (state_->ended || state_->ending) return;
    state_->ending = true;
    if (state_->run.atEnd) state_->run.atEnd();
    state_->ending = false;
    state_->ended = true;
  }

  std::shared_ptr<SimProcesses::RunState> state_;
};

ustring ProgramKey(ustring_view programName) {
  ustring key = AsciiUpper(FileNamePart(programName));
  if (key.size() < 4 || key.compare(key.size() - 4, 4, u".EXE") != 0) key += u".EXE";
  return key;
}

}  // namespace

SimProcesses::SimProcesses(const SimFileSystem& files, const SimSystemInfo& system)
    : files_(files), system_(system) {}

void SimProcesses::Script(const ustring& commandLine, ScriptedCommand command) {
  scripts_[AsciiUpper(commandLine)] = std::move(command);
}

void SimProcesses::InstallProgram(const ustring& fileName, ProgramBehaviour behaviour) {
  programs_[ProgramKey(fileName)] = std::move(behaviour);
}

SimProcesses::Launch SimProcesses::Resolve(const ProcessStartInfo& info) {
  Launch launch;
  launch.pipeError = info.captured ? pipeError_ : 0;
  if (auto script = scripts_.find(AsciiUpper(info.commandLine)); script != scripts_.end()) {
    if (info.captured && !launch.pipeError) launch.pipeError = script->second.pipeError;
    launch.startError = script->second.startError;
    launch.run = script->second.run;
    return launch;
  }
  if (info.program.empty()) {
    launch.startError = winerr::FileNotFound;
    return launch;
  }
  auto program = programs_.find(ProgramKey(info.program));
  if (!launch.pipeError && program != programs_.end()) launch.run = program->second(info);
  launch.startError = launch.run.startError;
  return launch;
}

sys::CapturedStart SimProcesses::StartCaptured(const ustring& commandLine) {
  ProcessStartInfo info{commandLine, u"", SplitCommandLine(commandLine), true};
  info.program = FindProgramFile(files_, {system_.ExecutableFolder(), system_.SystemDirectory()}, u"", commandLine);
  sys::CapturedStart start;
  Launch launch = Resolve(info);
  if (launch.pipeError) {
    start.failure = sys::CapturedStart::Failure::Pipe;
    start.error = launch.pipeError;
    return start;
  }
  if (launch.startError) {
    start.failure = sys::CapturedStart::Failure::Process;
    start.error = launch.startError;
    return start;
  }
  started_.push_back(info);
  start.process = std::make_unique<SimProcess>(std::make_shared<RunState>(std::move(launch.run)));
  return start;
}

sys::DetachedStart SimProcesses::StartDetached(const ustring& applicationName, const ustring& commandLine,
                                               const ustring& currentDirectory) {
  ProcessStartInfo info{commandLine, currentDirectory, SplitCommandLine(commandLine), false, applicationName};
  // A folder held with delete access cannot be the child's current
  // directory: it starts in the Windows folder instead (as under Wine).
  if (files_.FolderHeldForDelete(currentDirectory)) info.currentDirectory = system_.WindowsDirectory();
  info.program =
      FindProgramFile(files_, {system_.ExecutableFolder(), system_.SystemDirectory()}, applicationName, commandLine);
  sys::DetachedStart start;
  Launch launch = Resolve(info);
  if (launch.startError) {
    start.error = launch.startError;
    return start;
  }
  started_.push_back(info);
  auto state = std::make_shared<RunState>(std::move(launch.run));
  detached_.push_back(state);
  start.process = std::make_unique<SimProcess>(std::move(state));
  return start;
}

int SimProcesses::WaitForDetachedProcesses() {
  int waited = 0;
  for (const auto& state : detached_) {
    if (state->ended) continue;
    SimProcess(state).WaitForEnd();
    ++waited;
  }
  detached_.clear();
  return waited;
}

}  // namespace prn::sim

namespace prn::sim {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

bool HasExtension(ustring_view name) {
  ustring file = FileNamePart(name);
  return file.find(u'.') != ustring::npos;
}

bool HasFolder(ustring_view name) { return name.find_first_of(u"\\/:") != ustring_view::npos; }

ustring Existing(const sys::FileSystem& files, const ustring& path) {
  ustring full = files.FullPath(path);
  return files.FileExists(full) ? full : ustring();
}

ustring Search(const sys::FileSystem& files, const ProgramFolders& folders, ustring name) {
  if (!HasExtension(name)) name += u".exe";
  if (HasFolder(name)) return Existing(files, name);
  const std::vector<ustring> searched = {folders.executableFolder, files.CurrentDirectory(),
                                         folders.systemDirectory, FolderPart(folders.systemDirectory)};
  for (const ustring& folder : searched) {
    if (folder.empty()) continue;
    if (ustring found = Existing(files, JoinPath(folder, name)); !found.empty()) return found;
  }
  return {};
}

}  // namespace

ustring FindProgramFile(const sys::FileSystem& files, const ProgramFolders& folders, ustring_view applicationName,
                        ustring_view commandLine) {
  if (!applicationName.empty()) return Existing(files, ustring(applicationName));
  size_t start = 0;
  while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
  ustring_view line = commandLine.substr(start);
  if (!line.empty() && line[0] == u'"') {
    size_t close = line.find(u'"', 1);
    return Search(files, folders, ustring(line.substr(1, close == ustring_view::npos ? ustring_view::npos : close - 1)));
  }
  // Unquoted: each blank may end the name, the shortest first.
  for (size_t end = 0; end <= line.size(); ++end) {
    if (end < line.size() && !IsBlank(line[end])) continue;
    if (end == 0) break;
    if (ustring found = Search(files, folders, ustring(line.substr(0, end))); !found.empty()) return found;
  }
  return {};
}

}  // namespace prn::sim
