#include "sys/win32/handle_tree.h"

#include <string>
#include <vector>

#include "sys/win32/handle.h"
#include "trace/win32/ntdll.h"

namespace prn::win32 {

namespace {

// The names in the folder, read from its handle (which is synchronous, so
// each call answers at once).
uint32_t ListNames(HANDLE folder, std::vector<std::wstring>& names) {
  static const auto queryDirectory = ntdll::Entry<ntdll::QueryDirectoryFileFunction>("NtQueryDirectoryFile");
  if (!queryDirectory) return ERROR_PROC_NOT_FOUND;
  std::vector<BYTE> buffer(64 * 1024);
  for (BOOLEAN restart = TRUE;; restart = FALSE) {
    IO_STATUS_BLOCK io{};
    const NTSTATUS status = queryDirectory(folder, nullptr, nullptr, nullptr, &io, buffer.data(),
                                           static_cast<ULONG>(buffer.size()), FileNamesInformation, FALSE, nullptr,
                                           restart);
    if (status == ntdll::kNoMoreFiles) return ERROR_SUCCESS;
    if (!NT_SUCCESS(status)) return ntdll::ErrorOf(status);
    for (const BYTE* at = buffer.data();;) {
      auto entry = reinterpret_cast<const FILE_NAMES_INFORMATION*>(at);
      std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
      if (name != L"." && name != L"..") names.push_back(name);
      if (entry->NextEntryOffset == 0) break;
      at += entry->NextEntryOffset;
    }
  }
}

uint32_t SetInformation(HANDLE handle, void* information, ULONG size, FILE_INFORMATION_CLASS kind) {
  static const auto setInformation = ntdll::Entry<ntdll::SetInformationFileFunction>("NtSetInformationFile");
  if (!setInformation) return ERROR_PROC_NOT_FOUND;
  IO_STATUS_BLOCK io{};
  const NTSTATUS status = setInformation(handle, &io, information, size, kind);
  return NT_SUCCESS(status) ? ERROR_SUCCESS : ntdll::ErrorOf(status);
}

uint32_t DeleteByHandle(HANDLE handle) {
  FILE_DISPOSITION_INFORMATION disposition{TRUE};
  return SetInformation(handle, &disposition, sizeof(disposition), FileDispositionInformation);
}

uint32_t DeleteEntry(const std::wstring& folderPath, const std::wstring& name, FinalPathFunction finalPath) {
  const std::wstring path = folderPath + L"\\" + name;
  FileHandle entry(CreateFileW(path.c_str(),
                               DELETE | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!entry) return GetLastError();
  // The handle must name the entry itself, not where a link leads.
  if (!HandleNamesPath(entry.Get(), path, finalPath)) return ERROR_CANT_ACCESS_FILE;

  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(entry.Get(), &info)) return GetLastError();
  if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return DeleteByHandle(entry.Get());
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return DeleteTreeByHandle(entry.Get(), finalPath);
  if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
    FILE_BASIC_INFORMATION basic{};  // times of zero stay as they are
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetInformation(entry.Get(), &basic, sizeof(basic), FileBasicInformation);
  }
  return DeleteByHandle(entry.Get());
}

}  // namespace

uint32_t DeleteTreeByHandle(HANDLE folder, FinalPathFunction finalPath) {
  const std::wstring folderPath = FinalPathOf(folder, finalPath);
  if (folderPath.empty()) return ERROR_CANT_ACCESS_FILE;  // never success for a folder left in place
  std::vector<std::wstring> names;
  uint32_t result = ListNames(folder, names);
  for (const std::wstring& name : names) {
    uint32_t code = DeleteEntry(folderPath, name, finalPath);
    if (result == ERROR_SUCCESS) result = code;
  }
  uint32_t code = DeleteByHandle(folder);
  return result == ERROR_SUCCESS ? code : result;
}

}  // namespace prn::win32
