#include "sys/win32/files.h"

#include <algorithm>
#include <memory>

#include "sys/win32/handle.h"
#include "sys/win32/text.h"
#include "text/winpath.h"

namespace prn::win32 {

namespace {

DWORD Attributes(const ustring& path) { return GetFileAttributesW(W(path)); }

}  // namespace

bool Win32FileSystem::FileExists(const ustring& path) const {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const ustring& path) const {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

uint32_t Win32FileSystem::CreateDirectories(const ustring& path) {
  ustring full = FullPath(path);
  if (DirectoryExists(full)) return ERROR_SUCCESS;
  ustring parent = FolderPart(full);
  if (!parent.empty() && parent.size() < full.size() && parent.back() != u':') {
    if (uint32_t code = CreateDirectories(parent)) return code;
  }
  if (CreateDirectoryW(W(full), nullptr)) return ERROR_SUCCESS;
  DWORD code = GetLastError();
  return code == ERROR_ALREADY_EXISTS && DirectoryExists(full) ? ERROR_SUCCESS : code;
}

uint32_t Win32FileSystem::WriteFile(const ustring& path, const std::string& bytes) {
  FileHandle file(CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  size_t offset = 0;
  while (offset < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - offset, 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file.Get(), bytes.data() + offset, chunk, &written, nullptr)) return GetLastError();
    offset += written;
  }
  return ERROR_SUCCESS;
}

uint32_t Win32FileSystem::ReadFile(const ustring& path, std::string& bytes) const {
  FileHandle file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) return GetLastError();
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  size_t offset = 0;
  while (offset < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - offset, 1u << 20));
    DWORD read = 0;
    if (!::ReadFile(file.Get(), bytes.data() + offset, chunk, &read, nullptr)) return GetLastError();
    if (read == 0) break;
    offset += read;
  }
  bytes.resize(offset);
  return ERROR_SUCCESS;
}

uint32_t Win32FileSystem::RemoveFile(const ustring& path) {
  return DeleteFileW(W(path)) ? ERROR_SUCCESS : GetLastError();
}

uint32_t Win32FileSystem::CopyTree(const ustring& from, const ustring& to) {
  if (!DirectoryExists(from)) return ERROR_PATH_NOT_FOUND;
  if (uint32_t code = CreateDirectories(to)) return code;
  WIN32_FIND_DATAW data;
  ustring pattern = JoinPath(from, u"*");
  FindHandle find(FindFirstFileW(W(pattern), &data));
  if (!find) return ERROR_SUCCESS;
  do {
    ustring name = U(data.cFileName);
    if (name == u"." || name == u"..") continue;
    ustring source = JoinPath(from, name);
    ustring target = JoinPath(to, name);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;  // never follow links
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (uint32_t code = CopyTree(source, target)) return code;
    } else if (!CopyFileW(W(source), W(target), FALSE)) {
      return GetLastError();
    }
  } while (FindNextFileW(find.Get(), &data));
  return ERROR_SUCCESS;
}

uint32_t Win32FileSystem::DeleteTree(const ustring& path) {
  DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError();
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return RemoveDirectoryW(W(path)) ? ERROR_SUCCESS : GetLastError();
    SetFileAttributesW(W(path), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(W(path)) ? ERROR_SUCCESS : GetLastError();
  }
  WIN32_FIND_DATAW data;
  ustring pattern = JoinPath(path, u"*");
  uint32_t result = ERROR_SUCCESS;
  {
    FindHandle find(FindFirstFileW(W(pattern), &data));
    if (find) {
      do {
        ustring name = U(data.cFileName);
        if (name == u"." || name == u"..") continue;
        if (uint32_t code = DeleteTree(JoinPath(path, name))) result = code;
      } while (FindNextFileW(find.Get(), &data));
    }
  }
  if (!RemoveDirectoryW(W(path)) && result == ERROR_SUCCESS) result = GetLastError();
  return result;
}

uint32_t Win32FileSystem::MoveFolder(const ustring& from, const ustring& to) {
  return MoveFileExW(W(from), W(to), 0) ? ERROR_SUCCESS : GetLastError();
}

bool Win32FileSystem::IsLink(const ustring& path) const {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::vector<ustring> Win32FileSystem::ListFiles(const ustring& folder, const ustring& pattern) const {
  std::vector<ustring> names;
  WIN32_FIND_DATAW data;
  ustring query = JoinPath(folder, pattern);
  FindHandle find(FindFirstFileW(W(query), &data));
  if (!find) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(U(data.cFileName));
  } while (FindNextFileW(find.Get(), &data));
  return names;
}

ustring Win32FileSystem::FullPath(const ustring& path) const {
  DWORD size = GetFullPathNameW(W(path), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring buffer(size, L'\0');
  DWORD length = GetFullPathNameW(W(path), size, buffer.data(), nullptr);
  return U(buffer.data(), length);
}

ustring Win32FileSystem::CurrentDirectory() const {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring buffer(size, L'\0');
  DWORD length = GetCurrentDirectoryW(size, buffer.data());
  return U(buffer.data(), length);
}

}  // namespace prn::win32
