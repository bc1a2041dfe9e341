#include "removal/uninstall_registry.h"

#include <gtest/gtest.h>

#include "sim/machine.h"
#include "testing/test_files.h"

namespace prn::removal {
namespace {

constexpr char16_t kSystem32[] = u"C:\\Windows\\system32";

std::string Inf(const char* infClass, const char* modelKey) {
  return std::string("[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=") + infClass +
         "\r\nProvider=%ProviderName%\r\n[Manufacturer]\r\n%ProviderName%=Quillon,NTamd64\r\n"
         "[Quillon]\r\n" + modelKey + " = QX1.GPD, USBPRINT\\QuillonQX17A3F\r\n"
         "[Strings]\r\nProviderName=\"Quillon\"\r\n";
}

class OemInfCleanupTest : public ::testing::Test {
 protected:
  void Put(const ustring& name, const std::string& bytes) {
    testing::WriteFile(machine.files, u"C:\\Windows\\inf\\" + name, bytes);
  }
  bool Exists(const ustring& name) { return machine.files.FileExists(u"C:\\Windows\\inf\\" + name); }
  sim::Machine machine;
};

TEST_F(OemInfCleanupTest, QuotedOrBareModelKeyOfAPrinterInfMatches) {
  Put(u"oem1.inf", Inf("Printer", "\"Quillon QX1\""));
  Put(u"oem2.inf", Inf("Printer", "Quillon QX1"));
  Put(u"oem3.inf", Inf("Image", "\"Quillon QX1\""));
  Put(u"oem4.inf", Inf("printer", "\"Quillon QX1\""));
  Put(u"oem5.inf", Inf("Printer", "\"Quillon QX10\""));
  auto lists = [&](const char16_t* name) {
    return InfListsModel(machine.files, machine.codePage, u"Quillon QX1", ustring(u"C:\\Windows\\inf\\") + name,
                         u"Printer");
  };
  EXPECT_TRUE(lists(u"oem1.inf"));
  EXPECT_TRUE(lists(u"oem2.inf"));
  EXPECT_FALSE(lists(u"oem3.inf"));  // another class never matches
  EXPECT_FALSE(lists(u"oem4.inf"));  // the class is compared exactly
  EXPECT_FALSE(lists(u"oem5.inf"));
  EXPECT_FALSE(lists(u"missing.inf"));
}

TEST_F(OemInfCleanupTest, DeletesMatchingCopiesWithTheirPnfWhateverTheExtensionCase) {
  Put(u"oem7.inf", Inf("Printer", "\"Quillon QX1\""));
  Put(u"oem7.pnf", "pnf");
  Put(u"oem12.INF", Inf("Printer", "\"Quillon QX1\""));
  Put(u"oem12.pnf", "pnf");
  Put(u"oem8.inf", Inf("Image", "\"Quillon QX1\""));
  Put(u"oem8.pnf", "pnf");
  Put(u"other.inf", Inf("Printer", "\"Quillon QX1\""));  // not an oem*.inf

  EXPECT_EQ(LeaveOEMInf(machine.files, machine.codePage, kSystem32, u"Quillon QX1", u"Printer"), 2);
  EXPECT_FALSE(Exists(u"oem7.inf"));
  EXPECT_FALSE(Exists(u"oem7.pnf"));
  EXPECT_FALSE(Exists(u"oem12.INF"));
  EXPECT_FALSE(Exists(u"oem12.pnf"));
  EXPECT_TRUE(Exists(u"oem8.inf"));
  EXPECT_TRUE(Exists(u"oem8.pnf"));
  EXPECT_TRUE(Exists(u"other.inf"));
}

TEST_F(OemInfCleanupTest, InfFolderComesFromTheSystemDirectory) {
  EXPECT_EQ(InfFolderOf(u"C:\\Windows\\system32"), u"C:\\Windows\\inf\\");
  EXPECT_EQ(InfFolderOf(u"C:\\WINDOWS\\System32"), u"C:\\WINDOWS\\inf\\");
  // Without "system32" the folder normally does not exist and nothing is deleted.
  EXPECT_EQ(InfFolderOf(u"D:\\OS\\bin"), u"D:\\OS\\bininf\\");
  Put(u"oem1.inf", Inf("Printer", "\"Quillon QX1\""));
  EXPECT_EQ(LeaveOEMInf(machine.files, machine.codePage, u"D:\\OS\\bin", u"Quillon QX1", u"Printer"), 0);
  EXPECT_TRUE(Exists(u"oem1.inf"));
}

}  // namespace
}  // namespace prn::removal
