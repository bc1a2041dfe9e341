#pragma once
// How another thread hands work to the window thread: the task runs there,
// later, in the order posted. Posting never waits for the window.

#include <functional>

namespace prn::ui {

class TaskPoster {
 public:
  virtual ~TaskPoster() = default;
  virtual void Post(std::function<void()> task) = 0;
};

}  // namespace prn::ui
