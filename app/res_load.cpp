#include "app/res_load.h"

#include "app/system_queries.h"
#include "sys/dialogs.h"
#include "sys/files.h"
#include "sys/resources.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "text/format.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::app {

namespace {

constexpr char16_t kLoadTag[] = u"加载";
constexpr char16_t kSetupIniMissing[] = u"配置文件（%s）不存在，程序將退出！";
constexpr char16_t kSetupIniMissingCaption[] = u"出錯了";
constexpr int kWorkFolderAttempts = 100;

class Loader {
 public:
  Loader(const sys::Platform& platform, ProcessValues& values)
      : files_(*platform.files), system_(*platform.system), resources_(*platform.resources),
        dialogs_(*platform.dialogs), codePage_(*platform.codePage), values_(values) {}

  ResLoadResult Run(const ustring& langCode) {
    trace::Enter(u"_ResLoad()");
    CreateWorkFolder();
    CopyResourceFolder();
    values_.g_iWinVer = GetWinVer(system_);
    values_.g_bWow64 = IsWow64(system_);
    values_.g_slPrintersBefore.emplace();
    values_.g_slPrintersAfter.emplace();
    ExtractFiles(langCode);

    values_.g_strSetupIni = files_.FullPath(u"Setup.Ini");
    if (!files_.FileExists(values_.g_strSetupIni)) {
      dialogs_.ShowMessage(0, Format(kSetupIniMissing, {values_.g_strSetupIni}), kSetupIniMissingCaption,
                           sys::mb::Ok | sys::mb::IconError);
      return ResLoadResult::SetupIniMissing;
    }
    LoadSettingsAndTexts();
    trace::Leave(u"_ResLoad()");
    return ResLoadResult::Loaded;
  }

 private:
  [[noreturn]] void Fail(uint32_t code, const ustring& subject) const {
    throw Error(SystemErrorText(system_, code, subject));
  }

  // A unique tmpXXXX.tmp in the temporary folder names the work folder; the
  // empty file itself stays where the system created it. A folder of that
  // name that exists already is someone else's: the next unique name is taken.
  void CreateWorkFolder() {
    const ustring temp = GetTempDirectory(system_);
    for (int attempt = 1;; ++attempt) {
      ustring uniqueFile;
      if (uint32_t code = system_.CreateTempFileName(temp, u"tmp", uniqueFile)) Fail(code, temp);
      ustring name = FileNamePart(uniqueFile);
      name = name.substr(0, name.find_last_of(u'.'));
      values_.g_strWorkDir = JoinPath(JoinPath(temp, u"Pellnor\\PrnSetup"), name);

      trace::Format(u"准备从%s創建臨時文件夾。", {values_.g_strWorkDir}, kLoadTag);
      // The parents are shared by every run; the work folder itself gets an
      // access list before anything is written into it.
      files_.CreateDirectories(FolderPart(values_.g_strWorkDir));
      const uint32_t code = system_.CreatePrivateFolder(values_.g_strWorkDir, values_.workFolder);
      if (code == winerr::Success) return;
      if (code != winerr::AlreadyExists || attempt == kWorkFolderAttempts) Fail(code, values_.g_strWorkDir);
    }
  }

  void CopyResourceFolder() {
    const ustring source = JoinPath(system_.ExecutableFolder(), u"Resource");
    if (!files_.DirectoryExists(source)) return;
    const ustring target = JoinPath(values_.g_strWorkDir, u"Resource");
    values_.resourceCopy.Prepare(files_, source, target);
    values_.g_strResourceDir = target + u"\\";
  }

  void ExtractFiles(const ustring& langCode) {
    const ustring langFolder = JoinPath(values_.g_strWorkDir, u"Lang");
    trace::Format(u"准备釋放資源文件：%s", {langFolder});
    files_.CreateDirectories(langFolder);  // a failure shows up as the write error below

    std::string bytes = ReadResource(u"RC_STRINGS_INI" + LanguageCodeSuffix(u"_", langCode, system_));
    values_.g_strLangIni = JoinPath(langFolder, u"Strings.ini");
    trace::Format(u"准备釋放ini文件：%s", {values_.g_strLangIni});
    WriteExtracted(values_.g_strLangIni, bytes);

    bytes = ReadResource(u"INST2KDLL");
    values_.g_strInst2kDll = JoinPath(values_.g_strWorkDir, u"inst2k.dll");
    trace::Format(u"准备釋放inst2k文件：%s", {values_.g_strInst2kDll});
    WriteExtracted(values_.g_strInst2kDll, bytes);

    bytes = ReadResource(u"INST2K64DLL");
    values_.g_strInst2k64Dll = JoinPath(values_.g_strWorkDir, u"inst2k64.dll");
    WriteExtracted(values_.g_strInst2k64Dll, bytes);

    bytes = ReadResource(u"PRNSETUP64EXE");
    values_.g_strPrnSetup64Exe = JoinPath(values_.g_strWorkDir, u"PrnSetup64.exe");
    WriteExtracted(values_.g_strPrnSetup64Exe, bytes);
  }

  std::string ReadResource(const ustring& name) const {
    std::string bytes;
    if (uint32_t code = resources_.ReadRcData(name, bytes)) Fail(code, name);
    return bytes;
  }

  // Held open with read sharing only until the folder goes, so that what is
  // loaded or started later is what was written.
  void WriteExtracted(const ustring& path, const std::string& bytes) {
    if (uint32_t code = values_.workFolder->WriteHeldFile(path, bytes)) Fail(code, path);
  }

  void LoadSettingsAndTexts() {
    config::SettingsEnvironment env;
    env.files = &files_;
    env.codePage = &codePage_;
    env.programFolder = system_.ExecutableFolder() + u"\\";
    env.systemLangId = values_.g_wSystemLangId;
    env.winVer = values_.g_iWinVer;
    values_.installInfos.LoadFromFile(values_.g_strSetupIni, env);

    // The brand row of the language file comes from settings entry 0.
    trace::Format(u"准备从文件%s加载界面字符串資源文件", {values_.g_strLangIni}, kLoadTag);
    values_.langOptions.LoadFromFile(values_.g_strLangIni, values_.installInfos, files_, codePage_);
  }

  sys::FileSystem& files_;
  sys::SystemInfo& system_;
  const sys::Resources& resources_;
  sys::Dialogs& dialogs_;
  const sys::CodePage& codePage_;
  ProcessValues& values_;
};

}  // namespace

ResLoadResult ResLoad(const ustring& langCode, const sys::Platform& platform, ProcessValues& values) {
  return Loader(platform, values).Run(langCode);
}

}  // namespace prn::app
