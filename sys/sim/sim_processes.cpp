#include "sys/sim/sim_processes.h"

#include <algorithm>

#include "sys/sim/command_line.h"
#include "sys/win_errors.h"
#include "text/ascii.h"

namespace prn::sim {

namespace {

class SimProcess : public sys::CapturedProcess {
 public:
  explicit SimProcess(ProgramRun run) : run_(std::move(run)) {}

  void WaitForEnd() override {
    // Waiting for a program from inside its own work (its SendMessageW to a
    // window of the waiter) never returns on Windows.
    if (ending_) throw SimDeadlock("a process is waited for while it is still at work: a deadlock on Windows");
    End();
  }

  bool StillActive() override {
    if (ended_) return false;
    if (ending_) return true;  // still at work
    if (run_.activePolls > 0) {
      --run_.activePolls;
      return true;
    }
    End();
    return false;
  }

  uint32_t ExitCode() override { return StillActive() ? winerr::StillActive : run_.exitCode; }

  Read ReadOutput(std::string& chunk, size_t maxBytes) override {
    if (offset_ < run_.output.size()) {
      chunk = run_.output.substr(offset_, maxBytes);
      offset_ += chunk.size();
      return Read::Data;
    }
    chunk.clear();
    return run_.readFails ? Read::Failed : Read::End;
  }

 private:
  // The program is alive while it does its work (the host, say, until its
  // message to the window has been handled) and ends after it.
  void End() {
    if (ended_ || ending_) return;
    ending_ = true;
    if (run_.atEnd) run_.atEnd();
    ending_ = false;
    ended_ = true;
  }

  ProgramRun run_;
  size_t offset_ = 0;
  bool ending_ = false;
  bool ended_ = false;
};

ustring ProgramKey(ustring_view programName) {
  ustring key = AsciiUpper(FileNamePart(programName));
  if (key.size() < 4 || key.compare(key.size() - 4, 4, u".EXE") != 0) key += u".EXE";
  return key;
}

}  // namespace

SimProcesses::SimProcesses() = default;

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
  auto program = info.args.empty() ? programs_.end() : programs_.find(ProgramKey(info.args[0]));
  if (program == programs_.end()) {
    launch.startError = winerr::FileNotFound;
    return launch;
  }
  if (!launch.pipeError) launch.run = program->second(info);
  return launch;
}

sys::CapturedStart SimProcesses::StartCaptured(const ustring& commandLine) {
  ProcessStartInfo info{commandLine, u"", SplitCommandLine(commandLine), true};
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
  start.process = std::make_unique<SimProcess>(std::move(launch.run));
  return start;
}

sys::DetachedStart SimProcesses::StartDetached(const ustring& commandLine, const ustring& currentDirectory) {
  ProcessStartInfo info{commandLine, currentDirectory, SplitCommandLine(commandLine), false};
  sys::DetachedStart start;
  Launch launch = Resolve(info);
  if (launch.startError) {
    start.error = launch.startError;
    return start;
  }
  started_.push_back(info);
  start.process = std::make_unique<SimProcess>(std::move(launch.run));
  return start;
}

}  // namespace prn::sim
