#include <gtest/gtest.h>

#include "install/buffer_driver_files.h"
#include "text/error.h"

namespace prn::install {
namespace {

TEST(MakeStagingFolder, JoinsProgramFilesMakerAndModel) {
  StagingFolder staging = MakeStagingFolder(u"C:\\Program Files", u"Quillon", u"Quillon QX1");
  EXPECT_EQ(staging.folder, u"C:\\Program Files\\Quillon\\Printer Drivers\\Quillon QX1");
  EXPECT_EQ(staging.root, u"C:\\Program Files\\Quillon\\Printer Drivers");
}

TEST(MakeStagingFolder, RefusesNamesThatWouldAimElsewhere) {
  for (const char16_t* bad : {u"", u"..\\..\\Windows", u"a\\b", u"..\\", u"Q*", u"Q?", u"Q\"X", u"Q<X>",
                              u"Q|X", u"Q\tX", u"CON", u"lpt1", u"nul.txt", u"COM9"}) {
    EXPECT_THROW(MakeStagingFolder(u"C:\\Program Files", bad, u"QX1"), Error) << ToUtf8(bad);
    EXPECT_THROW(MakeStagingFolder(u"C:\\Program Files", u"Quillon", bad), Error) << ToUtf8(bad);
  }
  EXPECT_THROW(MakeStagingFolder(u"Program Files", u"Quillon", u"QX1"), Error);
  EXPECT_THROW(MakeStagingFolder(u"", u"Quillon", u"QX1"), Error);
}

TEST(MakeStagingFolder, AcceptsOrdinaryNames) {
  for (const char16_t* good : {u"Quillon QX1 (Copy 1)", u"QX-1_PCL6, v2", u"打印機 QX1", u"..QX", u"COM10", u"CONSOLE"})
    EXPECT_NO_THROW(MakeStagingFolder(u"C:\\Program Files", u"Quillon", good)) << ToUtf8(good);
}

// Windows has no folder named "C5030/5035" or "QX1."; the model keeps its
// name and only its folder is spelt differently, one folder per name.
TEST(MakeStagingFolder, SpellsSlashColonAndATrailingDotSafely) {
  EXPECT_EQ(MakeStagingFolder(u"C:\\Program Files", u"Quillon", u"C5030/5035 PCL6").folder,
            u"C:\\Program Files\\Quillon\\Printer Drivers\\C5030%2F5035 PCL6");
  EXPECT_EQ(MakeStagingFolder(u"C:\\Program Files", u"Q: Inc.", u"QX1. ").root,
            u"C:\\Program Files\\Q%3A Inc%2E\\Printer Drivers");
  EXPECT_EQ(FolderNameFor(u"QX1. "), u"QX1%2E%20");
  EXPECT_EQ(FolderNameFor(u".."), u"%2E%2E");
  EXPECT_EQ(FolderNameFor(u"Q.X 1"), u"Q.X 1");
  EXPECT_NE(FolderNameFor(u"a/b"), FolderNameFor(u"a%2Fb"));
}

TEST(LiesUnder, OnlyStrictlyInsideTheRoot) {
  ustring root = u"C:\\Program Files\\Quillon\\Printer Drivers";
  EXPECT_TRUE(LiesUnder(u"C:\\Program Files\\Quillon\\Printer Drivers\\QX1", root));
  EXPECT_TRUE(LiesUnder(u"c:\\program files\\quillon\\printer drivers\\QX1", root));
  EXPECT_FALSE(LiesUnder(root, root));
  EXPECT_FALSE(LiesUnder(root + u"\\", root));
  EXPECT_FALSE(LiesUnder(u"C:\\Program Files\\Quillon\\Printer DriversX", root));
  EXPECT_FALSE(LiesUnder(u"C:\\Windows", root));
}

}  // namespace
}  // namespace prn::install
