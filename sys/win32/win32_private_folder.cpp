#include "sys/win32/win32_private_folder.h"

#include <aclapi.h>

#include "sys/win32/win32_text.h"

namespace prn::win32 {

namespace {

uint32_t CurrentUserSid(std::vector<BYTE>& sid) {
  KernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return GetLastError();
  DWORD size = 0;
  GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
  if (size == 0) return GetLastError();
  std::vector<BYTE> buffer(size);
  if (!GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) return GetLastError();
  PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  sid.assign(GetLengthSid(user), 0);
  return CopySid(static_cast<DWORD>(sid.size()), sid.data(), user) ? ERROR_SUCCESS : GetLastError();
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

}  // namespace

uint32_t PrivateFolderSecurity::Build() {
  if (uint32_t code = CurrentUserSid(user_)) return code;
  if (uint32_t code = WellKnownSid(WinBuiltinAdministratorsSid, administrators_)) return code;
  if (uint32_t code = WellKnownSid(WinLocalSystemSid, system_)) return code;

  EXPLICIT_ACCESSW entries[] = {FullControlFor(user_), FullControlFor(administrators_), FullControlFor(system_)};
  if (DWORD code = SetEntriesInAclW(3, entries, nullptr, acl_.Receive())) return code;

  if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl_.Get(), FALSE) ||
      // Protected: nothing inherited from the temporary folder widens it.
      !SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) {
    return GetLastError();
  }
  attributes_ = SECURITY_ATTRIBUTES{sizeof(attributes_), &descriptor_, FALSE};
  return ERROR_SUCCESS;
}

uint32_t CreatePrivateDirectory(const ustring& path) {
  PrivateFolderSecurity security;
  if (uint32_t code = security.Build()) return code;
  return CreateDirectoryW(W(path), security.Attributes()) ? ERROR_SUCCESS : GetLastError();
}

}  // namespace prn::win32
