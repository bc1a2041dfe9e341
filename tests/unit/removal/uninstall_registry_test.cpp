#include "removal/uninstall_registry.h"

#include <gtest/gtest.h>

#include "removal_fixture.h"
#include "sys/registry.h"
#include "sys/win_errors.h"
#include "trace/trace.h"

namespace prn::removal {
namespace {

using namespace prn::testing;

class DelRegUninstallInfoTest : public RemovalTest {
 protected:
  bool Delete(const ustring& driver = kModel) { return DelRegUninstallInfo(context, driver, kMaker); }
  trace::Capture trace;
};

TEST_F(DelRegUninstallInfoTest, TheLastDriverKeyTakesTheTopKeyWithIt) {
  PutUninstallEntry(kModel);
  PutUninstallEntry(u"Quillon QX5");
  EXPECT_TRUE(Delete());
  EXPECT_FALSE(machine.registry.KeyExists(DriverKey(kModel)));
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(u"Quillon QX5")));  // one of two: the top key stays

  EXPECT_TRUE(Delete(u"Quillon QX5"));
  EXPECT_FALSE(machine.registry.KeyExists(MakerKey()));
  EXPECT_TRUE(machine.registry.KeyExists(kUninstallRoot));
  EXPECT_FALSE(trace.Contains(u"未能刪除指定的註冊表鍵！！！！！！"));
}

TEST_F(DelRegUninstallInfoTest, LeaveOemInfZeroKeepsTheInfCopiesButNotTheKey) {
  PutUninstallEntry(kModel, 0);
  PutOemInf(u"oem7.inf", OemInf("Printer", "Quillon QX1"));
  EXPECT_TRUE(Delete());
  EXPECT_TRUE(InfFolderHas(u"oem7.inf"));
  EXPECT_TRUE(InfFolderHas(u"oem7.pnf"));
  EXPECT_FALSE(machine.registry.KeyExists(MakerKey()));
}

TEST_F(DelRegUninstallInfoTest, OtherwiseTheDriversInfCopiesGoButNotThoseOfAnotherClass) {
  PutUninstallEntry(kModel, 1);
  PutUninstallEntry(u"Quillon QX5");  // no "Leave OEM INF": the copies go
  PutOemInf(u"oem7.inf", OemInf("Printer", "Quillon QX1"));
  PutOemInf(u"oem8.inf", OemInf("Image", "Quillon QX1"));
  PutOemInf(u"oem9.inf", OemInf("Printer", "Quillon QX5"));
  EXPECT_TRUE(Delete());
  EXPECT_FALSE(InfFolderHas(u"oem7.inf"));
  EXPECT_FALSE(InfFolderHas(u"oem7.pnf"));
  EXPECT_TRUE(InfFolderHas(u"oem8.inf"));
  EXPECT_TRUE(InfFolderHas(u"oem9.inf"));
  EXPECT_TRUE(trace.Contains(u"註冊表鍵（" + DriverKey(kModel) + u"）指定了刪除Inf文件。........"));

  EXPECT_TRUE(Delete(u"Quillon QX5"));
  EXPECT_FALSE(InfFolderHas(u"oem9.inf"));
}

TEST_F(DelRegUninstallInfoTest, AMissingDriverKeyStillCleansTheInfFolderAndFails) {
  PutUninstallEntry(u"Quillon QX5");
  PutOemInf(u"oem7.inf", OemInf("Printer", "Quillon QX1"));
  EXPECT_FALSE(Delete());
  EXPECT_FALSE(InfFolderHas(u"oem7.inf"));
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(u"Quillon QX5")));
  EXPECT_TRUE(trace.Contains(u"未能刪除指定的註冊表鍵！！！！！！"));
}

TEST_F(DelRegUninstallInfoTest, UnderWow64TheEntriesOfThe32BitViewAreCleaned) {
  machine.system.wow64 = true;
  machine.registry.SetRedirected32(true);
  context = RemovalContext(machine.Platform());
  PutUninstallEntry(kModel, 0, kUninstallRoot32);
  PutUninstallEntry(kModel, 0, kUninstallRoot);  // a 64-bit program's entry of the same name
  EXPECT_TRUE(Delete());
  EXPECT_FALSE(machine.registry.KeyExists(MakerKey(kUninstallRoot32)));
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(kModel, kUninstallRoot)));

  machine.system.wow64 = false;
  machine.registry.SetRedirected32(false);
  context = RemovalContext(machine.Platform());
  PutUninstallEntry(kModel, 0, kUninstallRoot32);
  EXPECT_TRUE(Delete());
  EXPECT_FALSE(machine.registry.KeyExists(MakerKey(kUninstallRoot)));
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(kModel, kUninstallRoot32)));
}

TEST_F(DelRegUninstallInfoTest, KeysThatCannotBeDeletedAnswerFalse) {
  PutUninstallEntry(kModel);
  machine.registry.CreateKey(MakerKey() + u"\\Readme", sys::RegistryView::Default);
  machine.registry.FailDeleteOf(MakerKey() + u"\\Readme", winerr::AccessDenied);
  EXPECT_FALSE(Delete()) << "the driver key went, the top key stayed";
  EXPECT_FALSE(machine.registry.KeyExists(DriverKey(kModel)));
  EXPECT_TRUE(machine.registry.KeyExists(MakerKey()));

  PutUninstallEntry(u"Quillon QX5");
  machine.registry.CreateKey(DriverKey(u"Quillon QX5") + u"\\Settings", sys::RegistryView::Default);
  machine.registry.FailDeleteOf(DriverKey(u"Quillon QX5") + u"\\Settings", winerr::AccessDenied);
  EXPECT_FALSE(Delete(u"Quillon QX5"));
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(u"Quillon QX5")));
  EXPECT_TRUE(trace.Contains(u"未能刪除指定的註冊表鍵！！！！！！"));
}

TEST_F(DelRegUninstallInfoTest, ANameThatIsNoSingleKeyDeletesNothing) {
  PutUninstallEntry(kModel);
  PutOemInf(u"oem7.inf", OemInf("Printer", ""));
  EXPECT_FALSE(Delete(u""));
  EXPECT_FALSE(Delete(kModel + ustring(u"\\..")));
  EXPECT_TRUE(machine.registry.KeyExists(DriverKey(kModel)));
  EXPECT_TRUE(InfFolderHas(u"oem7.inf"));
}

}  // namespace
}  // namespace prn::removal
