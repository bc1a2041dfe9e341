#include "ui/installer/installing_hints.h"

namespace prn::ui {

namespace {
constexpr int kDotCycle = 7;
}

InstallingHints::Tick InstallingHints::OnTimer(install::TInstallProgress progress, ustring_view installing,
                                               ustring_view installEnd) {
  // Before the install itself starts (the older driver, the question) there is nothing to say yet.
  if (progress == install::TInstallProgress::IPNotStart) return {ustring(), true};
  if (progress != install::TInstallProgress::IPInstalling) return {ustring(installEnd), false};
  ustring text = ustring(installing) + u" " + ustring(dots_, u'.');
  dots_ = (dots_ + 1) % kDotCycle;
  return {std::move(text), true};
}

}  // namespace prn::ui
