#include "sys/win32/system_info.h"

#include <windows.h>
#include <shellapi.h>
#include <wincrypt.h>

#include "sys/win32/handle.h"
#include "sys/win32/private_folder.h"
#include "sys/win32/text.h"

namespace prn::win32 {

namespace {

struct LocalMemoryTraits {
  using Handle = HLOCAL;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { LocalFree(h); }
};

}  // namespace

uint16_t Win32SystemInfo::SystemDefaultLangId() const { return GetSystemDefaultLangID(); }

std::optional<sys::OsVersion> Win32SystemInfo::Version() const {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);  // the 276-byte record
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return std::nullopt;
#pragma GCC diagnostic pop
  return sys::OsVersion{info.dwMajorVersion, info.dwMinorVersion};
}

std::optional<bool> Win32SystemInfo::Wow64Flag() const {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto isWow64Process =
      kernel ? reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")))
             : nullptr;
  if (!isWow64Process) return std::nullopt;
  BOOL flag = FALSE;
  if (!isWow64Process(GetCurrentProcess(), &flag)) return false;
  return flag != FALSE;
}

ustring Win32SystemInfo::WindowsDirectory() const {
  // The system's folder even where a terminal server gives each user a
  // Windows folder of their own, and never %WINDIR% of the environment.
  UINT size = GetSystemWindowsDirectoryW(nullptr, 0);
  if (size == 0) return {};
  std::wstring buffer(size, L'\0');
  UINT length = GetSystemWindowsDirectoryW(buffer.data(), size);
  return length == 0 || length >= size ? ustring() : U(buffer.data(), length);
}

uint32_t Win32SystemInfo::UnpredictableNumber(uint64_t& number) {
  HCRYPTPROV provider = 0;
  if (!CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) {
    return GetLastError();
  }
  const BOOL made = CryptGenRandom(provider, sizeof(number), reinterpret_cast<BYTE*>(&number));
  const uint32_t code = made ? ERROR_SUCCESS : GetLastError();
  CryptReleaseContext(provider, 0);
  return code;
}

uint32_t Win32SystemInfo::CreateTempFileName(const ustring& folder, const ustring& prefix, ustring& fileName) {
  wchar_t buffer[MAX_PATH + 1] = {};
  if (GetTempFileNameW(W(folder), W(prefix), 0, buffer) == 0) return GetLastError();
  fileName = U(buffer);
  return ERROR_SUCCESS;
}

uint32_t Win32SystemInfo::CreatePrivateFolder(const ustring& path, std::unique_ptr<sys::PrivateFolder>& folder) {
  return CreatePrivateDirectory(path, folder);
}

ustring Win32SystemInfo::ExecutableFolder() const {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return FolderPart(U(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

ustring Win32SystemInfo::SystemDirectory() const {
  UINT size = GetSystemDirectoryW(nullptr, 0);
  if (size == 0) return {};
  std::wstring buffer(size, L'\0');
  UINT length = GetSystemDirectoryW(buffer.data(), size);
  return length == 0 || length >= size ? ustring() : U(buffer.data(), length);
}

ustring Win32SystemInfo::ErrorMessage(uint32_t code) const {
  wchar_t* text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  UniqueHandle<LocalMemoryTraits> owner(text);
  if (length == 0 || !text) return {};
  ustring message = U(text, length);
  while (!message.empty() && (message.back() == u'\r' || message.back() == u'\n' || message.back() == u' ')) {
    message.pop_back();
  }
  return message;
}

void Win32SystemInfo::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

StringList ProcessParameters() {
  StringList parameters;
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return parameters;
  for (int i = 1; i < count; ++i) parameters.push_back(U(arguments[i]));
  LocalFree(arguments);
  return parameters;
}

}  // namespace prn::win32
