#pragma once
// Driving real windows from a test on their own thread: run what is queued,
// or wait for a condition, without sleeping.

#include <windows.h>

#include <functional>

#include "ui/win32/window_base.h"

namespace prn::testing {

// Runs every message queued before a sentinel thread message posted now.
inline void Pump() {
  constexpr UINT kSentinel = WM_APP + 77;
  PostThreadMessageW(GetCurrentThreadId(), kSentinel, 0, 0);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr && message.message == kSentinel) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Dispatches messages until `done` holds, waiting only for messages to
// arrive; false when `limitMs` passes first.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

// A key typed into `control`, handled as the program's loops handle it (the
// dialog manager first), with everything it queued; a window shown modally
// meanwhile runs its own loop inside. A WM_QUIT met is left for the test.
inline void TypeKey(HWND control, WPARAM key) {
  PostMessageW(control, WM_KEYDOWN, key, 1);
  PostMessageW(control, WM_KEYUP, key, 0xC0000001);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ui::DispatchWithDialogKeys(message);
  }
}

}  // namespace prn::testing
