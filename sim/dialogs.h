#pragma once
// Message boxes of the simulated machine: each is recorded, and the answer
// is taken from a script (or is the box's first button when none is left).

#include <deque>
#include <functional>
#include <initializer_list>
#include <vector>

#include "sys/dialogs.h"

namespace prn::sim {

class SimDialogs : public sys::Dialogs {
 public:
  struct Shown {
    sys::WindowHandle owner = 0;
    ustring text;
    ustring caption;
    uint32_t flags = 0;
    int answer = 0;  // the button the box was answered with
  };

  // The answers of the next boxes, in order.
  void ScriptAnswers(std::initializer_list<int> answers) { answers_.insert(answers_.end(), answers); }
  const std::vector<Shown>& Boxes() const { return shown_; }
  // Runs while a box is up, before it is answered: what a user might try on
  // the window behind it meanwhile.
  std::function<void(const Shown&)> whileShown;

  int ShowMessage(sys::WindowHandle owner, const ustring& text, const ustring& caption, uint32_t flags) override;

 private:
  std::deque<int> answers_;
  std::vector<Shown> shown_;
};

}  // namespace prn::sim
