#include "sys/win32/private_folder.h"

#include <aclapi.h>

#include <string>
#include <vector>

#include "sys/win32/handle.h"
#include "sys/win32/text.h"
#include "trace/win32/final_path.h"
#include "trace/win32/ntdll.h"

namespace prn::win32 {

namespace {

// Deleting a folder tree through handles: each entry is opened without
// following a link and deleted only when the system confirms, from its
// handle, that it lies inside the folder. A link is deleted itself; what it
// points to is never entered.
//
// `folder` is open with FILE_LIST_DIRECTORY and DELETE access. Deletes what
// is in it and then the folder itself; answers the first Windows error code.
// `finalPath` is how handles tell their paths (see FinalPathOf).
uint32_t DeleteTreeByHandle(HANDLE folder, FinalPathFunction finalPath);

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

uint32_t WellKnownSid(WELL_KNOWN_SID_TYPE type, std::vector<BYTE>& sid) {
  DWORD size = SECURITY_MAX_SID_SIZE;
  sid.assign(size, 0);
  if (!CreateWellKnownSid(type, nullptr, sid.data(), &size)) return GetLastError();
  sid.resize(size);
  return ERROR_SUCCESS;
}

EXPLICIT_ACCESSW FullControlFor(std::vector<BYTE>& sid) {
  EXPLICIT_ACCESSW access{};
  access.grfAccessPermissions = FILE_ALL_ACCESS;
  access.grfAccessMode = SET_ACCESS;
  access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
  access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  access.Trustee.TrusteeType = TRUSTEE_IS_UNKNOWN;
  access.Trustee.ptstrName = reinterpret_cast<LPWSTR>(sid.data());
  return access;
}

// Processes below high integrity may not write, nor delete, here. Windows XP
// knows no integrity levels and has no AddMandatoryAce: there the folder
// gets no label (`label` stays empty), and its owner and access list alone
// keep others out.
uint32_t BuildLabel(std::vector<BYTE>& highIntegrity, std::vector<BYTE>& label) {
  using AddMandatoryAceFunction = BOOL(WINAPI*)(PACL, DWORD, DWORD, DWORD, PSID);
  static const auto addMandatoryAce = reinterpret_cast<AddMandatoryAceFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "AddMandatoryAce")));
  label.clear();
  if (!addMandatoryAce) return ERROR_SUCCESS;
  if (uint32_t code = WellKnownSid(WinHighLabelSid, highIntegrity)) return code;
  const DWORD size = sizeof(ACL) + sizeof(SYSTEM_MANDATORY_LABEL_ACE) - sizeof(DWORD) + highIntegrity.size();
  label.assign(size, 0);
  auto acl = reinterpret_cast<PACL>(label.data());
  if (!InitializeAcl(acl, size, ACL_REVISION) ||
      !addMandatoryAce(acl, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE, SYSTEM_MANDATORY_LABEL_NO_WRITE_UP,
                       highIntegrity.data())) {
    return GetLastError();
  }
  return ERROR_SUCCESS;
}

class Win32PrivateFolder : public sys::PrivateFolder {
 public:
  Win32PrivateFolder(ustring path, FileHandle root, FinalPathFunction finalPath)
      : path_(std::move(path)), root_(std::move(root)), finalPath_(finalPath) {}

  const ustring& Path() const override { return path_; }

  uint32_t WriteHeldFile(const ustring& path, const std::string& bytes) override {
    BY_HANDLE_FILE_INFORMATION written{};
    {
      FileHandle file(CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file) return GetLastError();
      if (uint32_t code = WriteAll(file.Get(), bytes)) return code;
      if (!GetFileInformationByHandle(file.Get(), &written)) return GetLastError();
    }
    // Read sharing only: the loader and CreateProcessW may read it, nobody
    // may write, rename or delete it while we hold it.
    FileHandle held(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!held) return GetLastError();
    BY_HANDLE_FILE_INFORMATION reopened{};
    if (!GetFileInformationByHandle(held.Get(), &reopened)) return GetLastError();
    if (reopened.nFileIndexHigh != written.nFileIndexHigh || reopened.nFileIndexLow != written.nFileIndexLow ||
        reopened.dwVolumeSerialNumber != written.dwVolumeSerialNumber) {
      return ERROR_FILE_INVALID;
    }
    held_.push_back(std::move(held));
    return ERROR_SUCCESS;
  }

  uint32_t Remove() override {
    held_.clear();
    if (!root_) return ERROR_INVALID_HANDLE;
    uint32_t result = DeleteTreeByHandle(root_.Get(), finalPath_);
    root_.Reset();
    return result;
  }

 private:
  static uint32_t WriteAll(HANDLE file, const std::string& bytes) {
    size_t offset = 0;
    while (offset < bytes.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - offset, 1u << 20));
      DWORD written = 0;
      if (!::WriteFile(file, bytes.data() + offset, chunk, &written, nullptr)) return GetLastError();
      offset += written;
    }
    return ERROR_SUCCESS;
  }

  ustring path_;
  FileHandle root_;
  FinalPathFunction finalPath_;
  std::vector<FileHandle> held_;
};

}  // namespace

uint32_t PrivateFolderSecurity::Build() {
  if (uint32_t code = WellKnownSid(WinBuiltinAdministratorsSid, administrators_)) return code;
  if (uint32_t code = WellKnownSid(WinLocalSystemSid, system_)) return code;
  if (uint32_t code = BuildLabel(highIntegrity_, label_)) return code;

  EXPLICIT_ACCESSW entries[] = {FullControlFor(administrators_), FullControlFor(system_)};
  if (DWORD code = SetEntriesInAclW(2, entries, nullptr, dacl_.Receive())) return code;

  if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorOwner(&descriptor_, administrators_.data(), FALSE) ||
      !SetSecurityDescriptorDacl(&descriptor_, TRUE, dacl_.Get(), FALSE) ||
      (!label_.empty() && !SetSecurityDescriptorSacl(&descriptor_, TRUE, Label(), FALSE)) ||
      // Protected: nothing inherited from the temporary folder widens it.
      !SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) {
    return GetLastError();
  }
  attributes_ = SECURITY_ATTRIBUTES{sizeof(attributes_), &descriptor_, FALSE};
  return ERROR_SUCCESS;
}

uint32_t CreatePrivateDirectory(const ustring& path, std::unique_ptr<sys::PrivateFolder>& folder,
                                CreateDirectoryFunction createDirectory, FinalPathFunction finalPath) {
  PrivateFolderSecurity security;
  if (uint32_t code = security.Build()) return code;
  if (!createDirectory(W(path), security.Attributes())) return GetLastError();
  // No delete sharing: while we hold it, the folder cannot be renamed away
  // and something else put in its place.
  FileHandle root(CreateFileW(W(path), FILE_LIST_DIRECTORY | DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!root) {
    uint32_t code = GetLastError();
    RemoveDirectoryW(W(path));
    return code;
  }
  // A link anywhere on the path (the folder's parent re-pointed, say) put the
  // new folder somewhere else: it is removed again, nothing goes into it.
  if (!HandleNamesPath(root.Get(), Wide(path), finalPath)) {
    DeleteTreeByHandle(root.Get(), finalPath);
    return ERROR_CANT_ACCESS_FILE;
  }
  folder = std::make_unique<Win32PrivateFolder>(path, std::move(root), finalPath);
  return ERROR_SUCCESS;
}

}  // namespace prn::win32
