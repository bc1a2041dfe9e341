// The progress window's model: when the worker starts, how the bar moves,
// what the host's messages do there, and that the run ends by closing it.

#include "ui/installer/form_installing.h"

#include <gtest/gtest.h>

#include <map>

#include "run_fixture.h"
#include "sim/headless/headless_windows.h"

namespace prn::ui {
namespace {

using namespace prn::testing;

class RecordingView : public FormInstallingView {
 public:
  sys::WindowHandle Handle() const override { return kWindow; }
  void SetBarPosition(int position) override { bar.push_back(position); }
  void SetLabel(const ustring& text) override { label = text; }
  void EnableTimer(InstallingTimer timer, bool enabled) override { timers[timer] = enabled; }
  void Close() override { ++closed; }

  std::vector<int> bar;
  ustring label;
  std::map<InstallingTimer, bool> timers;
  int closed = 0;
};

class TFormInstallingTest : public RunTest {
 protected:
  TFormInstallingTest() { form = std::make_unique<TFormInstalling>(view, Program().Values(), Machine().Platform()); }
  ~TFormInstallingTest() override { form.reset(); }

  void PlayUntilClosed() {
    PlayUiThread(
        Machine(), [this] { return view.closed > 0 && !form->Runner().Running(); },
        [this] { return view.timers[InstallingTimer::Setup64Error]; }, [this] { form->tmrSetup64ErrorTimer(); });
  }

  RecordingView view;
  std::unique_ptr<TFormInstalling> form;
};

TEST_F(TFormInstallingTest, TheWorkerStartsOnlyWithTheStartTimerAndTheRunClosesTheWindow) {
  form->FormShow();
  EXPECT_EQ(view.bar, std::vector<int>{0});
  EXPECT_EQ(view.label, u"Installing");
  EXPECT_TRUE(view.timers[InstallingTimer::InstallStart]);
  EXPECT_TRUE(view.timers[InstallingTimer::InstallingHints]);
  EXPECT_FALSE(form->Runner().Running());
  EXPECT_TRUE(Machine().processes.Started().empty());

  form->tmrInstallStartTimer();
  EXPECT_FALSE(view.timers[InstallingTimer::InstallStart]);
  PlayUntilClosed();
  EXPECT_EQ(form->Runner().Completions(), 1);
  EXPECT_EQ(view.label, u"Install end");
  EXPECT_EQ(view.bar.back(), kBarMaximum);
  EXPECT_EQ(view.closed, 1);
  EXPECT_FALSE(view.timers[InstallingTimer::InstallingHints]);
}

TEST_F(TFormInstallingTest, TheBarCyclesInSevenTicksAndHostMessagesDoNothing) {
  form->FormShow();
  view.bar.clear();
  for (int tick = 0; tick < 14; ++tick) form->tmrInstallingHintsTimer();
  const std::vector<int> cycle = {20, 40, 60, 80, 100, 100, 0};
  std::vector<int> twice = cycle;
  twice.insert(twice.end(), cycle.begin(), cycle.end());
  EXPECT_EQ(view.bar, twice);
  EXPECT_EQ(form->PassTime(), 14 * kInstallingBarMs);

  EXPECT_FALSE(form->OnMessage(0x401, 0, 5));
  EXPECT_FALSE(form->OnMessage(0x402, 0, 0));
  EXPECT_EQ(view.closed, 0);
}

}  // namespace
}  // namespace prn::ui
