#include "ui/installer/installing_form.h"

#include <algorithm>
#include <utility>

#include "config/str_installer.h"

namespace prn::ui {

namespace {
constexpr int kHintSteps = 7;
constexpr int kHintStepWidth = 20;
}  // namespace

install::InstallServices TFormInstalling::WithWindow(install::InstallServices services,
                                                     install::InstallWindow* window) {
  services.window = window;
  return services;
}

TFormInstalling::TFormInstalling(install::InstallServices services, InstallingView& view, sys::WindowHandle handle,
                                 install::PostToUi post)
    : view_(view), handle_(handle), texts_(*services.texts), session_(WithWindow(services, this), std::move(post)) {
  services.context->m_hWnd = handle;
}

void TFormInstalling::FormShow() {
  m_iPassTime = 0;
  view_.SetBarPosition(0);
  view_.SetLabel(texts_.Installing);
  session_.RefreshDevices();
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

void TFormInstalling::CloseProgress() {
  view_.EnableTimer(InstallingTimer::InstallingHints, false);
  view_.EnableTimer(InstallingTimer::Setup64Error, false);
  view_.Close();
}

}  // namespace prn::ui
