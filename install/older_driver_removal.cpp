#include "install/older_driver_removal.h"

#include <algorithm>

#include "config/install_info.h"
#include "config/profile_file.h"
#include "config/str_installer.h"
#include "install/driver_ver.h"
#include "removal/delete_printer_and_driver.h"
#include "spooler/printer_queries.h"
#include "sys/dialogs.h"
#include "sys/win_errors.h"
#include "sys/system_info.h"
#include "sys/spooler.h"
#include "text/error.h"
#include "text/format.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

constexpr ustring_view kGpdVersionKey = u"*GPDFileVersion: \"";
constexpr size_t kGpdVersionLength = 10;

}  // namespace

std::optional<ustring> GpdVersionOfLine(ustring_view line) {
  if (!line.starts_with(kGpdVersionKey)) return std::nullopt;
  ustring_view rest = line.substr(kGpdVersionKey.size(), kGpdVersionLength);
  size_t quote = rest.find(u'"');
  return quote == ustring_view::npos ? ustring() : ustring(rest.substr(0, quote));
}

std::optional<ustring> GpdVersionOfText(ustring_view text) {
  std::optional<ustring> version;
  for (const ustring& line : config::SplitLines(text)) {
    if (auto found = GpdVersionOfLine(line)) version = *found;
  }
  return version;
}

std::vector<uint32_t> VersionNumbers(ustring_view version) {
  ustring text(version);
  std::replace(text.begin(), text.end(), u'.', u',');
  std::vector<uint32_t> numbers;
  for (const ustring& part : SplitCommaText(text)) {
    bool digits = !part.empty() && part.size() <= 9 &&
                  std::all_of(part.begin(), part.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    if (!digits)
      throw Error(Format(u"The driver version \"%s\" is not a version number (\"%s\" is no number); the "
                         u"installed driver cannot be checked.",
                         {version, part}));
    numbers.push_back(static_cast<uint32_t>(std::stoul(ToUtf8(part))));
  }
  return numbers;
}

bool IsOlderVersion(ustring_view installed, ustring_view required) {
  std::vector<uint32_t> have = VersionNumbers(installed);
  if (have.empty()) return false;
  std::vector<uint32_t> want = VersionNumbers(required);
  size_t count = std::max(have.size(), want.size());
  have.resize(count, 0);
  want.resize(count, 0);
  return have < want;
}

using removal::DeletePrinterAndDriver;
using removal::RemovalContext;
namespace deletion = removal::deletion;

ustring GetDriverGpdVersion(const sys::Platform& platform, const ustring& driverName, StringList& printers) {
  ustring version;
  printers.clear();
  StringList names;
  spooler::GetPrinterList(*platform.spooler, &names);
  for (const ustring& name : names) {
    auto printer = platform.spooler->OpenPrinterHandle(name);
    if (!printer) continue;
    sys::DRIVER_INFO_3W driver;
    if (!printer->GetDriverInfo3(driver) || driver.pName != driverName) continue;
    printers.push_back(name);
    auto found = GpdVersionOfText(config::ReadFileText(*platform.files, *platform.codePage, driver.pDataFile));
    if (found) version = *found;
  }
  return version;
}

bool InstalledGpdIsOlder(const sys::Platform& platform, const ustring& driverName, const ustring& requiredVersion,
                         StringList& printers) {
  ustring installed = GetDriverGpdVersion(platform, driverName, printers);
  return IsOlderVersion(installed, requiredVersion);
}

bool EnablePrivilege(const sys::Platform& platform, const ustring& name, bool enable) {
  if (!platform.privileges->HasAccessTokens()) return false;
  platform.privileges->AdjustPrivilege(name, enable);
  uint32_t code = platform.lastError->Get();
  if (code == 0) return true;
  ustring text = platform.system->ErrorMessage(code);
  throw Error(text.empty() ? Format(u"System Error. Code: %d.", {code}) : text);
}

bool RestartWindows(const sys::Platform& platform) {
  if (!EnablePrivilege(platform, u"SeShutdownPrivilege", true)) return false;
  return platform.privileges->RequestExitWindows(sys::kEwxReboot | sys::kEwxForceIfHung, 0);
}

bool UninstallOlderDriver(const RemovalContext& context, const ustring& driverName, const ustring& packageVersion,
                          const ustring& uninstallKeyName, uint8_t& code) {
  if (packageVersion.empty()) return true;
  StringList printers;
  if (!InstalledGpdIsOlder(context.platform, driverName, packageVersion, printers)) return true;
  bool result = true;
  for (const ustring& printer : printers) {
    bool deleteDriver = true;
    code = DeletePrinterAndDriver(context, uninstallKeyName, printer, deleteDriver);
    result = code == deletion::Deleted;
    if (!result) break;
  }
  return result;
}

namespace {

constexpr uint32_t kErrorBox = sys::mb::Ok | sys::mb::IconError;
constexpr uint32_t kQuestionBox = sys::mb::YesNo | sys::mb::IconQuestion;        // 36
constexpr uint32_t kRestartQuestionBox = sys::mb::YesNo | sys::mb::IconInformation;  // 68

// Tells the user why the old driver could not be removed, offering a restart
// when only the driver stayed behind.
BeforeInstallOutcome ReportFailedRemoval(const RemovalContext& context, uint8_t code,
                                         const config::TStrInstaller& texts, sys::WindowHandle owner,
                                         AfterRestartDeclined afterRestartDeclined) {
  sys::Dialogs& dialogs = *context.platform.dialogs;
  BeforeInstallOutcome outcome;
  switch (code) {
    case deletion::PrinterHasJobs:
      trace::Message(u"打印機還有打印任務，不能刪除！");
      dialogs.ShowMessage(owner, texts.DeletePrinterIsPrinting, texts.ErrorTitle, kErrorBox);
      outcome.mayContinue = false;
      break;
    case 2:
    case deletion::PrinterNotDeleted:
      trace::Message(u"刪除打印機過程中出現意外錯誤！");
      dialogs.ShowMessage(owner, texts.DeletePrinterError, texts.ErrorTitle, kErrorBox);
      outcome.mayContinue = false;
      break;
    case deletion::DriverNotDeleted:
      trace::Message(u"已刪除打印機，但不能刪除其驅動程序！");
      if (dialogs.ShowMessage(owner, texts.DeletePrinterDriverError + u"\r\n" + texts.RestartWindowsimmediately,
                              texts.NoticeTitle, kRestartQuestionBox) == sys::mb::IdYes) {
        // Windows restarting: nothing more may run, the install least of all.
        outcome.endApplication = RestartWindows(context.platform);
        outcome.mayContinue = !outcome.endApplication;
      } else {
        outcome.mayContinue = afterRestartDeclined == AfterRestartDeclined::Install;
      }
      break;
    default:
      break;
  }
  return outcome;
}

}  // namespace

BeforeInstallOutcome UninstallBeforeInstall(const RemovalContext& context, const config::TRInstallInfo& entry,
                                            const config::TStrInstaller& texts, sys::WindowHandle owner,
                                            AfterRestartDeclined afterRestartDeclined) {
  BeforeInstallOutcome outcome;
  if (entry.MustUninstallForGDP.empty()) return outcome;
  StringList printers;
  if (!InstalledGpdIsOlder(context.platform, entry.PrinterName, entry.MustUninstallForGDP, printers)) {
    return outcome;
  }
  if (context.platform.dialogs->ShowMessage(owner, texts.InstallBeforeNeedUninstall, texts.NoticeTitle,
                                            kQuestionBox) != sys::mb::IdYes) {
    outcome.mayContinue = false;
    return outcome;
  }
  uint8_t code = deletion::Deleted;
  if (UninstallOlderDriver(context, entry.PrinterName, entry.MustUninstallForGDP, texts.OEMManufactor, code)) {
    return outcome;
  }
  return ReportFailedRemoval(context, code, texts, owner, afterRestartDeclined);
}

}  // namespace prn::install
