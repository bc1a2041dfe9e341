#include "app/startup.h"

#include "app/res_load.h"
#include "sys/dialogs.h"
#include "sys/files.h"
#include "sys/processes.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::app {

namespace {
// Start-up errors come before the language file is read, so their box has the
// same fixed caption as the missing-settings box.
constexpr char16_t kStartupErrorCaption[] = u"出錯了";

// The work folder goes by what it holds, never through a link planted in it.
void RemoveWorkFolder(ProcessValues& values, sys::FileSystem& files) {
  values.resourceCopy.Settle();
  std::unique_ptr<sys::PrivateFolder> folder = std::move(values.workFolder);
  if (!folder || !files.DirectoryExists(values.g_strWorkDir)) return;
  trace::Format(u"准备刪除臨時文件夾：%s", {values.g_strWorkDir}, u"清理");
  folder->Remove();  // nothing to tell the user when this fails
}

// After the message loop: frees the printer-name lists and deletes the work
// folder; the empty tmp file that named it stays.
void CleanupWorkFolder(ProcessValues& values, sys::FileSystem& files) {
  values.g_slPrintersBefore.reset();
  values.g_slPrintersAfter.reset();
  RemoveWorkFolder(values, files);
  trace::Message(u"程序將退出，byby ！");
}

}  // namespace

CommandLine ParseCommandLine(const StringList& parameters) {
  CommandLine result;
  if (!parameters.empty()) {
    const ustring code = AsciiUpper(parameters[0]);
    if (code == u"EN" || code == u"SC" || code == u"TC") result.langCode = parameters[0];
  }
  // An unrecognised language code does not shift "MANAGER" into position 1.
  result.manager = parameters.size() >= 2 && AsciiUpper(parameters[1]) == u"MANAGER";
  return result;
}

Startup::Startup(const sys::Platform& platform, ui::FormHost& forms) : platform_(platform), forms_(forms) {
  values_.g_wSystemLangId = platform_.system->SystemDefaultLangId();
}

int Startup::Run(const StringList& parameters) {
  forms_.Initialize();
  const CommandLine commandLine = ParseCommandLine(parameters);
  values_.g_strLangCode = commandLine.langCode;

  if (!LoadAndCreateWindows(commandLine.manager)) {
    // No extracted program is left behind after a failed start.
    RemoveWorkFolder(values_, *platform_.files);
    return kExitStartupFailed;
  }
  // Nothing but the skinned window reads the copied pictures: it waits for
  // them itself, the others let them come once they are on the screen.
  forms_.RunMessageLoop([this] { values_.resourceCopy.StartInBackground(); });
  WaitForRunningHosts();
  CleanupWorkFolder(values_, *platform_.files);
  return kExitNormal;
}

bool Startup::LoadAndCreateWindows(bool manager) {
  try {
    if (ResLoad(values_.g_strLangCode, platform_, values_) == ResLoadResult::SetupIniMissing) return false;
    // Entry 0 decides the installer window; reading it first means an index
    // error stops start-up before any window exists.
    const int32_t viewMode = values_.installInfos.GetInfoItem(0).ViewMode;
    for (ui::FormKind kind : ui::PlanWindows(manager, viewMode)) forms_.CreateForm(kind);
    return true;
  } catch (const Error& error) {
    ReportStartupError(error.Text());
    return false;
  }
}

// A host still running is inside a driver install: ending it would leave the
// device half installed. It is waited for, and its files in the work folder
// go only after it.
void Startup::WaitForRunningHosts() {
  if (!platform_.processes) return;
  if (int waited = platform_.processes->WaitForDetachedProcesses()) {
    trace::Format(u"程序退出前，等待了仍在運行的64位進程：%d", {waited});
  }
}

void Startup::ReportStartupError(const ustring& text) {
  platform_.dialogs->ShowMessage(0, text, kStartupErrorCaption, sys::mb::Ok | sys::mb::IconError);
}

}  // namespace prn::app
