#include "sys/win32/win32_processes.h"

#include <string>

#include "sys/win32/win32_output_pipe.h"
#include "sys/win32/win32_text.h"

namespace prn::win32 {

namespace {

class Win32Process : public sys::CapturedProcess {
 public:
  Win32Process(KernelHandle process, KernelHandle outputRead)
      : process_(std::move(process)), output_(std::move(outputRead), process_.Get()) {}

  void WaitForEnd() override { WaitForSingleObject(process_.Get(), INFINITE); }

  bool StillActive() override { return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

  uint32_t ExitCode() override {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
  }

  Read ReadOutput(std::string& chunk, size_t maxBytes) override { return output_.Read(chunk, maxBytes); }

 private:
  KernelHandle process_;
  OutputReader output_;
};

STARTUPINFOW HiddenStartup() {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  return startup;
}

// The one attribute a start needs: the handles the child may inherit.
class InheritedHandles {
 public:
  explicit InheritedHandles(HANDLE handle) : handle_(handle) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_.resize(size);
    auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (!InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
    list_ = list;
    if (!UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &handle_, sizeof(handle_), nullptr,
                                   nullptr)) {
      DeleteProcThreadAttributeList(list_);
      list_ = nullptr;
    }
  }
  ~InheritedHandles() {
    if (list_) DeleteProcThreadAttributeList(list_);
  }
  InheritedHandles(const InheritedHandles&) = delete;
  InheritedHandles& operator=(const InheritedHandles&) = delete;

  LPPROC_THREAD_ATTRIBUTE_LIST List() const { return list_; }

 private:
  HANDLE handle_;
  std::string storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

// CreateProcessW may write into the command line, so it gets its own copy,
// as long as the command is.
std::wstring WritableCommandLine(const ustring& commandLine) { return Wide(commandLine); }

}  // namespace

sys::CapturedStart Win32Processes::StartCaptured(const ustring& commandLine) {
  sys::CapturedStart start;
  OutputPipe pipe;
  if (uint32_t code = CreateOutputPipe(pipe)) {
    start.failure = sys::CapturedStart::Failure::Pipe;
    start.error = code;
    return start;
  }
  // Only the pipe's write end travels; whatever else this process holds
  // inheritable (another thread's pipe, say) stays here.
  InheritedHandles inherited(pipe.writeEnd.Get());
  if (!inherited.List()) {
    start.failure = sys::CapturedStart::Failure::Process;
    start.error = GetLastError();
    return start;
  }
  STARTUPINFOEXW startup{};
  startup.StartupInfo = HiddenStartup();
  startup.StartupInfo.cb = sizeof(startup);
  startup.StartupInfo.hStdOutput = pipe.writeEnd.Get();
  startup.lpAttributeList = inherited.List();
  std::wstring line = WritableCommandLine(commandLine);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                      &startup.StartupInfo, &info)) {
    start.failure = sys::CapturedStart::Failure::Process;
    start.error = GetLastError();
    return start;
  }
  KernelHandle thread(info.hThread);
  pipe.writeEnd.Reset();
  start.process = std::make_unique<Win32Process>(KernelHandle(info.hProcess), std::move(pipe.readEnd));
  return start;
}

sys::DetachedStart Win32Processes::StartDetached(const ustring& applicationName, const ustring& commandLine,
                                                 const ustring& currentDirectory) {
  sys::DetachedStart start;
  STARTUPINFOW startup = HiddenStartup();
  std::wstring line = WritableCommandLine(commandLine);
  PROCESS_INFORMATION info{};
  // No handle is meant for a detached child, so it inherits none.
  if (!CreateProcessW(applicationName.empty() ? nullptr : W(applicationName), line.data(), nullptr, nullptr, FALSE,
                      DETACHED_PROCESS, nullptr, currentDirectory.empty() ? nullptr : W(currentDirectory), &startup,
                      &info)) {
    start.error = GetLastError();
    return start;
  }
  KernelHandle thread(info.hThread);
  KeepDetached(info.hProcess);
  start.process = std::make_unique<Win32Process>(KernelHandle(info.hProcess), KernelHandle());
  return start;
}

void Win32Processes::KeepDetached(HANDLE process) {
  HANDLE copy = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &copy,
                       SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, 0)) {
    return;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  std::erase_if(detached_, [](const KernelHandle& child) { return WaitForSingleObject(child.Get(), 0) != WAIT_TIMEOUT; });
  detached_.emplace_back(copy);
}

int Win32Processes::WaitForDetachedProcesses() {
  std::vector<KernelHandle> children;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    children.swap(detached_);
  }
  int waited = 0;
  for (KernelHandle& child : children) {
    if (WaitForSingleObject(child.Get(), 0) != WAIT_TIMEOUT) continue;
    WaitForSingleObject(child.Get(), INFINITE);
    ++waited;
  }
  return waited;
}

}  // namespace prn::win32
