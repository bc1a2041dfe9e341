#include "install/buffer_driver_files.h"

#include <utility>

#include "config/install_infos.h"
#include "config/profile_file.h"
#include "install/driver_ver.h"
#include "install/inst2k_session.h"
#include "sys/system_info.h"
#include "sys/files.h"
#include "sys/shell.h"
#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/error.h"
#include "text/format.h"
#include "text/winpath.h"
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

namespace {

bool IsDeviceName(ustring_view name) {
  ustring stem = AsciiUpper(name.substr(0, name.find(u'.')));
  while (!stem.empty() && stem.back() == u' ') stem.pop_back();
  for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
    if (stem == device) return true;
  }
  return stem.size() == 4 && (stem.starts_with(u"COM") || stem.starts_with(u"LPT")) && stem[3] >= u'1' &&
         stem[3] <= u'9';
}

ustring PercentSpelling(char16_t c) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  return {u'%', kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
}

}  // namespace

ustring FolderNameFor(ustring_view name) {
  size_t kept = name.size();
  while (kept > 0 && (name[kept - 1] == u'.' || name[kept - 1] == u' ')) --kept;
  ustring folder;
  for (size_t i = 0; i < name.size(); ++i) {
    char16_t c = name[i];
    bool mapped = c == u'%' || c == u'/' || c == u':' || i >= kept;
    folder += mapped ? PercentSpelling(c) : ustring(1, c);
  }
  return folder;
}

bool IsPlainFolderName(ustring_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  for (char16_t c : name) {
    if (c < 0x20 || ustring_view(u"<>:\"/\\|?*").find(c) != ustring_view::npos) return false;
  }
  if (name.back() == u' ' || name.back() == u'.') return false;
  return !IsDeviceName(name);
}

StagingFolder MakeStagingFolder(ustring_view programFiles, ustring_view maker, ustring_view model) {
  if (!IsAbsoluteWindowsPath(programFiles))
    throw Error(Format(u"The Program Files folder \"%s\" is not a full path; the driver package cannot be staged.",
                       {programFiles}));
  const ustring makerFolder = FolderNameFor(maker), modelFolder = FolderNameFor(model);
  for (const auto& [name, folder] : {std::pair{maker, &makerFolder}, std::pair{model, &modelFolder}}) {
    if (!IsPlainFolderName(*folder))
      throw Error(Format(u"\"%s\" cannot be used as a folder name (it is empty, holds \\ * ? \" < > | or "
                         u"control characters, or names a device); the driver package cannot be staged.",
                         {name}));
  }
  StagingFolder staging;
  staging.root = JoinPath(JoinPath(programFiles, makerFolder), u"Printer Drivers");
  staging.folder = JoinPath(staging.root, modelFolder);
  return staging;
}

bool LiesUnder(ustring_view target, ustring_view root) {
  ustring base(root);
  while (!base.empty() && base.back() == u'\\') base.pop_back();
  return target.size() > base.size() + 1 && StartsWithNoCase(target, base) && target[base.size()] == u'\\';
}

namespace {

constexpr char16_t kTraceTag[] = u"BufferDriverFiles";
// Beside the staging folder, the new copy while it is made and checked, and
// the old one while the new one takes its place. FolderNameFor spells every
// "%" as "%25", so no model's folder can have these names.
constexpr char16_t kFreshSuffix[] = u"%new";
constexpr char16_t kAsideSuffix[] = u"%old";

[[noreturn]] void Fail(const sys::SystemInfo& system, const ustring& what, uint32_t code) {
  ustring reason = system.ErrorMessage(code);
  if (reason.empty()) reason = Format(u"Windows error %u.", {code});
  throw Error(what + u"\r\n" + reason + u"\r\nThe driver was not installed.");
}

// The driver folder of a package is its own: a DriverDir with "..", or one
// reached through a junction, must not have administrator rights copy
// whatever lies elsewhere into Program Files and register it.
void CheckDriverFolder(const sys::FileSystem& files, const ustring& packageFolder, const ustring& driverDir) {
  const ustring package = files.FullPath(packageFolder), folder = files.FullPath(driverDir);
  if (!EqualsNoCase(folder, package) && !LiesUnder(folder, package)) {
    throw Error(Format(u"The driver folder \"%s\" lies outside the package folder \"%s\"; it is not installed.",
                       {folder, package}));
  }
  for (ustring part = folder; part.size() > package.size(); part = FolderPart(part)) {
    if (files.IsLink(part)) {
      throw Error(Format(u"The driver folder \"%s\" is reached through the link \"%s\"; it is not installed.",
                         {folder, part}));
    }
  }
}

// A folder that an earlier run left beside the staging folder.
void RemoveLeftover(sys::FileSystem& files, const StagingFolder& staging, const ustring& folder) {
  if (!files.DirectoryExists(folder) && !files.IsLink(folder)) return;
  if (LiesUnder(files.FullPath(folder), files.FullPath(staging.root))) files.DeleteTree(folder);
}

// The old copy goes through the shell, and a failure to remove it only
// leaves it beside the staging folder, where the next run removes it.
void DeleteOldStaging(const StagingContext& run, const StagingFolder& staging, const ustring& aside) {
  sys::FileSystem& files = *run.platform.files;
  trace::Message(u"準備刪除舊版文件：" + aside, kTraceTag);
  // A recursive delete with administrator rights: never anywhere but inside the root.
  if (!LiesUnder(files.FullPath(aside), files.FullPath(staging.root)))
    throw Error(Format(u"The folder \"%s\" does not lie under \"%s\"; it is not deleted.", {aside, staging.root}));
  int code = run.platform.shell->DeleteWithShell(aside, kStagingDeleteFlags, run.window);
  if (code != 0) trace::Format(u"刪除操作沒有成功完成，返回碼：0x%X", {code});
}

// The package is copied beside the staging folder, the copy is checked, and
// only then renamed into place: a copy that fails never stands where this or
// a later run would install from it. Raises prn::Error with a clear text.
void StagePackage(const StagingContext& run, const StagingFolder& staging, const ustring& driverDir,
                  const ustring& infName) {
  sys::FileSystem& files = *run.platform.files;
  const sys::SystemInfo& system = *run.platform.system;
  CheckDriverFolder(files, system.ExecutableFolder(), driverDir);
  const ustring fresh = staging.folder + kFreshSuffix, aside = staging.folder + kAsideSuffix;
  RemoveLeftover(files, staging, fresh);
  RemoveLeftover(files, staging, aside);

  uint32_t code = files.CreateDirectories(fresh);
  if (code == 0) code = files.CopyTree(driverDir, fresh);
  std::string copied, original;
  if (code == 0 && (files.ReadFile(JoinPath(fresh, infName), copied) != 0 ||
                    files.ReadFile(JoinPath(driverDir, infName), original) != 0 || copied != original)) {
    code = winerr::InvalidData;  // the INF did not arrive as it is
  }
  if (code != 0) {
    trace::Format(u"複製驅動程序文件失敗（%s），錯誤碼：%d", {fresh, code}, kTraceTag);
    RemoveLeftover(files, staging, fresh);
    Fail(system, Format(u"The driver files of \"%s\" could not be copied to \"%s\".", {driverDir, staging.folder}),
         code);
  }

  const bool replacing = files.DirectoryExists(staging.folder);
  if (replacing && (code = files.MoveFolder(staging.folder, aside)) != 0) {
    RemoveLeftover(files, staging, fresh);
    Fail(system, Format(u"The driver files in \"%s\" are in use and could not be replaced.", {staging.folder}),
         code);
  }
  if ((code = files.MoveFolder(fresh, staging.folder)) != 0) {
    if (replacing) files.MoveFolder(aside, staging.folder);
    RemoveLeftover(files, staging, fresh);
    Fail(system, Format(u"The driver files could not be put in place in \"%s\".", {staging.folder}), code);
  }
  if (replacing) DeleteOldStaging(run, staging, aside);
}

}  // namespace

bool BufferDriverFiles(const StagingContext& run, ustring& strOemInf) {
  if (run.m_iSelect < 0) return false;
  sys::FileSystem& files = *run.platform.files;
  const sys::CodePage& ansi = *run.platform.codePage;

  auto programFiles = run.platform.shell->ProgramFilesFolder(run.window);
  if (!programFiles) return false;

  config::TRInstallInfo info = run.settings->GetInfoItem(run.m_iSelect);
  ustring infName = FileNamePart(run.wow64 ? info.INFX64 : info.INF2K);
  ustring sourceInf = info.DriverDir + u"\\" + infName;
  StagingFolder staging = MakeStagingFolder(*programFiles, run.OEMManufactor, info.PrinterName);
  ustring stagedInf = staging.folder + u"\\" + infName;

  if (InfCompareVersion(files, ansi, sourceInf, stagedInf) != 0) StagePackage(run, staging, info.DriverDir, infName);

  strOemInf = stagedInf;
  ustring registeredPath;
  RegisterInfFile({*run.platform.deviceLibraries, *run.platform.lastError, ansi}, run.inst2kDll, strOemInf,
                  registeredPath);

  if (run.infChoice == InfChoice::SystemStoreCopy) {
    strOemInf = registeredPath;
    if (!files.FileExists(registeredPath)) return false;
  } else {
    if (!files.FileExists(registeredPath)) registeredPath = stagedInf;
    if (!files.FileExists(registeredPath)) return false;
  }
  trace::Message(u"向系統註冊了Inf文件：" + registeredPath, kTraceTag);

  int64_t sourceLength = config::TextLength(files, ansi, sourceInf);
  trace::Format(u"System Inf（%s）長度：%d，Src Inf（%s）長度：%d。",
                {FileNamePart(registeredPath), config::TextLength(files, ansi, registeredPath), infName, sourceLength});
  if (config::TextLength(files, ansi, strOemInf) != sourceLength) {
    strOemInf = sourceInf;
    trace::Message(u"註冊Inf文件后发现文件不正确，使用原Inf文件：" + strOemInf);
  }
  return true;
}

}  // namespace prn::install
