// What the file system promises on both machines.

#include "contract/machines.h"
#include "sys/win_errors.h"
#include "text/winpath.h"

namespace prn::contract {
namespace {

template <typename Machine>
class FilesContract : public ::testing::Test {
 protected:
  ustring Path(const char16_t* relative) const { return JoinPath(root, relative); }

  Machine machine;
  sys::FileSystem& files = machine.Files();
  const ustring root = machine.ScratchFolder();
};

TYPED_TEST_SUITE(FilesContract, Machines, MachineNames);

TYPED_TEST(FilesContract, WritesCopiesListsAndDeletesTrees) {
  auto& files = this->files;
  ASSERT_EQ(files.CreateDirectories(this->Path(u"src\\sub")), 0u);
  ASSERT_EQ(files.WriteFile(this->Path(u"src\\sub\\a.txt"), "abc"), 0u);
  ASSERT_EQ(files.WriteFile(this->Path(u"src\\b.inf"), "b"), 0u);
  ASSERT_EQ(files.CopyTree(this->Path(u"src"), this->Path(u"dst")), 0u);

  std::string bytes;
  EXPECT_EQ(files.ReadFile(this->Path(u"dst\\sub\\a.txt"), bytes), 0u);
  EXPECT_EQ(bytes, "abc");
  EXPECT_EQ(files.ListFiles(this->Path(u"dst"), u"*.INF"), std::vector<ustring>{u"b.inf"});
  EXPECT_TRUE(files.DirectoryExists(this->Path(u"dst\\sub")));
  EXPECT_FALSE(files.FileExists(this->Path(u"dst\\sub")));
  EXPECT_TRUE(files.FileExists(this->Path(u"dst\\b.inf")));
  EXPECT_FALSE(files.DirectoryExists(this->Path(u"dst\\b.inf")));

  EXPECT_EQ(files.DeleteTree(this->root), 0u);
  EXPECT_FALSE(files.DirectoryExists(this->root));
  EXPECT_EQ(files.ReadFile(this->Path(u"dst\\sub\\a.txt"), bytes), winerr::PathNotFound);
}

TYPED_TEST(FilesContract, WritingReadingAndRemovingWhereNothingIsFailWithWindowsCodes) {
  auto& files = this->files;
  ASSERT_EQ(files.CreateDirectories(this->root), 0u);
  EXPECT_EQ(files.WriteFile(this->Path(u"no-such-folder\\x.bin"), "x"), winerr::PathNotFound);
  std::string bytes = "kept";
  EXPECT_EQ(files.ReadFile(this->Path(u"missing.bin"), bytes), winerr::FileNotFound);
  EXPECT_EQ(files.RemoveFile(this->Path(u"missing.bin")), winerr::FileNotFound);
  EXPECT_TRUE(files.ListFiles(this->Path(u"no-such-folder"), u"*").empty());
}

TYPED_TEST(FilesContract, AFileWrittenAgainIsReplacedWhole) {
  auto& files = this->files;
  ASSERT_EQ(files.CreateDirectories(this->root), 0u);
  ASSERT_EQ(files.WriteFile(this->Path(u"x.txt"), "a longer first text"), 0u);
  ASSERT_EQ(files.WriteFile(this->Path(u"x.txt"), "short"), 0u);
  std::string bytes;
  ASSERT_EQ(files.ReadFile(this->Path(u"x.txt"), bytes), 0u);
  EXPECT_EQ(bytes, "short");
  EXPECT_EQ(files.RemoveFile(this->Path(u"x.txt")), 0u);
  EXPECT_FALSE(files.FileExists(this->Path(u"x.txt")));
}

// A rename never replaces a folder that is already there.
TYPED_TEST(FilesContract, MovingAFolderOntoAnExistingOneIsRefused) {
  auto& files = this->files;
  ASSERT_EQ(files.CreateDirectories(this->Path(u"from")), 0u);
  ASSERT_EQ(files.WriteFile(this->Path(u"from\\a.txt"), "a"), 0u);
  ASSERT_EQ(files.CreateDirectories(this->Path(u"to")), 0u);
  EXPECT_EQ(files.MoveFolder(this->Path(u"from"), this->Path(u"to")), winerr::AlreadyExists);
  EXPECT_TRUE(files.FileExists(this->Path(u"from\\a.txt")));

  ASSERT_EQ(files.MoveFolder(this->Path(u"from"), this->Path(u"moved")), 0u);
  EXPECT_TRUE(files.FileExists(this->Path(u"moved\\a.txt")));
  EXPECT_FALSE(files.DirectoryExists(this->Path(u"from")));
  EXPECT_FALSE(files.IsLink(this->Path(u"moved")));
}

}  // namespace
}  // namespace prn::contract
