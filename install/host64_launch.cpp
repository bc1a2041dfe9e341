#include "install/host64_launch.h"

#include <optional>

#include "config/profile_store.h"
#include "install/detection_rules.h"
#include "install/device_library_calls.h"
#include "install/host_command_line.h"
#include "sys/files.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "text/format.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

constexpr char16_t kResultSection[] = u"Data";
constexpr size_t kRetBufferCharacters = 256;

// The host's command line and the folder it starts in. It gets full paths
// and the system folder as its current directory: the work folder is held
// with delete access, so a child cannot open it as its current directory
// (it would start in the Windows folder and miss every relative name).
struct HostLaunch {
  ustring folder;
  ustring commandLine;
};

ustring RefusalText(const HostCommand& command) {
  if (!IsPassableHardwareId(command.hardwareId)) {
    return Format(u"The hardware ID \"%s\" cannot be handed to the 64-bit installation program: it is empty, "
                  u"holds a blank or a quote, or begins with \"/\". The package's settings need a plain ID.",
                  {command.hardwareId});
  }
  ustring paths = command.libraryPath + u"\r\n" + command.infPath + u"\r\n" + command.hostPath;
  return u"A path cannot be handed to the 64-bit installation program:\r\n" + paths;
}

HostLaunch PrepareHostLaunch(const sys::Platform& platform, sys::WindowHandle window, const ustring& hostPath,
                             const ustring& inst2k64Dll, const ustring& infPath, const ustring& hardwareId,
                             const std::optional<ustring>& resultFile) {
  const sys::FileSystem& files = *platform.files;
  const HostCommand command{files.FullPath(hostPath), window, files.FullPath(inst2k64Dll), files.FullPath(infPath),
                            hardwareId, resultFile};
  std::optional<ustring> commandLine = BuildHostCommandLine(command);
  if (!commandLine) throw Error(RefusalText(command));
  trace::Format(u"命令行：%s", {*commandLine});
  return {platform.system->SystemDirectory(), *commandLine};
}

// The host by its full path as the program to run, not by the command line's first word.
sys::DetachedStart StartHost(const sys::Platform& platform, const ustring& hostPath, const HostLaunch& launch) {
  sys::DetachedStart start =
      platform.processes->StartDetached(platform.files->FullPath(hostPath), launch.commandLine, launch.folder);
  if (!start.process) trace::Format(u"創建64位進程失敗，錯誤值：0x%.8x", {static_cast<unsigned long>(start.error)});
  return start;
}

// A fresh empty file beside the host in the work folder, deleted when it
// goes. Nobody but administrators can plant a link there, so neither the
// host's writing nor the deletion can be sent elsewhere, and nobody can
// forge the answer.
class ResultFile {
 public:
  ResultFile(sys::SystemInfo& system, sys::FileSystem& files, const ustring& hostPath) : files_(files) {
    const ustring folder = FolderPart(files.FullPath(hostPath));
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
  ResultFile resultFile(*platform.system, *platform.files, hostPath);
  const HostLaunch launch =
      PrepareHostLaunch(platform, window, hostPath, inst2k64Dll, infPath, hardwareId, resultFile.Path());
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
      PrepareHostLaunch(platform, window, hostPath, inst2k64Dll, infPath, hardwareId, std::nullopt);
  sys::DetachedStart start = StartHost(platform, hostPath, launch);
  if (!start.process) return start.error ? start.error : winerr::FileNotFound;
  trace::Message(u"已成功創建64位安裝進程。");
  hostProcess = std::move(start.process);
  return 0;
}

}  // namespace prn::install
