// PrnSetup64.exe under Wine, started as the installer starts it: find mode
// leaves "Ret" in the result file, install mode sends 0x402 or 0x401 to a
// window of this test, which pumps messages while the host runs.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::wstring BinFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"prn-host64-test";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::wstring WriteInf() {
  std::wstring path = TempFolder() + L"\\QuillonHost.inf";
  std::ofstream(path.c_str(), std::ios::binary) << "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Printer\r\n";
  return path;
}

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Received> g_received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 0x401 || message == 0x402) {
    g_received.push_back({message, wParam, lParam});
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Starts the host hidden and detached, from its own folder, and waits for its
// end while this thread handles the messages it sends.
DWORD RunHost(const std::wstring& arguments) {
  std::wstring commandLine = BinFolder() + L"\\PrnSetup64.exe " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                      BinFolder().c_str(), &startup, &process)) {
    ADD_FAILURE() << "host not started: " << GetLastError();
    return 0xFFFFFFFF;
  }
  CloseHandle(process.hThread);
  for (;;) {
    DWORD wait = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 60000, QS_ALLINPUT);
    if (wait == WAIT_OBJECT_0) break;
    if (wait != WAIT_OBJECT_0 + 1) {
      ADD_FAILURE() << "host did not end";
      TerminateProcess(process.hProcess, 1);
      break;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  return exitCode;
}

class ResultFile {
 public:
  ResultFile() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t name[MAX_PATH];
    GetTempFileNameW(temp, L"tmp", 0, name);
    path_ = name;
  }
  ~ResultFile() { DeleteFileW(path_.c_str()); }
  const std::wstring& Path() const { return path_; }
  std::wstring Ret() const {
    wchar_t value[256];
    GetPrivateProfileStringW(L"Data", L"Ret", L"<none>", value, 256, path_.c_str());
    return value;
  }

 private:
  std::wstring path_;
};

class RecordingWindow {
 public:
  RecordingWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PrnHost64TestWindow";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, L"PrnHost64TestWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    g_received.clear();
  }
  ~RecordingWindow() { DestroyWindow(window_); }
  HWND Get() const { return window_; }
  std::wstring Decimal() const {
    return std::to_wstring(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window_)));
  }

 private:
  HWND window_;
};

TEST(Host64OnWine, FindModeWritesRetAndEndsWithExitCodeZero) {
  ResultFile result;
  ASSERT_TRUE(WritePrivateProfileStringW(L"Data", L"Flag", L"4", result.Path().c_str()));
  std::wstring inf = WriteInf();
  DWORD exitCode = RunHost(L"/Handle 0 /Dll \"inst2k64.dll\" /Inf \"" + inf +
                           L"\" /HWID QuillonAbsentPrinter9Z /FindHWID \"" + result.Path() + L"\"");
  EXPECT_EQ(exitCode, 0u);
  // Windows answers 3758096907 (no such device); Wine's new-device installer answers success.
  EXPECT_EQ(result.Ret(), L"0");
  wchar_t flag[16];
  GetPrivateProfileStringW(L"Data", L"Flag", L"", flag, 16, result.Path().c_str());
  EXPECT_STREQ(flag, L"4") << "the rest of the result file stays";
}

TEST(Host64OnWine, InstallModeSendsTheOutcomeToTheGivenWindow) {
  RecordingWindow window;
  ASSERT_NE(window.Get(), nullptr);
  std::wstring inf = WriteInf();
  EXPECT_EQ(RunHost(L"/Handle " + window.Decimal() + L" /Dll \"inst2k64.dll\" /Inf \"" + inf +
                    L"\" /HWID QuillonAbsentPrinter9Z"),
            0u);
  EXPECT_EQ(RunHost(L"/Handle " + window.Decimal() + L" /Dll \"inst2k64.dll\" /Inf \"" + TempFolder() +
                    L"\\missing.inf\" /HWID QuillonAbsentPrinter9Z"),
            0u);
  ASSERT_EQ(g_received.size(), 2u);
  EXPECT_EQ(g_received[0].message, 0x402u);
  EXPECT_EQ(g_received[0].wParam, 0u);
  EXPECT_EQ(g_received[0].lParam, 0);
  EXPECT_EQ(g_received[1].message, 0x401u) << "no INF: FuncInst2K answers 2";
  EXPECT_EQ(g_received[1].lParam, 0) << "the missing INF records no code";
}

TEST(Host64OnWine, InstallModeWithoutAHandleSendsNothing) {
  RecordingWindow window;
  std::wstring inf = WriteInf();
  EXPECT_EQ(RunHost(L"/Dll \"inst2k64.dll\" /Inf \"" + inf + L"\" /HWID QuillonAbsentPrinter9Z"), 0u);
  EXPECT_TRUE(g_received.empty());
}

}  // namespace
