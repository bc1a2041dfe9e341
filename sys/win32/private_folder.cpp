#include "sys/win32/private_folder.h"

#include <aclapi.h>

#include "trace/win32/final_path.h"
#include "sys/win32/handle_tree.h"
#include "sys/win32/text.h"

namespace prn::win32 {

namespace {

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
