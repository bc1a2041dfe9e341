#pragma once
// The one road from any thread to the UI thread. A worker never touches a
// window: it posts a task, and the UI thread runs it in its turn. On Windows
// one hidden window of the UI thread receives the tasks; without a desktop a
// simulated UI thread plays them.
//
// Tasks usually touch an object that lives on the UI thread (a window, its
// model). Such an object posts through its own UiTasks, which drops what is
// still queued once the object is gone, and releases whoever waits for it.

#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>

#include "sys/dialogs.h"

namespace prn::sys {

class UiThread {
 public:
  virtual ~UiThread() = default;
  // Queues `task` to run on the UI thread after what was posted before it.
  // Never waits; safe from any thread.
  virtual void Post(std::function<void()> task) = 0;
  // The calling thread is the UI thread.
  virtual bool IsCurrent() const = 0;
};

// Tasks for one object of the UI thread.
class UiTasks {
 public:
  explicit UiTasks(UiThread& thread) : thread_(thread), state_(std::make_shared<State>()) {}
  ~UiTasks() { Close(); }
  UiTasks(const UiTasks&) = delete;
  UiTasks& operator=(const UiTasks&) = delete;

  UiThread& Thread() const { return thread_; }

  // Runs `task` on the UI thread later, unless this has been closed by then.
  void Post(std::function<void()> task);

  // Runs `work` on the UI thread and waits for its result; on the UI thread
  // itself it runs at once. Empty when this was closed before `work` ran.
  // What `work` throws is thrown here.
  template <class Work>
  auto Call(Work work) -> std::optional<std::invoke_result_t<Work&>> {
    using Result = std::invoke_result_t<Work&>;
    static_assert(!std::is_void_v<Result>, "Call work that answers something");
    if (thread_.IsCurrent()) {
      if (!Open()) return std::nullopt;
      return work();
    }
    // Shared with the task: a closed owner lets the caller go before the task is dropped.
    auto value = std::make_shared<std::optional<Result>>();
    auto error = std::make_shared<std::exception_ptr>();
    const bool ran = RunAndWait([value, error, work = std::move(work)]() mutable {
      try {
        *value = work();
      } catch (...) {
        *error = std::current_exception();
      }
    });
    if (!ran) return std::nullopt;
    if (*error) std::rethrow_exception(*error);
    return std::move(*value);
  }

  // UI thread: from now on nothing posted here runs, and every Call that
  // waits returns empty. The owner calls it before it goes.
  void Close();
  bool Open() const;

 private:
  struct State {
    mutable std::mutex mutex;
    std::condition_variable changed;
    bool open = true;
  };
  // Posts `work` and blocks until it has run (true) or this was closed first.
  bool RunAndWait(std::function<void()> work);

  UiThread& thread_;
  std::shared_ptr<State> state_;
};

// Message boxes asked for on any thread, shown on the UI thread: what a
// worker asks is carried there and the worker waits for the answer. A box
// that can no longer be shown (its owner has gone) answers Cancel.
class UiThreadDialogs : public Dialogs {
 public:
  UiThreadDialogs(UiTasks& tasks, Dialogs& dialogs) : tasks_(tasks), dialogs_(dialogs) {}
  int ShowMessage(WindowHandle owner, const ustring& text, const ustring& caption, uint32_t flags) override;

 private:
  UiTasks& tasks_;
  Dialogs& dialogs_;
};

}  // namespace prn::sys
