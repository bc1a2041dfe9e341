// What the system printer UI does for "/if" (install a printer from an INF),
// as far as the installer relies on it: the model's driver is added and a
// queue named by "/b" is created on the port of "/r". The driver is Wine's
// PostScript driver under the model's name, so that the queue has a device
// mode and its paper form can be set and read back.

#include <windows.h>
#include <shellapi.h>
#include <winspool.h>

#include <string>

namespace {

std::wstring ValueAfter(int argc, wchar_t** argv, const wchar_t* option) {
  for (int i = 0; i + 1 < argc; ++i) {
    if (_wcsicmp(argv[i], option) == 0) return argv[i + 1];
  }
  return {};
}

bool Has(int argc, wchar_t** argv, const wchar_t* option) {
  for (int i = 0; i < argc; ++i) {
    if (_wcsicmp(argv[i], option) == 0) return true;
  }
  return false;
}

// The data file is staged in the driver directory, from where the spooler
// copies it into the version folder; wineps.drv is Wine's own, already there.
void InstallPrinter(const std::wstring& name, const std::wstring& port, const std::wstring& model) {
  wchar_t folder[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed);
  std::wstring dataFile = L"printui_standin.gpd";
  HANDLE file = CreateFileW((std::wstring(folder) + L"\\" + dataFile).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const char content[] = "*GPDFileVersion: \"1.0.0.0\"\r\n";
    DWORD written = 0;
    WriteFile(file, content, sizeof content - 1, &written, nullptr);
    CloseHandle(file);
  }
  std::wstring wineps = L"wineps.drv";
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<wchar_t*>(model.c_str());
  driver.pDriverPath = wineps.data();
  driver.pConfigFile = wineps.data();
  driver.pDataFile = dataFile.data();
  AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES);

  PRINTER_INFO_2W printer{};
  printer.pPrinterName = const_cast<wchar_t*>(name.c_str());
  printer.pPortName = const_cast<wchar_t*>(port.c_str());
  printer.pDriverName = const_cast<wchar_t*>(model.c_str());
  printer.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
  printer.pDatatype = const_cast<wchar_t*>(L"RAW");
  printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  if (HANDLE created = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer))) ClosePrinter(created);
}

}  // namespace

extern "C" void WINAPI PrintUIEntryW(HWND, HINSTANCE, LPCWSTR commandLine, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(commandLine, &argc);
  if (!argv) return;
  if (Has(argc, argv, L"/if")) {
    InstallPrinter(ValueAfter(argc, argv, L"/b"), ValueAfter(argc, argv, L"/r"), ValueAfter(argc, argv, L"/m"));
  }
  LocalFree(argv);
}
