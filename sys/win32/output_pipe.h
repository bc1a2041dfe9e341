#pragma once
// The pipe that carries a child's standard output to us. Our end is
// overlapped, so that a read can wait for data and for the child's end at
// once: a grandchild that inherited the child's end cannot hold us.

#include <windows.h>

#include <string>

#include "sys/processes.h"
#include "sys/win32/handle.h"

namespace prn::win32 {

struct OutputPipe {
  KernelHandle readEnd;   // ours, not inheritable, overlapped
  KernelHandle writeEnd;  // the child's, made inheritable only while the child is made
};

// Answers a Windows error code.
uint32_t CreateOutputPipe(OutputPipe& pipe);

// Each read is issued and finished within one call of Read, on the caller's
// thread: none is ever left pending, and CancelIo, which cancels only that
// thread's reads (and which Windows XP has, unlike CancelIoEx), is enough to
// end one.
class OutputReader {
 public:
  OutputReader(KernelHandle readEnd, HANDLE process);
  OutputReader(const OutputReader&) = delete;
  OutputReader& operator=(const OutputReader&) = delete;

  sys::CapturedProcess::Read Read(std::string& chunk, size_t maxBytes);

 private:
  sys::CapturedProcess::Read Close(std::string& chunk, sys::CapturedProcess::Read result);

  KernelHandle readEnd_;
  HANDLE process_;  // owned by the process object
  KernelHandle done_;
  bool childEnded_ = false;
};

}  // namespace prn::win32
