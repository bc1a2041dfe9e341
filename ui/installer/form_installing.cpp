#include "ui/installer/form_installing.h"

#include <algorithm>

#include "config/process_values.h"
#include "config/str_installer.h"

namespace prn::ui {

namespace {
constexpr int kHintSteps = 7;
constexpr int kHintStepWidth = 20;
}  // namespace

TFormInstalling::TFormInstalling(FormInstallingView& view, const config::ProcessValues& values,
                                 const sys::Platform& platform)
    : view_(view),
      texts_(values.strInstaller),
      runner_(install::InstallHost::ProgressWindow, *this, values, platform) {}

void TFormInstalling::FormShow() {
  m_iPassTime = 0;
  view_.SetBarPosition(0);
  view_.SetLabel(texts_.Installing);
  runner_.RefreshDevices();
  view_.EnableTimer(InstallingTimer::InstallStart, true);
  view_.EnableTimer(InstallingTimer::InstallingHints, true);
}

void TFormInstalling::tmrInstallStartTimer() {
  view_.EnableTimer(InstallingTimer::InstallStart, false);
  StartInstallThread(true);
}

void TFormInstalling::tmrInstallingHintsTimer() {
  m_iPassTime += kInstallingBarMs;
  view_.SetLabel(texts_.Installing);
  hintStep_ = (hintStep_ + 1) % kHintSteps;
  // The sixth step lies beyond the range and shows the bar full.
  view_.SetBarPosition(std::min(hintStep_ * kHintStepWidth, kBarMaximum));
}

void TFormInstalling::ShowFinished() {
  view_.EnableTimer(InstallingTimer::InstallingHints, false);
  view_.SetBarPosition(kBarMaximum);
  view_.SetLabel(texts_.InstallEnd);
}

void TFormInstalling::RunEnded() {
  view_.EnableTimer(InstallingTimer::InstallingHints, false);
  view_.EnableTimer(InstallingTimer::Setup64Error, false);
  view_.Close();
}

}  // namespace prn::ui
