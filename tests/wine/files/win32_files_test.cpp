#include <windows.h>

#include <gtest/gtest.h>

#include "sys/win32/files.h"
#include "sys/win32/text.h"
#include "text/winpath.h"

namespace prn::win32 {
namespace {

ustring TempFolder(const char16_t* name) {
  wchar_t buffer[MAX_PATH];
  GetTempPathW(MAX_PATH, buffer);
  return JoinPath(U(buffer), name);
}

TEST(Win32FileSystem, WritesCopiesAndDeletesTrees) {
  Win32FileSystem files;
  ustring root = TempFolder(u"prn-files-test");
  files.DeleteTree(root);
  ASSERT_EQ(files.CreateDirectories(JoinPath(root, u"src\\sub")), 0u);
  ASSERT_EQ(files.WriteFile(JoinPath(root, u"src\\sub\\a.txt"), "abc"), 0u);
  ASSERT_EQ(files.WriteFile(JoinPath(root, u"src\\b.inf"), "b"), 0u);
  ASSERT_EQ(files.CopyTree(JoinPath(root, u"src"), JoinPath(root, u"dst")), 0u);

  std::string bytes;
  EXPECT_EQ(files.ReadFile(JoinPath(root, u"dst\\sub\\a.txt"), bytes), 0u);
  EXPECT_EQ(bytes, "abc");
  EXPECT_EQ(files.ListFiles(JoinPath(root, u"dst"), u"*.INF"), std::vector<ustring>{u"b.inf"});
  EXPECT_TRUE(files.DirectoryExists(JoinPath(root, u"dst\\sub")));
  EXPECT_FALSE(files.FileExists(JoinPath(root, u"dst\\sub")));

  EXPECT_EQ(files.DeleteTree(root), 0u);
  EXPECT_FALSE(files.DirectoryExists(root));
  EXPECT_EQ(files.ReadFile(JoinPath(root, u"dst\\sub\\a.txt"), bytes), static_cast<uint32_t>(ERROR_PATH_NOT_FOUND));
}

TEST(Win32FileSystem, WritingIntoAMissingFolderFails) {
  Win32FileSystem files;
  EXPECT_NE(files.WriteFile(TempFolder(u"no-such-folder-prn\\x.bin"), "x"), 0u);
}

}  // namespace
}  // namespace prn::win32
