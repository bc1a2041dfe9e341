#include "sys/ui_thread.h"

namespace prn::sys {

void UiTasks::Post(std::function<void()> task) {
  thread_.Post([state = state_, task = std::move(task)] {
    {
      std::lock_guard lock(state->mutex);
      if (!state->open) return;
    }
    task();
  });
}

bool UiTasks::RunAndWait(std::function<void()> work) {
  auto done = std::make_shared<bool>(false);
  Post([state = state_, done, work = std::move(work)] {
    work();
    {
      std::lock_guard lock(state->mutex);
      *done = true;
    }
    state->changed.notify_all();
  });
  // The state, not this: the owner may go while we wait, and its going wakes us.
  const std::shared_ptr<State> state = state_;
  std::unique_lock lock(state->mutex);
  state->changed.wait(lock, [&state, &done] { return *done || !state->open; });
  return *done;
}

void UiTasks::Close() {
  {
    std::lock_guard lock(state_->mutex);
    if (!state_->open) return;
    state_->open = false;
  }
  state_->changed.notify_all();
}

bool UiTasks::Open() const {
  std::lock_guard lock(state_->mutex);
  return state_->open;
}

int UiThreadDialogs::ShowMessage(WindowHandle owner, const ustring& text, const ustring& caption, uint32_t flags) {
  const std::optional<int> answer =
      tasks_.Call([&dialogs = dialogs_, owner, text, caption, flags] {
        return dialogs.ShowMessage(owner, text, caption, flags);
      });
  return answer.value_or(mb::IdCancel);
}

}  // namespace prn::sys
