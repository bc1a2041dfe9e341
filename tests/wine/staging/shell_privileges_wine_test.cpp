#include <windows.h>

#include <gtest/gtest.h>

#include "sys/win32/files.h"
#include "sys/win32/shell.h"
#include "sys/win32/system_info.h"
#include "sys/win_errors.h"
#include "wine_paths.h"

namespace prn::win32 {
namespace {

TEST(Win32ShellUnderWine, ReportsAnExistingProgramFilesFolder) {
  Win32Shell shell;
  auto folder = shell.ProgramFilesFolder(0);
  ASSERT_TRUE(folder);
  EXPECT_TRUE(IsAbsoluteWindowsPath(*folder));
  EXPECT_NE(GetFileAttributesW(W(*folder)), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32ShellUnderWine, DeletesAFolderTreeSilently) {
  Win32Shell shell;
  Win32FileSystem files;
  ustring root = testing::TempFolder(u"prn-shell-delete");
  ASSERT_EQ(files.CreateDirectories(root + u"\\a\\b"), 0u);
  ASSERT_EQ(files.WriteFile(root + u"\\a\\b\\c.txt", "c"), 0u);
  EXPECT_EQ(shell.DeleteWithShell(root, 0x414, 0), 0);
  EXPECT_FALSE(files.DirectoryExists(root));
  EXPECT_NE(shell.DeleteWithShell(root, 0x414, 0), 0);  // nothing left to delete
}

TEST(Win32PrivilegesUnderWine, AdjustLeavesItsVerdictInTheLastError) {
  Win32Privileges privileges;
  EXPECT_TRUE(privileges.HasAccessTokens());
  SetLastError(12345);
  privileges.AdjustPrivilege(u"SeShutdownPrivilege", true);
  EXPECT_EQ(GetLastError(), 0u);
  privileges.AdjustPrivilege(u"SeNoSuchPrivilege", true);
  EXPECT_EQ(GetLastError(), winerr::NoSuchPrivilege);
}

}  // namespace
}  // namespace prn::win32
