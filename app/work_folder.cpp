#include "app/work_folder.h"

#include "sys/files.h"
#include "trace/trace.h"

namespace prn::app {

namespace {

// By what the folder holds, never through a link planted in it.
void RemoveWorkFolder(ProcessValues& values, sys::FileSystem& files) {
  values.resourceCopy.Settle();
  std::unique_ptr<sys::PrivateFolder> folder = std::move(values.workFolder);
  if (!folder || !files.DirectoryExists(values.g_strWorkDir)) return;
  trace::Format(u"准备刪除臨時文件夾：%s", {values.g_strWorkDir}, u"清理");
  folder->Remove();  // nothing to tell the user when this fails
}

}  // namespace

void CleanupWorkFolder(ProcessValues& values, sys::FileSystem& files) {
  values.g_slPrintersBefore.reset();
  values.g_slPrintersAfter.reset();
  RemoveWorkFolder(values, files);
  trace::Message(u"程序將退出，byby ！");
}

void RemoveWorkFolderAfterFailure(ProcessValues& values, sys::FileSystem& files) {
  RemoveWorkFolder(values, files);
}

}  // namespace prn::app
