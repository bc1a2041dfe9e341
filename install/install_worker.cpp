#include "install/install_worker.h"

#include "trace/trace.h"

namespace prn::install {

bool InstallWorker::Start(std::function<void()> body) {
  if (running_.exchange(true)) return false;
  if (thread_.joinable()) thread_.join();  // the previous run has ended
  trace::Message(u"創建驅動安裝線程。。。");
  thread_ = std::thread([this, body = std::move(body)] {
    trace::Message(u"驅動安裝線程正在執行安裝任務。");
    try {
      body();
    } catch (...) {
      // The run reports its own errors; nothing may end the process from here.
    }
    running_ = false;
  });
  return true;
}

void InstallWorker::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace prn::install
