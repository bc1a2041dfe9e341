#include "sim/headless/headless_windows.h"

namespace prn::ui {

namespace {
// How long the worker may stay silent before a watchdog period is let pass.
constexpr std::chrono::milliseconds kQuietWorker{5};
}  // namespace

void PlayUiThread(sim::Machine& machine, const std::function<bool()>& done, const std::function<bool()>& watchdogOn,
                  const std::function<void()>& watchdogTick, const BusyObserver& busy) {
  auto timed = [&busy](const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    if (busy) busy(std::chrono::steady_clock::now() - start);
  };
  sim::SimUiThread& ui = machine.uiThread;
  while (!done()) {
    if (ui.WaitForTask(kQuietWorker)) {
      timed([&ui] { ui.RunPending(); });
    } else if (watchdogOn()) {
      timed(watchdogTick);
    }
  }
}

HeadlessFormMainWindow::HeadlessFormMainWindow(sim::Machine& machine, const config::ProcessValues& values,
                                               sys::WindowHandle handle)
    : machine_(machine), handle_(handle) {
  FormMainView& view = *this;
  model_ = std::make_unique<TFormMain>(view, values, machine.Platform());
  config::FormDescription design = FormMainDesign();
  model_->FormCreate(design);
  if (const auto plan = model_->FormActivate()) model_->OnSelect(plan->firstSelection);
  model_->ActivationDone();
  machine.windows.Register(handle, [this](uint32_t message, uintptr_t, uint32_t lParam) {
    model_->OnHostMessage(message, lParam);
  });
}

HeadlessFormMainWindow::~HeadlessFormMainWindow() {
  machine_.windows.Unregister(handle_);
  model_.reset();
}

bool HeadlessFormMainWindow::Install(int entry, const BusyObserver& busy) {
  model_->OnSelect(entry);
  if (!model_->StartInstall()) return false;
  PlayUiThread(
      machine_, [this] { return !model_->Running(); }, [this] { return watchdogOn; },
      [this] {
        ++watchdogTicks;
        model_->tmrSetup64ErrorTimer();
      },
      busy);
  return true;
}

HeadlessFormInstallingWindow::HeadlessFormInstallingWindow(sim::Machine& machine,
                                                           const config::ProcessValues& values,
                                                           sys::WindowHandle handle)
    : machine_(machine), handle_(handle) {
  FormInstallingView& view = *this;
  model_ = std::make_unique<TFormInstalling>(view, values, machine.Platform());
  machine.windows.Register(handle, [this](uint32_t message, uintptr_t, uint32_t lParam) {
    model_->OnMessage(message, 0, lParam);
  });
}

HeadlessFormInstallingWindow::~HeadlessFormInstallingWindow() {
  machine_.windows.Unregister(handle_);
  model_.reset();
}

void HeadlessFormInstallingWindow::EnableTimer(InstallingTimer timer, bool enabled) {
  if (timer == InstallingTimer::Setup64Error) watchdogOn = enabled;
  if (timer == InstallingTimer::InstallStart) startTimerOn_ = enabled;
}

void HeadlessFormInstallingWindow::Install(const BusyObserver& busy) {
  const int closedBefore = closed;
  model_->FormShow();
  if (startTimerOn_) model_->tmrInstallStartTimer();
  PlayUiThread(
      machine_, [this, closedBefore] { return closed > closedBefore && !model_->Runner().Running(); },
      [this] { return watchdogOn; },
      [this] {
        ++watchdogTicks;
        model_->tmrSetup64ErrorTimer();
      },
      busy);
}

}  // namespace prn::ui
