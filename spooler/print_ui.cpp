#include "spooler/print_ui.h"

#include "sys/processes.h"
#include "trace/trace.h"

namespace prn {

namespace {

constexpr size_t kChunkBytes = 4096;

ustring Widen(const std::string& bytes) {
  ustring text;
  text.reserve(bytes.size());
  for (char c : bytes) text.push_back(static_cast<unsigned char>(c));
  return text;
}

}  // namespace

int32_t RunCMD(sys::Processes& processes, const ustring& commandLine, StringList& output) {
  sys::CapturedStart start = processes.StartCaptured(commandLine);
  if (start.failure == sys::CapturedStart::Failure::Pipe) {
    trace::Message(u"RunCMD 創建管道失敗，函數退出！");
    return kRunCmdPipeFailed;
  }
  if (start.failure != sys::CapturedStart::Failure::None || !start.process) {
    trace::Message(u"RunCMD 創建調用進程失敗，函數退出！");
    return kRunCmdStartFailed;
  }

  // Reading blocks until the child writes or ends, so nothing spins while it runs.
  int32_t result = 0;
  std::string chunk;
  for (;;) {
    auto read = start.process->ReadOutput(chunk, kChunkBytes);
    if (read == sys::CapturedProcess::Read::End) break;
    if (read == sys::CapturedProcess::Read::Failed) {
      trace::Message(u"RunCMD 讀取命名管道失敗，函數退出！");
      break;
    }
    output.push_back(Widen(chunk));
    result = 1;
  }
  // Callers look at the system's printers next: the command must have finished.
  start.process->WaitForEnd();
  return result;
}

}  // namespace prn

namespace prn::spooler {

ustring DriverEnvironment(bool wow64) { return wow64 ? u"Windows x64" : u""; }

ustring PrintUiArchitecture(bool wow64) { return wow64 ? u"x64" : u"intel"; }

bool IsQuotableArgument(ustring_view argument) {
  return argument.find(u'"') == ustring_view::npos && (argument.empty() || argument.back() != u'\\');
}

}  // namespace prn::spooler
