#include "sys/win32/win32_handle_tree.h"

#include <string>
#include <vector>

#include "sys/win32/win32_final_path.h"
#include "sys/win32/win32_handle.h"

namespace prn::win32 {

namespace {

// The names in the folder, read from its handle.
uint32_t ListNames(HANDLE folder, std::vector<std::wstring>& names) {
  std::vector<BYTE> buffer(64 * 1024);
  FILE_INFO_BY_HANDLE_CLASS query = FileIdBothDirectoryRestartInfo;
  for (;;) {
    if (!GetFileInformationByHandleEx(folder, query, buffer.data(), static_cast<DWORD>(buffer.size()))) {
      DWORD code = GetLastError();
      return code == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : code;
    }
    query = FileIdBothDirectoryInfo;
    auto entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.data());
    for (;;) {
      std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
      if (name != L"." && name != L"..") names.push_back(name);
      if (entry->NextEntryOffset == 0) break;
      entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(reinterpret_cast<const BYTE*>(entry) +
                                                             entry->NextEntryOffset);
    }
  }
}

uint32_t DeleteByHandle(HANDLE handle) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof(disposition))
             ? ERROR_SUCCESS
             : GetLastError();
}

uint32_t DeleteEntry(const std::wstring& folderPath, const std::wstring& name) {
  const std::wstring path = folderPath + L"\\" + name;
  FileHandle entry(CreateFileW(path.c_str(),
                               DELETE | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!entry) return GetLastError();
  // The handle must name the entry itself, not where a link leads.
  if (!HandleNamesPath(entry.Get(), path)) return ERROR_CANT_ACCESS_FILE;

  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(entry.Get(), FileAttributeTagInfo, &tag, sizeof(tag))) return GetLastError();
  if (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return DeleteByHandle(entry.Get());
  if (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) return DeleteTreeByHandle(entry.Get());
  if (tag.FileAttributes & FILE_ATTRIBUTE_READONLY) {
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(entry.Get(), FileBasicInfo, &basic, sizeof(basic));
  }
  return DeleteByHandle(entry.Get());
}

}  // namespace

uint32_t DeleteTreeByHandle(HANDLE folder) {
  const std::wstring folderPath = FinalPathOf(folder);
  if (folderPath.empty()) return GetLastError();
  std::vector<std::wstring> names;
  uint32_t result = ListNames(folder, names);
  for (const std::wstring& name : names) {
    uint32_t code = DeleteEntry(folderPath, name);
    if (result == ERROR_SUCCESS) result = code;
  }
  uint32_t code = DeleteByHandle(folder);
  return result == ERROR_SUCCESS ? code : result;
}

}  // namespace prn::win32
