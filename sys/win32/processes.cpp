#include "sys/win32/processes.h"

#include <string>
#include <type_traits>

#include "sys/win32/output_pipe.h"
#include "sys/win32/text.h"

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

// Where the system has the calls: the list of the one handle the child may
// inherit.
class InheritedHandles {
 public:
  explicit InheritedHandles(const HandleListCalls& calls) : calls_(calls) {}
  ~InheritedHandles() {
    if (list_) calls_.remove(list_);
  }
  InheritedHandles(const InheritedHandles&) = delete;
  InheritedHandles& operator=(const InheritedHandles&) = delete;

  // Answers a Windows error code; without the calls there is no list, and
  // no error.
  uint32_t Name(HANDLE handle) {
    if (!calls_.Present()) return ERROR_SUCCESS;
    handle_ = handle;
    SIZE_T size = 0;
    calls_.initialize(nullptr, 1, 0, &size);
    storage_.resize(size);
    auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (!calls_.initialize(list, 1, 0, &size)) return GetLastError();
    list_ = list;
    if (!calls_.update(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &handle_, sizeof(handle_), nullptr, nullptr)) {
      return GetLastError();
    }
    return ERROR_SUCCESS;
  }

  LPPROC_THREAD_ATTRIBUTE_LIST List() const { return list_; }

 private:
  const HandleListCalls& calls_;
  HANDLE handle_ = nullptr;
  std::vector<BYTE> storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

// Whatever of this process is inheritable while CreateProcessW runs with
// inheritance goes to the child: that is a property of the whole process,
// not of one start. So a child's end of its pipe is inheritable only inside
// this lock, while that child is made, and is closed before the lock is
// released; every start that passes handles takes the lock. Where the system
// can also name the one handle the child gets (Vista and later), it does,
// which keeps out even handles that code not ours made inheritable. Windows
// XP has no such list: there the lock alone keeps another start's pipe out.
std::mutex& InheritanceLock() {
  static std::mutex lock;
  return lock;
}

// Starts the command with `output` as its standard output, the one handle it
// inherits, and closes `output`. Answers a Windows error code.
uint32_t StartWithOutput(const HandleListCalls& calls, std::wstring line, KernelHandle& output,
                         PROCESS_INFORMATION& info) {
  InheritedHandles inherited(calls);
  if (uint32_t code = inherited.Name(output.Get())) return code;
  STARTUPINFOEXW startup{};
  startup.StartupInfo = HiddenStartup();
  startup.StartupInfo.hStdOutput = output.Get();
  DWORD flags = 0;
  if (inherited.List()) {
    startup.StartupInfo.cb = sizeof(startup);
    startup.lpAttributeList = inherited.List();
    flags = EXTENDED_STARTUPINFO_PRESENT;
  }
  std::lock_guard<std::mutex> lock(InheritanceLock());
  if (!SetHandleInformation(output.Get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT)) return GetLastError();
  const BOOL started =
      CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup.StartupInfo, &info);
  const uint32_t code = started ? ERROR_SUCCESS : GetLastError();
  output.Reset();
  return code;
}

// CreateProcessW may write into the command line, so it gets its own copy,
// as long as the command is.
std::wstring WritableCommandLine(const ustring& commandLine) { return Wide(commandLine); }

}  // namespace

HandleListCalls HandleListCalls::OfSystem() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto lookup = [kernel](auto& function, const char* name) {
    using Function = std::remove_reference_t<decltype(function)>;
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
  };
  HandleListCalls calls;
  lookup(calls.initialize, "InitializeProcThreadAttributeList");
  lookup(calls.update, "UpdateProcThreadAttribute");
  lookup(calls.remove, "DeleteProcThreadAttributeList");
  return calls.Present() ? calls : HandleListCalls{};
}

sys::CapturedStart Win32Processes::StartCaptured(const ustring& commandLine) {
  sys::CapturedStart start;
  OutputPipe pipe;
  if (uint32_t code = CreateOutputPipe(pipe)) {
    start.failure = sys::CapturedStart::Failure::Pipe;
    start.error = code;
    return start;
  }
  PROCESS_INFORMATION info{};
  if (uint32_t code = StartWithOutput(handleList_, WritableCommandLine(commandLine), pipe.writeEnd, info)) {
    start.failure = sys::CapturedStart::Failure::Process;
    start.error = code;
    return start;
  }
  KernelHandle thread(info.hThread);
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
  // Waiting needs SYNCHRONIZE alone; Windows XP would refuse a copy that
  // asked for PROCESS_QUERY_LIMITED_INFORMATION, which it does not know.
  if (!DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0)) {
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
