#include "app/res_load.h"

#include <vector>

#include "sys/system_queries.h"
#include "sys/dialogs.h"
#include "sys/files.h"
#include "sys/system_info.h"
#include "sys/usb_port_library.h"
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
        dialogs_(*platform.dialogs), codePage_(*platform.codePage), usb_(*platform.usb), values_(values) {}

  ResLoadResult Run(const ustring& langCode) {
    trace::Enter(u"_ResLoad()");
    CreateWorkFolder();
    CopyResourceFolder();
    values_.g_iWinVer = sys::GetWinVer(system_);
    values_.g_bWow64 = sys::IsWow64(system_);
    values_.g_slPrintersBefore.emplace();
    values_.g_slPrintersAfter.emplace();
    ExtractFiles(langCode);
    CopyUsbPortLibrary();

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
    throw Error(sys::SystemErrorText(system_, code, subject));
  }

  // The work folder lies where no standard user can make or re-point any
  // part of its path: directly in the Windows folder's SystemTemp (where that
  // exists and lets us in) or Temp, never in the user's %TEMP%, which the
  // user's own processes may turn into a link at any time. Its name cannot
  // be guessed beforehand; a name that is taken (a folder, a file or a link
  // someone planted) is never used, the next one is tried instead.
  void CreateWorkFolder() {
    const ustring windows = system_.WindowsDirectory();
    std::vector<ustring> parents;
    if (files_.DirectoryExists(JoinPath(windows, u"SystemTemp"))) parents.push_back(JoinPath(windows, u"SystemTemp"));
    parents.push_back(JoinPath(windows, u"Temp"));
    for (size_t parent = 0; parent < parents.size(); ++parent) {
      const bool lastParent = parent + 1 == parents.size();
      for (int attempt = 1;; ++attempt) {
        uint64_t number = 0;
        if (uint32_t code = system_.UnpredictableNumber(number)) Fail(code, parents[parent]);
        values_.g_strWorkDir = JoinPath(parents[parent], Format(u"PrnSetup-%.8X%.8X", {static_cast<unsigned>(number >> 32),
                                                                                     static_cast<unsigned>(number)}));
        trace::Format(u"准备从%s創建臨時文件夾。", {values_.g_strWorkDir}, kLoadTag);
        const uint32_t code = system_.CreatePrivateFolder(values_.g_strWorkDir, values_.workFolder);
        if (code == winerr::Success) return;
        if (code == winerr::AlreadyExists && attempt < kWorkFolderAttempts) continue;
        if (code == winerr::AccessDenied && !lastParent) break;  // SystemTemp is SYSTEM's alone here
        Fail(code, values_.g_strWorkDir);
      }
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

    std::string bytes = ReadResource(u"RC_STRINGS_INI" + sys::LanguageCodeSuffix(u"_", langCode, system_));
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

  // The package's USB port library is its code that runs in this elevated
  // process. It is copied now, as the user starts the installer, and bound
  // from the copy: the package folder (often a Downloads folder) may be
  // changed by the user's other processes long before its first use.
  void CopyUsbPortLibrary() {
    const ustring source = JoinPath(system_.ExecutableFolder(), u"PLP_RW.DLL");
    std::string bytes;
    if (!files_.FileExists(source) || files_.ReadFile(source, bytes) != winerr::Success) {
      trace::Format(u"USB port library %s not found beside the program: no USB printers", {source});
      return;
    }
    values_.usbPortLibrary = JoinPath(values_.g_strWorkDir, u"PLP_RW.DLL");
    WriteExtracted(values_.usbPortLibrary, bytes);
    usb_.UseLibraryAt(values_.usbPortLibrary);
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
  sys::UsbPortLibrary& usb_;
  ProcessValues& values_;
};

}  // namespace

ResLoadResult ResLoad(const ustring& langCode, const sys::Platform& platform, ProcessValues& values) {
  return Loader(platform, values).Run(langCode);
}

}  // namespace prn::app
