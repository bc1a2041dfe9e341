// Start to first painted window under Wine: PrnSetup.exe against a bare
// Win32 window program built the same way. Each program is started a few
// times; a start ends when the process is idle for input and one of its
// visible top-level windows has nothing left to paint. Prints the medians
// and their ratio against the goal; fails only when a program could not be
// started or showed no window.
//   bench_first_paint <bare program> <installer> [arguments of the installer]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr double kGoal = 1.2;
constexpr DWORD kStartLimitMs = 60000;
constexpr DWORD kEndLimitMs = 30000;

double Now() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

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
  const double start = Now();
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
  const double elapsed = Now() - start;
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, kEndLimitMs) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return window ? elapsed : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median of kRuns starts, each printed; negative when one failed.
double MedianStart(const char* name, const std::wstring& commandLine, const std::wstring& folder) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const double ms = TimeOneStart(commandLine, folder);
    std::printf("  %s run %d: %.1f ms\n", name, run + 1, ms);
    std::fflush(stdout);
    if (ms < 0) return -1;
    times.push_back(ms);
  }
  return Median(times);
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::printf("usage: bench_first_paint <bare program> <installer> [arguments]\n");
    return 2;
  }
  const std::wstring bare = argv[1], installer = argv[2];
  std::wstring installerLine = L"\"" + installer + L"\"";
  for (int i = 3; i < argc; ++i) installerLine += std::wstring(L" ") + argv[i];

  // One start of each first, not counted: Wine's own files come into the cache.
  TimeOneStart(L"\"" + bare + L"\"", FolderOf(bare));
  TimeOneStart(installerLine, FolderOf(installer));

  const double bareMs = MedianStart("bare window", L"\"" + bare + L"\"", FolderOf(bare));
  const double installerMs = MedianStart("PrnSetup.exe", installerLine, FolderOf(installer));
  if (bareMs <= 0 || installerMs < 0) {
    std::printf("first paint could not be measured\n");
    return 1;
  }
  const double ratio = installerMs / bareMs;
  std::printf("start to first painted window under Wine (median of %d):\n", kRuns);
  std::printf("  bare Win32 window  %8.1f ms\n", bareMs);
  std::printf("  PrnSetup.exe       %8.1f ms\n", installerMs);
  std::printf("  ratio %.2f, goal <= %.1f: %s\n", ratio, kGoal, ratio <= kGoal ? "met" : "NOT met");
  return 0;
}
