#include "install/queued_install_window.h"

#include <future>
#include <memory>

namespace prn::install {

void QueuedInstallWindow::ShowSearchWindow() {
  // The task owns the promise: a task dropped unrun, because its window has
  // gone, breaks the promise and so still releases the run.
  auto closed = std::make_shared<std::promise<void>>();
  std::future<void> done = closed->get_future();
  post_([this, closed = std::move(closed)] {
    try {
      window_.ShowSearchWindow();
    } catch (...) {
    }
    closed->set_value();
  });
  done.wait();
}

}  // namespace prn::install
