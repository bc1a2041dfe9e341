// Start to first painted window under Wine: PrnSetup.exe against a bare
// Win32 window program built the same way and against the peer, the
// installer a printer maker would build with NSIS for the same package (a
// Modern UI 2 components page listing the two models). Each program is
// started a few times; a start ends when the process is idle for input and
// one of its visible top-level windows has nothing left to paint. The bare
// window with the installer's themed controls shows what Wine alone charges
// for them. The programs take turns, so that a slower spell of the machine
// weighs on all. Prints the medians, the installer's ratio to the peer
// against the goal and its ratio to the bare window; fails only when a
// program could not be started or showed no window.
//   bench_first_paint <bare program> <controls program> <peer> <installer> [arguments of the installer]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_timing.h"

namespace {

constexpr int kRuns = 11;
// Lets the ended program's Wine process go before the next one starts.
constexpr DWORD kSettleMs = 300;
// PrnSetup.exe's first paint as a share of the peer's, at most.
constexpr double kGoalToPeer = 0.75;
constexpr DWORD kStartLimitMs = 60000;
constexpr DWORD kEndLimitMs = 30000;

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK TakePaintedWindow(HWND window, LPARAM state) {
  auto& search = *reinterpret_cast<Search*>(state);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process || !IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return TRUE;
  search.found = window;
  return FALSE;
}

HWND PaintedWindowOf(DWORD process) {
  Search search{process, nullptr};
  EnumWindows(TakePaintedWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Milliseconds from CreateProcessW to the painted window, or a negative
// value when the program did not get that far. The program is closed after.
double TimeOneStart(const std::wstring& commandLine, const std::wstring& folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  const double start = prn::bench::NowMs();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info)) {
    std::printf("  cannot start (error %lu)\n", GetLastError());
    return -1;
  }
  // Idle for input comes after the first paint messages are handled; the
  // window may still be on its way while start-up work runs, so look again.
  HWND window = nullptr;
  for (DWORD waited = 0; waited < kStartLimitMs && !window; ++waited) {
    if (WaitForInputIdle(info.hProcess, kStartLimitMs) == WAIT_FAILED) break;
    window = PaintedWindowOf(info.dwProcessId);
    if (!window && WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  const double elapsed = prn::bench::NowMs() - start;
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, kEndLimitMs) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return window ? elapsed : -1;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5) {
    std::printf("usage: bench_first_paint <bare program> <controls program> <peer> <installer> [arguments]\n");
    return 2;
  }
  struct Program {
    const char* name;
    std::wstring line;
    std::wstring folder;
    std::vector<double> times;
  };
  auto program = [&](const char* name, int index) {
    return Program{name, L"\"" + std::wstring(argv[index]) + L"\"", FolderOf(argv[index]), {}};
  };
  std::vector<Program> programs = {program("bare Win32 window", 1), program("themed controls  ", 2),
                                   program("NSIS peer        ", 3), program("PrnSetup.exe     ", 4)};
  Program& bare = programs[0];
  Program& peer = programs[2];
  Program& installer = programs[3];
  for (int i = 5; i < argc; ++i) installer.line += std::wstring(L" ") + argv[i];

  // One start of each first, not counted: Wine's own files come into the cache.
  for (const Program& each : programs) TimeOneStart(each.line, each.folder);

  for (int run = 1; run <= kRuns; ++run) {
    std::printf("  run %2d:", run);
    for (Program& each : programs) {
      Sleep(kSettleMs);
      const double ms = TimeOneStart(each.line, each.folder);
      std::printf("  %6.1f ms", ms);
      if (ms <= 0) {
        std::printf("\nfirst paint of %s could not be measured\n", each.name);
        return 1;
      }
      each.times.push_back(ms);
    }
    std::printf("\n");
    std::fflush(stdout);
  }
  std::printf("start to first painted window under Wine (%d-bit programs, median of %d, ratio to the bare window;\n"
              "the fastest start beside it, which a busy machine disturbs least):\n",
              static_cast<int>(sizeof(void*) * 8), kRuns);
  const double bareMs = prn::bench::Median(bare.times);
  for (const Program& each : programs) {
    const double ms = prn::bench::Median(each.times);
    std::printf("  %s %8.1f ms  %.2f   fastest %6.1f ms\n", each.name, ms, ms / bareMs,
                *std::min_element(each.times.begin(), each.times.end()));
  }
  const double toPeer = prn::bench::Median(installer.times) / prn::bench::Median(peer.times);
  std::printf("  PrnSetup.exe / NSIS peer    %.2f, goal <= %.2f: %s\n", toPeer, kGoalToPeer,
              toPeer <= kGoalToPeer ? "met" : "NOT met");
  std::printf("  PrnSetup.exe / bare window  %.2f\n", prn::bench::Median(installer.times) / bareMs);
  return 0;
}
