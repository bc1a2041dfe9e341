// The one road to the UI thread: a worker's call waits for the UI thread,
// and is let go, unrun, when the object it was for goes first.

#include "sys/ui_thread.h"

#include <gtest/gtest.h>

#include <thread>

#include "sim/dialogs.h"
#include "sim/ui_thread.h"

namespace prn::sys {
namespace {

TEST(UiThreadTest, AWorkersCallRunsOnTheUiThreadAndItsOwnerGoingReleasesIt) {
  sim::SimUiThread ui;
  UiTasks tasks(ui);
  std::thread::id ranOn;
  std::optional<int> answer;
  std::thread worker([&] {
    answer = tasks.Call([&] {
      ranOn = std::this_thread::get_id();
      return 42;
    });
  });
  ASSERT_TRUE(ui.WaitForTask(std::chrono::seconds(10)));
  ui.RunPending();
  worker.join();
  EXPECT_EQ(answer, 42);
  EXPECT_EQ(ranOn, std::this_thread::get_id());

  // The owner goes while a worker waits: the worker is let go, and the work never runs.
  bool ran = false;
  std::thread waiting([&] { answer = tasks.Call([&] { return ran = true; }); });
  ASSERT_TRUE(ui.WaitForTask(std::chrono::seconds(10)));
  tasks.Close();
  waiting.join();
  EXPECT_EQ(answer, std::nullopt);
  ui.RunPending();
  EXPECT_FALSE(ran);
}

TEST(UiThreadTest, ABoxAskedOnAWorkerIsShownOnTheUiThreadOrAnswersCancelOnceItsOwnerWent) {
  sim::SimUiThread ui;
  sim::SimDialogs boxes;
  UiTasks tasks(ui);
  UiThreadDialogs dialogs(tasks, boxes);
  std::thread::id shownOn;
  boxes.whileShown = [&](const sim::SimDialogs::Shown&) { shownOn = std::this_thread::get_id(); };
  int answer = 0;
  std::thread worker([&] { answer = dialogs.ShowMessage(7, u"Go on?", u"Notice", mb::YesNo); });
  ASSERT_TRUE(ui.WaitForTask(std::chrono::seconds(10)));
  ui.RunPending();
  worker.join();
  EXPECT_EQ(answer, mb::IdYes);
  EXPECT_EQ(shownOn, std::this_thread::get_id());
  // On the UI thread itself the box shows at once.
  EXPECT_EQ(dialogs.ShowMessage(7, u"Now?", u"Notice", mb::YesNo), mb::IdYes);
  EXPECT_EQ(boxes.Boxes().size(), 2u);

  tasks.Close();
  std::thread late([&] { answer = dialogs.ShowMessage(7, u"Still there?", u"Notice", mb::YesNo); });
  late.join();
  EXPECT_EQ(answer, mb::IdCancel);
  EXPECT_EQ(boxes.Boxes().size(), 2u);
}

}  // namespace
}  // namespace prn::sys
