#include "app/work_folder.h"

#include "sys/files.h"
#include "trace/trace.h"

namespace prn::app {

namespace {

void RemoveWorkFolder(const ProcessValues& values, sys::FileSystem& files) {
  if (!values.workDirCreated || !files.DirectoryExists(values.g_strWorkDir)) return;
  trace::Format(u"准备刪除臨時文件夾：%s", {values.g_strWorkDir}, u"清理");
  files.DeleteTree(values.g_strWorkDir);  // nothing to tell the user when this fails
}

}  // namespace

void CleanupWorkFolder(ProcessValues& values, sys::FileSystem& files) {
  values.g_slPrintersBefore.reset();
  values.g_slPrintersAfter.reset();
  RemoveWorkFolder(values, files);
  trace::Message(u"程序將退出，byby ！");
}

void RemoveWorkFolderAfterFailure(const ProcessValues& values, sys::FileSystem& files) {
  RemoveWorkFolder(values, files);
}

}  // namespace prn::app
