// A child process for tests and the benchmark of RunCMD:
//   prn_test_child sleep <ms>                 writes a line, sleeps, writes a line
//   prn_test_child close-output <ms> <file>   writes a line, closes its output,
//                                             sleeps, then creates <file>
//   prn_test_child pass-output <event> <ms> <file>
//                                             starts a grandchild that inherits its
//                                             output and ends; the grandchild waits
//                                             for <event> (at most <ms>), then
//                                             creates <file>
//   prn_test_child has-handle <value>         writes "inherited" when <value> is an
//                                             open handle here, else "clean"
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

void WriteLine(const char* text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

void CreateMarker(const wchar_t* path) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

int PassOutput(wchar_t** argv) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring line = L"\"" + std::wstring(self) + L"\" keep-output \"" + argv[2] + L"\" " + argv[3] + L" \"" +
                      argv[4] + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(self, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) return 2;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  WriteLine("passed\r\n");
  return 0;
}

int KeepOutput(wchar_t** argv) {
  HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, argv[2]);
  if (event) WaitForSingleObject(event, static_cast<DWORD>(_wtoi(argv[3])));
  CreateMarker(argv[4]);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 5 && wcscmp(argv[1], L"pass-output") == 0) return PassOutput(argv);
  if (argc >= 5 && wcscmp(argv[1], L"keep-output") == 0) return KeepOutput(argv);
  if (argc >= 3 && wcscmp(argv[1], L"has-handle") == 0) {
    HANDLE handle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(_wcstoui64(argv[2], nullptr, 10)));
    DWORD flags = 0;
    WriteLine(GetHandleInformation(handle, &flags) ? "inherited\r\n" : "clean\r\n");
    return 0;
  }
  if (argc >= 3 && wcscmp(argv[1], L"sleep") == 0) {
    WriteLine("sleeping\r\n");
    Sleep(static_cast<DWORD>(_wtoi(argv[2])));
    WriteLine("awake\r\n");
    return 0;
  }
  if (argc >= 4 && wcscmp(argv[1], L"close-output") == 0) {
    WriteLine("closing\r\n");
    CloseHandle(GetStdHandle(STD_OUTPUT_HANDLE));
    Sleep(static_cast<DWORD>(_wtoi(argv[2])));
    CreateMarker(argv[3]);
    return 0;
  }
  return 1;
}
