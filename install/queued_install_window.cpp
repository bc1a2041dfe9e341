#include "install/queued_install_window.h"

#include <future>

namespace prn::install {

void QueuedInstallWindow::ShowSearchWindow() {
  std::promise<void> closed;
  std::future<void> done = closed.get_future();
  post_([this, &closed] {
    try {
      window_.ShowSearchWindow();
    } catch (...) {
    }
    closed.set_value();
  });
  done.wait();
}

}  // namespace prn::install
