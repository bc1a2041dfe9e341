#include "install/buffer_driver_files.h"

#include "config/install_infos.h"
#include "install/driver_ver.h"
#include "install/file_text.h"
#include "install/register_inf.h"
#include "install/staging_folder.h"
#include "sys/files.h"
#include "sys/shell.h"
#include "text/error.h"
#include "text/format.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

constexpr char16_t kTraceTag[] = u"BufferDriverFiles";

void DeleteOldStaging(const StagingContext& run, const StagingFolder& staging) {
  sys::FileSystem& files = *run.platform.files;
  trace::Message(u"準備刪除舊版文件：" + staging.folder, kTraceTag);
  // A recursive delete with administrator rights: never anywhere but inside the root.
  if (!LiesUnder(files.FullPath(staging.folder), files.FullPath(staging.root)))
    throw Error(Format(u"The folder \"%s\" does not lie under \"%s\"; it is not deleted.",
                       {staging.folder, staging.root}));
  int code = run.platform.shell->DeleteWithShell(staging.folder, kStagingDeleteFlags, run.window);
  if (code != 0) trace::Format(u"刪除操作沒有成功完成，返回碼：0x%X", {code});
}

void CopyPackage(sys::FileSystem& files, const ustring& driverDir, const ustring& folder) {
  uint32_t code = files.CreateDirectories(folder);
  if (code == 0) code = files.CopyTree(driverDir, folder);
  if (code != 0) trace::Format(u"複製驅動程序文件失敗（%s），錯誤碼：%d", {folder, code}, kTraceTag);
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

  bool restage = InfCompareVersion(files, ansi, sourceInf, stagedInf) != 0;
  if (restage && files.DirectoryExists(staging.folder)) DeleteOldStaging(run, staging);
  if (restage) CopyPackage(files, info.DriverDir, staging.folder);

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

  int64_t sourceLength = TextLength(files, ansi, sourceInf);
  trace::Format(u"System Inf（%s）長度：%d，Src Inf（%s）長度：%d。",
                {FileNamePart(registeredPath), TextLength(files, ansi, registeredPath), infName, sourceLength});
  if (TextLength(files, ansi, strOemInf) != sourceLength) {
    strOemInf = sourceInf;
    trace::Message(u"註冊Inf文件后发现文件不正确，使用原Inf文件：" + strOemInf);
  }
  return true;
}

}  // namespace prn::install
