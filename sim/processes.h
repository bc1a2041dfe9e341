#pragma once
// The simulated machine's process table. A command line a test scripted
// runs as scripted; otherwise the program file is found on the simulated
// disks as CreateProcessW finds it (see FindProgramFile) and must exist.
// It runs as the machine's program of that file name (e.g. rundll32.exe);
// a file of any other name runs and does nothing. Every start is logged.

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "sys/processes.h"

namespace prn::sys {
class FileSystem;
}

namespace prn::sim {

struct ProgramFolders {
  ustring executableFolder;  // of the program that starts the process
  ustring systemDirectory;
};

// Which program file a process start runs, found as CreateProcessW finds it:
// the application name as given, else the command line's program name: a
// quoted name whole; an unquoted one tried up to each blank in turn
// ("C:\Program Files\x.exe" tries C:\Program.exe first); ".exe" added when
// the name has no extension; a bare name searched in the program's folder,
// the current directory, System32 and the Windows folder.
// The program's full path; empty when no such file exists.
ustring FindProgramFile(const sys::FileSystem& files, const ProgramFolders& folders, ustring_view applicationName,
                        ustring_view commandLine);

// A wait that would never return on Windows (for a program from inside its
// own work); it goes through every simulated program's own error handling.
struct SimDeadlock : std::logic_error {
  using std::logic_error::logic_error;
};

// What one run of a simulated program does.
struct ProgramRun {
  std::string output;    // written to standard output
  uint32_t exitCode = 0;
  int activePolls = 0;   // StillActive answers true this many times first
  bool readFails = false;  // the output pipe breaks down instead of ending
  // Its work, done when it ends (waited for, or its last active poll); the
  // process is still active while the work runs.
  std::function<void()> atEnd;
  uint32_t startError = 0;  // CreateProcessW fails with this code, and nothing runs
};

struct ProcessStartInfo {
  ustring commandLine;
  ustring currentDirectory;
  StringList args;       // split as the started program reads them
  bool captured = false; // started with its output to a pipe
  ustring applicationName;  // as the caller passed it
  ustring program;          // the file that runs (empty for a scripted command)
};

// A program of the machine: its effect and its run, from how it was started.
using ProgramBehaviour = std::function<ProgramRun(const ProcessStartInfo&)>;

// A command line scripted by a test.
struct ScriptedCommand {
  uint32_t startError = 0;  // CreateProcessW fails with this code
  uint32_t pipeError = 0;   // CreatePipe fails with this code
  ProgramRun run;
};

class SimFileSystem;
class SimSystemInfo;

class SimProcesses : public sys::Processes {
 public:
  SimProcesses(const SimFileSystem& files, const SimSystemInfo& system);

  // A command line (compared whole, ASCII case-insensitively) and what it does.
  void Script(const ustring& commandLine, ScriptedCommand command);
  // A program by file name ("rundll32.exe"; ".exe" may be left out when started).
  void InstallProgram(const ustring& fileName, ProgramBehaviour behaviour);
  // Every pipe creation fails with `code` (0 ends that).
  void FailPipes(uint32_t code) { pipeError_ = code; }

  const std::vector<ProcessStartInfo>& Started() const { return started_; }

  sys::CapturedStart StartCaptured(const ustring& commandLine) override;
  sys::DetachedStart StartDetached(const ustring& applicationName, const ustring& commandLine,
                                   const ustring& currentDirectory) override;
  // Runs every detached process that still runs to its end, with its effect.
  int WaitForDetachedProcesses() override;

  struct RunState;

 private:
  struct Launch {
    uint32_t startError = 0;
    uint32_t pipeError = 0;
    ProgramRun run;
  };
  Launch Resolve(const ProcessStartInfo& info);

  const SimFileSystem& files_;
  const SimSystemInfo& system_;
  std::map<ustring, ScriptedCommand> scripts_;     // by upper-cased command line
  std::map<ustring, ProgramBehaviour> programs_;   // by upper-cased file name
  uint32_t pipeError_ = 0;
  std::vector<ProcessStartInfo> started_;
  std::vector<std::shared_ptr<RunState>> detached_;
};

}  // namespace prn::sim
