// The window layer under Wine: no exception leaves a window procedure, and
// tasks posted from another thread run on the window's thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "sys/win32/win32_text.h"
#include "text/error.h"
#include "ui/win32/ui_task_queue.h"
#include "ui/win32/window_base.h"
#include "ui/win32/window_error.h"

namespace prn::ui {
namespace {

constexpr UINT kThrow = WM_APP + 5;
constexpr UINT kSentinel = WM_APP + 78;

class TestWindow : public WindowBase {
 public:
  explicit TestWindow(UiTaskQueue* queue = nullptr) : queue_(queue) {
    Creation creation;
    creation.instance = GetModuleHandleW(nullptr);
    creation.className = L"PrnSetupLayerTest";
    creation.style = 0;
    creation.place = RECT{0, 0, 0, 0};
    creation.parent = HWND_MESSAGE;
    CreateWindowFor(creation);
    if (queue_) queue_->Attach(Handle());
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrow) throw Error(u"The printer list could not be read.");
    if (message == kRunQueuedTasks && queue_) {
      queue_->RunQueued();
      return 0;
    }
    return Default(message, wParam, lParam);
  }

 private:
  UiTaskQueue* queue_;
};

std::wstring g_boxText;
std::wstring g_boxCaption;

// The box's own loop runs this zero timer: read the text and caption, press OK.
VOID CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", nullptr);
  if (!box || GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId()) return;  // not up yet
  KillTimer(nullptr, timer);
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  g_boxText = text;
  GetWindowTextW(box, text, 256);
  g_boxCaption = text;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(WindowLayerTest, AnExceptionInAHandlerBecomesABoxWithTheErrorCaptionAndTheMessageCountsAsHandled) {
  SetWindowErrorCaption(u"Kaputt");  // the language file's ErrorTitle
  TestWindow window;
  SetTimer(nullptr, 0, 0, AnswerBox);
  EXPECT_EQ(SendMessageW(window.Handle(), kThrow, 0, 0), 0);
  EXPECT_EQ(g_boxText, L"The printer list could not be read.");
  EXPECT_EQ(g_boxCaption, L"Kaputt");
  EXPECT_TRUE(IsWindow(window.Handle()));
  SetWindowErrorCaption(u"");
}

TEST(WindowLayerTest, TasksFromAnotherThreadRunOnTheWindowThreadAndNoneAfterDetach) {
  UiTaskQueue queue;
  TestWindow window(&queue);
  const DWORD windowThread = GetCurrentThreadId();
  DWORD ranOn = 0;
  int runs = 0;
  std::thread worker([&] {
    queue.Post([&] {
      ranOn = GetCurrentThreadId();
      ++runs;
    });
  });
  worker.join();
  EXPECT_EQ(runs, 0);  // posting ran nothing on the worker
  PostThreadMessageW(windowThread, kSentinel, 0, 0);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0 && !(message.hwnd == nullptr && message.message == kSentinel)) {
    DispatchMessageW(&message);
  }
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(ranOn, windowThread);

  queue.Detach();
  queue.Post([&] { ++runs; });
  queue.RunQueued();
  EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace prn::ui
