#include "app/shell.h"

#include "app/command_line.h"
#include "app/res_load.h"
#include "app/work_folder.h"
#include "sys/dialogs.h"
#include "sys/processes.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::app {

namespace {
// Start-up errors come before the language file is read, so their box has the
// same fixed caption as the missing-settings box.
constexpr char16_t kStartupErrorCaption[] = u"出錯了";
}  // namespace

Shell::Shell(const sys::Platform& platform, FormHost& forms) : platform_(platform), forms_(forms) {
  values_.g_wSystemLangId = platform_.system->SystemDefaultLangId();
}

int Shell::Run(const StringList& parameters) {
  forms_.Initialize();
  const CommandLine commandLine = ParseCommandLine(parameters);
  values_.g_strLangCode = commandLine.langCode;

  if (!LoadAndCreateWindows(commandLine.manager)) {
    RemoveWorkFolderAfterFailure(values_, *platform_.files);
    return kExitStartupFailed;
  }
  // Nothing but the skinned window reads the copied pictures: it waits for
  // them itself, the others let them come once they are on the screen.
  forms_.RunMessageLoop([this] { values_.resourceCopy.StartInBackground(); });
  WaitForRunningHosts();
  CleanupWorkFolder(values_, *platform_.files);
  return kExitNormal;
}

bool Shell::LoadAndCreateWindows(bool manager) {
  try {
    if (ResLoad(values_.g_strLangCode, platform_, values_) == ResLoadResult::SetupIniMissing) return false;
    // Entry 0 decides the installer window; reading it first means an index
    // error stops start-up before any window exists.
    const int32_t viewMode = values_.installInfos.GetInfoItem(0).ViewMode;
    for (FormKind kind : PlanWindows(manager, viewMode)) forms_.CreateForm(kind);
    return true;
  } catch (const Error& error) {
    ReportStartupError(error.Text());
    return false;
  }
}

// A host still running is inside a driver install: ending it would leave the
// device half installed. It is waited for, and its files in the work folder
// go only after it.
void Shell::WaitForRunningHosts() {
  if (!platform_.processes) return;
  if (int waited = platform_.processes->WaitForDetachedProcesses()) {
    trace::Format(u"程序退出前，等待了仍在運行的64位進程：%d", {waited});
  }
}

void Shell::ReportStartupError(const ustring& text) {
  platform_.dialogs->ShowMessage(0, text, kStartupErrorCaption, sys::mb::Ok | sys::mb::IconError);
}

}  // namespace prn::app
