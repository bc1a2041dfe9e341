#include "install/host64_launch.h"

#include <optional>

#include "config/profile_store.h"
#include "install/detection_rules.h"
#include "install/device_library_calls.h"
#include "sys/files.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

constexpr char16_t kResultSection[] = u"Data";
constexpr size_t kRetBufferCharacters = 256;

// The host's command line, with the library and the INF relative to the
// host's folder, which the host gets as its current directory.
struct HostLaunch {
  ustring folder;
  ustring commandLine;
};

HostLaunch PrepareHostLaunch(const sys::FileSystem& files, sys::WindowHandle window, const ustring& hostPath,
                             const ustring& inst2k64Dll, const ustring& infPath, const ustring& hardwareId,
                             const std::optional<ustring>& resultFile) {
  HostLaunch launch;
  launch.folder = FolderPart(files.FullPath(hostPath));
  const ustring library = RelativeWindowsPath(launch.folder, files.FullPath(inst2k64Dll));
  const ustring inf = RelativeWindowsPath(launch.folder, files.FullPath(infPath));
  launch.commandLine = BuildHostCommandLine(hostPath, window, library, inf, hardwareId, resultFile);
  trace::Format(u"命令行：%s", {launch.commandLine});
  return launch;
}

// The host by its full path as the program to run, not by the command line's first word.
sys::DetachedStart StartHost(const sys::Platform& platform, const ustring& hostPath, const HostLaunch& launch) {
  sys::DetachedStart start =
      platform.processes->StartDetached(platform.files->FullPath(hostPath), launch.commandLine, launch.folder);
  if (!start.process) trace::Format(u"創建64位進程失敗，錯誤值：0x%.8x", {static_cast<unsigned long>(start.error)});
  return start;
}

// A fresh empty file in the user's temporary folder, deleted when it goes.
class ResultFile {
 public:
  ResultFile(sys::SystemInfo& system, sys::FileSystem& files) : files_(files) {
    const ustring folder = system.TempPath().value_or(ustring());
    if (uint32_t code = system.CreateTempFileName(folder, u"tmp", path_)) {
      ustring text = system.ErrorMessage(code);
      throw Error(text.empty() ? ToDecimal(code) : text);
    }
  }
  ResultFile(const ResultFile&) = delete;
  ResultFile& operator=(const ResultFile&) = delete;
  ~ResultFile() { files_.RemoveFile(path_); }
  const ustring& Path() const { return path_; }

 private:
  sys::FileSystem& files_;
  ustring path_;
};

}  // namespace

uint32_t FindInlineDevice64(const sys::Platform& platform, sys::WindowHandle window, const ustring& hardwareId,
                            const ustring& infPath, const ustring& hostPath, const ustring& inst2k64Dll,
                            uint32_t installFlags) {
  ResultFile resultFile(*platform.system, *platform.files);
  const HostLaunch launch =
      PrepareHostLaunch(*platform.files, window, hostPath, inst2k64Dll, infPath, hardwareId, resultFile.Path());
  config::FileProfileStore profile(*platform.files, *platform.codePage);
  profile.WriteString(resultFile.Path(), kResultSection, u"Flag", ToDecimal(installFlags));
  if (auto host = StartHost(platform, hostPath, launch).process) {
    trace::Message(u"已成功地創建了64位檢測進程，準備等待進程完成。");
    host->WaitForEnd();
  }
  ustring ret = profile.ReadString(resultFile.Path(), kResultSection, u"Ret", ToDecimal(winerr::ProcessAborted));
  return ParseRetValue(ustring_view(ret).substr(0, kRetBufferCharacters - 1));
}

uint32_t InstallSpecPrinter64(const sys::Platform& platform, sys::WindowHandle window, const ustring& hostPath,
                              const ustring& infPath, const ustring& hardwareId, const ustring& inst2kDll,
                              const ustring& inst2k64Dll, std::unique_ptr<sys::Process>& hostProcess,
                              ustring& port) {
  if (!platform.system->Wow64Flag().value_or(false)) return 0;
  trace::Scope scope(u"InstallSpecPrinter64");
  ustring foundHardwareId;
  FindExistDevice(platform, inst2kDll, hardwareId, foundHardwareId, port, true);
  trace::Format(u"（64）檢測打印機聯端口為：%s", {port});
  if (port.empty()) port = u"LPT1:";
  const HostLaunch launch =
      PrepareHostLaunch(*platform.files, window, hostPath, inst2k64Dll, infPath, hardwareId, std::nullopt);
  sys::DetachedStart start = StartHost(platform, hostPath, launch);
  if (!start.process) return start.error ? start.error : winerr::FileNotFound;
  trace::Message(u"已成功創建64位安裝進程。");
  hostProcess = std::move(start.process);
  return 0;
}

}  // namespace prn::install
