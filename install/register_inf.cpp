#include "install/register_inf.h"

#include "install/inst2k_session.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "trace/trace.h"

namespace prn::install {

bool RegisterInfFile(const InfRegistrar& registrar, const ustring& libraryPath, const ustring& infPath,
                     ustring& registeredPath) {
  Inst2kSession session = Inst2kSession::Require(registrar.libraries, registrar.lastError, libraryPath);
  auto registered = session.RegistryInf(registrar.ansi.ToAnsi(infPath), std::nullopt);
  if (!registered) {
    // A library without the export cannot register anything.
    trace::Format(u"CopyOemInf函數錯誤值：0x%x", {winerr::ProcNotFound});
    return false;
  }
  if (!registered->succeeded) {
    trace::Format(u"CopyOemInf函數錯誤值：0x%x", {registered->lastError});
    return false;
  }
  registeredPath = registrar.ansi.FromAnsi(registered->oemInfName);
  trace::Format(u"已註冊inf文件：%s", {registeredPath});
  return true;
}

}  // namespace prn::install
