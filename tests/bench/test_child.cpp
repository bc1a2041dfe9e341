// A child process for tests and the benchmark of RunCMD:
//   prn_test_child sleep <ms>                 writes a line, sleeps, writes a line
//   prn_test_child close-output <ms> <file>   writes a line, closes its output,
//                                             sleeps, then creates <file>
#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace {

void WriteLine(const char* text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
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
    HANDLE file = CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    CloseHandle(file);
    return 0;
  }
  return 1;
}
