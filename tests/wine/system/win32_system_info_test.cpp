#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include "app/system_queries.h"
#include "sys/win32/win32_files.h"
#include "sys/win32/win32_handle.h"
#include "sys/win32/win32_private_folder.h"
#include "sys/win32/win32_resources.h"
#include "sys/win32/win32_system_info.h"
#include "sys/win32/win32_text.h"
#include "text/ascii.h"
#include "text/winpath.h"

namespace prn::win32 {
namespace {

TEST(Win32SystemInfo, TempFolderIsLongFormWithTrailingBackslash) {
  Win32SystemInfo system;
  ustring temp = app::GetTempDirectory(system);
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), u'\\');
  EXPECT_EQ(temp.find(u'~'), ustring::npos);
  EXPECT_TRUE(Win32FileSystem().DirectoryExists(temp));
}

TEST(Win32SystemInfo, UniqueTempNamesAreNewEmptyFiles) {
  Win32SystemInfo system;
  Win32FileSystem files;
  ustring temp = app::GetTempDirectory(system);
  ustring first, second;
  ASSERT_EQ(system.CreateTempFileName(temp, u"tmp", first), 0u);
  ASSERT_EQ(system.CreateTempFileName(temp, u"tmp", second), 0u);
  EXPECT_NE(first, second);
  EXPECT_TRUE(StartsWithNoCase(FileNamePart(first), u"tmp"));
  std::string bytes = "x";
  EXPECT_EQ(files.ReadFile(first, bytes), 0u);
  EXPECT_TRUE(bytes.empty());
  files.RemoveFile(first);
  files.RemoveFile(second);

  ustring none;
  EXPECT_NE(system.CreateTempFileName(JoinPath(temp, u"no-such-folder-prn"), u"tmp", none), 0u);
}

TEST(Win32SystemInfo, VersionIsCappedAtWindows8WithoutASupportedOsList) {
  Win32SystemInfo system;
  int32_t version = app::GetWinVer(system);
  EXPECT_GE(version, 51);
  EXPECT_LE(version, 62);
}

TEST(Win32SystemInfo, A64BitProgramIsNoWow64Process) {
  Win32SystemInfo system;
  ASSERT_TRUE(system.Wow64Flag().has_value());  // kernel32 has IsWow64Process
  EXPECT_FALSE(*system.Wow64Flag());
}

TEST(Win32SystemInfo, FoldersAndErrorTexts) {
  Win32SystemInfo system;
  Win32FileSystem files;
  EXPECT_TRUE(files.DirectoryExists(system.ExecutableFolder()));
  EXPECT_TRUE(files.FileExists(JoinPath(system.ExecutableFolder(), u"wine_system.exe")));
  EXPECT_TRUE(files.FileExists(JoinPath(system.SystemDirectory(), u"kernel32.dll")));
  ustring denied = system.ErrorMessage(ERROR_ACCESS_DENIED);
  EXPECT_FALSE(denied.empty());
  EXPECT_NE(denied.back(), u'\n');
  EXPECT_EQ(system.ErrorMessage(0x2028FFFF), u"");
}

TEST(Win32SystemInfo, PrivateFolderIsRefusedWhenItExists) {
  Win32SystemInfo system;
  Win32FileSystem files;
  ustring folder = app::GetTempDirectory(system) + u"prn-private-test";
  files.DeleteTree(folder);
  ASSERT_EQ(system.CreatePrivateFolder(folder), 0u);
  EXPECT_EQ(system.CreatePrivateFolder(folder), static_cast<uint32_t>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(files.WriteFile(JoinPath(folder, u"a.bin"), "a"), 0u);
  EXPECT_EQ(files.DeleteTree(folder), 0u);
  EXPECT_EQ(system.CreatePrivateFolder(folder + u"\\missing-parent\\x"), static_cast<uint32_t>(ERROR_PATH_NOT_FOUND));
}

// Wine 8 does not keep a file's security descriptor (it maps it to Unix mode
// bits and reports a made-up list), so the list is checked as it is handed to
// CreateDirectoryW.
TEST(Win32SystemInfo, PrivateFolderAccessListGrantsOnlyUserAdministratorsAndSystem) {
  PrivateFolderSecurity security;
  ASSERT_EQ(security.Build(), 0u);
  SECURITY_ATTRIBUTES* attributes = security.Attributes();
  ASSERT_EQ(attributes->nLength, sizeof(SECURITY_ATTRIBUTES));
  EXPECT_FALSE(attributes->bInheritHandle);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ASSERT_TRUE(GetSecurityDescriptorControl(attributes->lpSecurityDescriptor, &control, &revision));
  EXPECT_TRUE(control & SE_DACL_PROTECTED);
  EXPECT_TRUE(control & SE_DACL_PRESENT);

  BYTE admins[SECURITY_MAX_SID_SIZE], localSystem[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof(admins);
  CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, admins, &size);
  size = sizeof(localSystem);
  CreateWellKnownSid(WinLocalSystemSid, nullptr, localSystem, &size);
  std::vector<BYTE> userBuffer;
  {
    KernelHandle token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive()));
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    userBuffer.resize(size);
    ASSERT_TRUE(GetTokenInformation(token.Get(), TokenUser, userBuffer.data(), size, &size));
  }
  PSID user = reinterpret_cast<TOKEN_USER*>(userBuffer.data())->User.Sid;

  PACL dacl = security.Acl();
  ASSERT_NE(dacl, nullptr);
  ASSERT_EQ(dacl->AceCount, 3u);
  int userSeen = 0, adminsSeen = 0, systemSeen = 0;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
    ASSERT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_EQ(ace->Header.AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE),
              OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
    EXPECT_EQ(ace->Mask & FILE_ALL_ACCESS, static_cast<DWORD>(FILE_ALL_ACCESS));
    PSID sid = &ace->SidStart;
    userSeen += EqualSid(sid, user) ? 1 : 0;
    adminsSeen += EqualSid(sid, admins) ? 1 : 0;
    systemSeen += EqualSid(sid, localSystem) ? 1 : 0;
  }
  EXPECT_EQ(userSeen, 1);
  EXPECT_EQ(adminsSeen, 1);
  EXPECT_EQ(systemSeen, 1);
}

TEST(Win32Resources, ReadsRcDataByteForByteAndReportsAMissingName) {
  Win32Resources resources;
  std::string bytes;
  ASSERT_EQ(resources.ReadRcData(u"PRN_TEST_BLOB", bytes), 0u);
  EXPECT_EQ(bytes, std::string("blob\0with\xff" "bytes", 15));
  EXPECT_EQ(resources.ReadRcData(u"NO_SUCH_RESOURCE", bytes), static_cast<uint32_t>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

}  // namespace
}  // namespace prn::win32
