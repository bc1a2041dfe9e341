#pragma once
// Driving real windows from a test on their own thread: run what is queued,
// or wait for a condition, without sleeping.

#include <windows.h>

#include <functional>

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

}  // namespace prn::testing
