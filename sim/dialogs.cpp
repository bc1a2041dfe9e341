#include "sim/dialogs.h"

namespace prn::sim {

namespace {

int FirstButton(uint32_t flags) {
  switch (flags & 0x0F) {
    case sys::mb::YesNo:
    case sys::mb::YesNoCancel:
      return sys::mb::IdYes;
    default:
      return sys::mb::IdOk;
  }
}

}  // namespace

int SimDialogs::ShowMessage(sys::WindowHandle owner, const ustring& text, const ustring& caption, uint32_t flags) {
  if (whileShown) whileShown(Shown{owner, text, caption, flags, 0});
  int answer = FirstButton(flags);
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  shown_.push_back(Shown{owner, text, caption, flags, answer});
  return answer;
}

}  // namespace prn::sim
