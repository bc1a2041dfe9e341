#include "sys/win32/win32_processes.h"

#include <string>

#include "sys/win32/win32_handle.h"
#include "sys/win32/win32_text.h"

namespace prn::win32 {

namespace {

class Win32Process : public sys::CapturedProcess {
 public:
  Win32Process(KernelHandle process, KernelHandle outputRead)
      : process_(std::move(process)), outputRead_(std::move(outputRead)) {}

  void WaitForEnd() override { WaitForSingleObject(process_.Get(), INFINITE); }

  bool StillActive() override { return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

  uint32_t ExitCode() override {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
  }

  Read ReadOutput(std::string& chunk, size_t maxBytes) override {
    chunk.clear();
    if (!outputRead_) return Read::End;
    chunk.resize(maxBytes);
    DWORD read = 0;
    BOOL ok = ::ReadFile(outputRead_.Get(), chunk.data(), static_cast<DWORD>(maxBytes), &read, nullptr);
    chunk.resize(ok ? read : 0);
    if (ok && read > 0) return Read::Data;
    // Every writer has closed its end: the normal end of the output.
    if (ok || GetLastError() == ERROR_BROKEN_PIPE) return Read::End;
    outputRead_.Reset();
    return Read::Failed;
  }

 private:
  KernelHandle process_;
  KernelHandle outputRead_;
};

STARTUPINFOW HiddenStartup() {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  return startup;
}

// CreateProcessW may write into the command line, so it gets its own copy,
// as long as the command is.
std::wstring WritableCommandLine(const ustring& commandLine) { return Wide(commandLine); }

}  // namespace

sys::CapturedStart Win32Processes::StartCaptured(const ustring& commandLine) {
  sys::CapturedStart start;
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  KernelHandle readEnd, writeEnd;
  if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inheritable, 0)) {
    start.failure = sys::CapturedStart::Failure::Pipe;
    start.error = GetLastError();
    return start;
  }
  // Only the child's end travels; our end stays ours, so the child's exit ends the output.
  SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup = HiddenStartup();
  startup.hStdOutput = writeEnd.Get();
  std::wstring line = WritableCommandLine(commandLine);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
    start.failure = sys::CapturedStart::Failure::Process;
    start.error = GetLastError();
    return start;
  }
  KernelHandle thread(info.hThread);
  writeEnd.Reset();
  start.process = std::make_unique<Win32Process>(KernelHandle(info.hProcess), std::move(readEnd));
  return start;
}

sys::DetachedStart Win32Processes::StartDetached(const ustring& commandLine, const ustring& currentDirectory) {
  sys::DetachedStart start;
  STARTUPINFOW startup = HiddenStartup();
  std::wstring line = WritableCommandLine(commandLine);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                      currentDirectory.empty() ? nullptr : W(currentDirectory), &startup, &info)) {
    start.error = GetLastError();
    return start;
  }
  KernelHandle thread(info.hThread);
  start.process = std::make_unique<Win32Process>(KernelHandle(info.hProcess), KernelHandle());
  return start;
}


}  // namespace prn::win32
