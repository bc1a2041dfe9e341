// How much CPU RunCMD spends while its child runs: it should block, not spin.
// Prints the CPU time next to the wall time, for RunCMD and, as a yardstick,
// for a loop that polls the pipe and the process as the installer once did.
// Not a timed test: it fails only when the child could not be run.
#include <windows.h>

#include <cstdio>

#include "spooler/print_ui.h"
#include "sys/win32/handle.h"
#include "sys/win32/processes.h"
#include "sys/win32/text.h"
#include "text/winpath.h"

namespace {

using prn::ustring;

double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& time) {
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
           1e7;
  };
  return seconds(kernel) + seconds(user);
}

double WallSeconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Measure {
  double wall = 0;
  double cpu = 0;
};

template <typename Run>
Measure Time(Run run) {
  double wall = WallSeconds(), cpu = CpuSeconds();
  run();
  return {WallSeconds() - wall, CpuSeconds() - cpu};
}

// The busy loop RunCMD replaced: peek, read what is there, test the process, again.
int PollingReference(const ustring& commandLine) {
  using prn::win32::KernelHandle;
  SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
  KernelHandle readEnd, writeEnd;
  if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inheritable, 0)) return -1;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = writeEnd.Get();
  std::wstring line = prn::win32::Wide(commandLine);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) return -2;
  KernelHandle process(info.hProcess), thread(info.hThread);
  int result = 0;
  char buffer[4096];
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(readEnd.Get(), nullptr, 0, nullptr, &available, nullptr)) break;
    if (available > 0) {
      DWORD read = 0;
      if (!ReadFile(readEnd.Get(), buffer, sizeof(buffer), &read, nullptr)) break;
      result = 1;
      continue;
    }
    if (WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0) break;
  }
  return result;
}

void Print(const char* name, const Measure& measure) {
  std::printf("%-28s wall %6.3f s   CPU %6.3f s   (%5.1f %% of the wall time)\n", name, measure.wall, measure.cpu,
              measure.wall > 0 ? 100.0 * measure.cpu / measure.wall : 0.0);
}

}  // namespace

int main() {
  wchar_t self[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  ustring child = u"\"" + prn::JoinPath(prn::FolderPart(prn::win32::U(self, length)), u"prn_test_child.exe") +
                  u"\" sleep 2000";

  prn::win32::Win32Processes processes;
  prn::StringList output;
  int32_t result = 0;
  Measure blocking = Time([&] { result = prn::RunCMD(processes, child, output); });
  int polled = 0;
  Measure polling = Time([&] { polled = PollingReference(child); });

  std::printf("child: %s\n", prn::ToUtf8(child).c_str());
  Print("RunCMD (blocking)", blocking);
  Print("polling loop (reference)", polling);
  std::fflush(stdout);
  return result == 1 && polled == 1 ? 0 : 1;
}
