#include "app/shell.h"

#include "app/command_line.h"
#include "app/res_load.h"
#include "app/work_folder.h"
#include "sys/dialogs.h"
#include "sys/system_info.h"
#include "text/error.h"

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
  forms_.RunMessageLoop();
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

void Shell::ReportStartupError(const ustring& text) {
  platform_.dialogs->ShowMessage(0, text, kStartupErrorCaption, sys::mb::Ok | sys::mb::IconError);
}

}  // namespace prn::app
