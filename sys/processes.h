#pragma once
// Starting other programs and waiting for them (CreateProcessW and friends).
// A started process is an object that closes its handles when it goes.

#include <cstdint>
#include <memory>
#include <string>

#include "text/ustring.h"

namespace prn::sys {

class Process {
 public:
  virtual ~Process() = default;
  // Blocks until the process has ended, without a time limit.
  virtual void WaitForEnd() = 0;
  virtual bool StillActive() = 0;
  // The exit code; 259 (STILL_ACTIVE) while the process runs.
  virtual uint32_t ExitCode() = 0;
};

// A process whose standard output comes to us through a pipe.
class CapturedProcess : public Process {
 public:
  enum class Read { Data, End, Failed };
  // Blocks until output is there (Data, at most `maxBytes` of it in `chunk`),
  // the output has ended (End) or the pipe broke down (Failed; the pipe is
  // closed then, so the child cannot block on it while we wait for its end).
  // The output ends when every writer has closed the pipe, or when the child
  // has ended and what it wrote has been read: a grandchild that inherited
  // the pipe does not hold us.
  virtual Read ReadOutput(std::string& chunk, size_t maxBytes) = 0;
};

struct CapturedStart {
  enum class Failure { None, Pipe, Process };
  Failure failure = Failure::None;
  uint32_t error = 0;  // Windows error code of the step that failed
  std::unique_ptr<CapturedProcess> process;
};

struct DetachedStart {
  uint32_t error = 0;  // Windows error code when it did not start
  std::unique_ptr<Process> process;
};

class Processes {
 public:
  virtual ~Processes() = default;

  // Starts the command line hidden, with standard output going into a fresh
  // pipe (standard input and error not set); the pipe's end is the only
  // handle the child inherits.
  virtual CapturedStart StartCaptured(const ustring& commandLine) = 0;
  // Starts the program `applicationName` (a full path; the command line's
  // program when empty) with the command line, hidden, detached from our
  // console and inheriting no handle, in `currentDirectory` (ours when empty).
  virtual DetachedStart StartDetached(const ustring& applicationName, const ustring& commandLine,
                                      const ustring& currentDirectory) = 0;
  // Waits, without a time limit, for every process that StartDetached of
  // this object started and that still runs; answers how many it waited for.
  // Nothing is ended: a host still inside a driver install is left to finish.
  virtual int WaitForDetachedProcesses() = 0;
};

}  // namespace prn::sys
