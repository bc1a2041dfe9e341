#include "install/device_library_calls.h"

#include "install/detection_rules.h"
#include "install/inst2k_session.h"
#include "sys/system_info.h"
#include "trace/trace.h"

namespace prn::install {

bool FindExistDevice(const sys::Platform& platform, const ustring& libraryPath, const ustring& hardwareId,
                     ustring& foundHardwareId, ustring& port, bool refreshFirst) {
  trace::Scope scope(u"FindExistDevice");
  bool found = false;
  ustring devicePort;
  if (refreshFirst) {
    RefreshSystemHW(platform, libraryPath);
    platform.system->Sleep(0);
    platform.system->Sleep(100);
    platform.system->Sleep(0);
  }
  Inst2kSession library = Inst2kSession::Require(*platform.deviceLibraries, *platform.lastError, libraryPath);
  Inst2kSession::FoundDevice device;
  if (auto answer = library.FindExistDevice(platform.codePage->ToAnsi(hardwareId))) {
    device = *answer;
    found = device.found;
    const ustring instanceId = platform.codePage->FromAnsi(device.instanceId);
    trace::Format(u"FuncFindExistDevice返回IDAndPort = %s", {instanceId});
    devicePort = PortFromInstanceId(instanceId);
    trace::Format(u"確定打印機端口字符串為：%s", {devicePort});
  }
  foundHardwareId = platform.codePage->FromAnsi(device.hardwareId);
  port = devicePort;
  return found;
}

void RefreshSystemHW(const sys::Platform& platform, const ustring& libraryPath) {
  trace::Scope scope(u"RefreshSystemHW");
  Inst2kSession library(*platform.deviceLibraries, *platform.lastError, libraryPath);
  if (!library.Loaded() || !library.Exports().RefreshHW) return;
  trace::Message(u"RefreshHW Begin ......");
  library.RefreshHW();
  trace::Message(u"RefreshHW End !");
}

void SetShowErrorCode(const sys::Platform& platform, const ustring& libraryPath, bool enable) {
  Inst2kSession library = Inst2kSession::Require(*platform.deviceLibraries, *platform.lastError, libraryPath);
  library.ShowErrorCode(enable ? -1 : 0);
}

uint32_t GetLastInstallErrorCode(Inst2kSession& library) {
  if (!library.Loaded()) return 1;
  return library.LastInstallErrorCode().value_or(1);
}

}  // namespace prn::install
