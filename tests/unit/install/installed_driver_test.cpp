#include <gtest/gtest.h>

#include "install/older_driver_removal.h"
#include "sim/machine.h"
#include "testing/test_files.h"
#include "text/error.h"

namespace prn::install {
namespace {

class InstalledDriverTest : public ::testing::Test {
 protected:
  void InstallDriver(const ustring& driver, const std::string& gpdVersion, const ustring& gpdPath) {
    testing::WriteFile(machine.files, gpdPath,
                       "*GPDSpecVersion: \"1.0\"\r\n*GPDFileVersion: \"" + gpdVersion + "\"\r\n");
    machine.spooler.PutDriver(driver, gpdPath);
  }
  bool Older(const ustring& required) {
    return InstalledGpdIsOlder(machine.Platform(), u"Quillon QX1", required, printers);
  }

  sim::Machine machine;
  StringList printers{u"stale"};
};

TEST_F(InstalledDriverTest, ReadsTheVersionAndListsThePrintersOfTheDriver) {
  InstallDriver(u"Quillon QX1", "1.0.2.8", u"C:\\Drivers\\QX1.GPD");
  InstallDriver(u"Other", "9.9", u"C:\\Drivers\\OTHER.GPD");
  machine.spooler.PutPrinter(u"Quillon QX1", u"Quillon QX1", u"LPT1:");
  machine.spooler.PutPrinter(u"Office", u"Other", u"LPT2:");
  machine.spooler.PutPrinter(u"Quillon QX1 (Copy 1)", u"Quillon QX1", u"USB001");
  EXPECT_EQ(GetDriverGpdVersion(machine.Platform(), u"Quillon QX1", printers), u"1.0.2.8");
  EXPECT_EQ(printers, (StringList{u"Quillon QX1", u"Quillon QX1 (Copy 1)"}));
  EXPECT_EQ(GetDriverGpdVersion(machine.Platform(), u"quillon qx1", printers), u"");  // exact name only
  EXPECT_TRUE(printers.empty());
}

TEST_F(InstalledDriverTest, OlderMeansALowerVersionNotALowerPartSomewhere) {
  machine.spooler.PutPrinter(u"Quillon QX1", u"Quillon QX1", u"LPT1:");
  InstallDriver(u"Quillon QX1", "1.0.2.8", u"C:\\Drivers\\QX1.GPD");
  EXPECT_TRUE(Older(u"1.0.3"));
  EXPECT_EQ(printers, StringList{u"Quillon QX1"});
  InstallDriver(u"Quillon QX1", "1.1.0", u"C:\\Drivers\\QX1.GPD");
  EXPECT_FALSE(Older(u"1.0.3"));
  InstallDriver(u"Quillon QX1", "2.0", u"C:\\Drivers\\QX1.GPD");
  EXPECT_FALSE(Older(u"1.5"));
  EXPECT_TRUE(Older(u"2.0.0.1"));
}

TEST_F(InstalledDriverTest, NoPrinterOfTheDriverIsNeverOlder) {
  InstallDriver(u"Quillon QX1", "1.0", u"C:\\Drivers\\QX1.GPD");  // installed, but no printer uses it
  EXPECT_FALSE(Older(u"9.0"));
  EXPECT_TRUE(printers.empty());
}

TEST_F(InstalledDriverTest, VersionThatIsNoNumberStopsTheCheckWithAClearError) {
  machine.spooler.PutPrinter(u"Quillon QX1", u"Quillon QX1", u"LPT1:");
  InstallDriver(u"Quillon QX1", "1.0.x", u"C:\\Drivers\\QX1.GPD");
  try {
    Older(u"1.0.3");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_NE(error.Text().find(u"1.0.x"), ustring::npos);
  }
  InstallDriver(u"Quillon QX1", "1.0", u"C:\\Drivers\\QX1.GPD");
  EXPECT_THROW(Older(u"1.0 beta"), Error);
}

TEST_F(InstalledDriverTest, LaterPrinterOfTheDriverOverwritesOnlyWhenItsFileCarriesAVersion) {
  InstallDriver(u"Quillon QX1", "1.0.2.8", u"C:\\Drivers\\QX1.GPD");
  machine.spooler.PutPrinter(u"A", u"Quillon QX1", u"LPT1:");
  testing::WriteFile(machine.files, u"C:\\Drivers\\QX1.GPD",
                     "*GPDFileVersion: \"1.0.2.8\"\r\n*GPDFileVersion: \"1.0.2.9\"\r\n");
  EXPECT_EQ(GetDriverGpdVersion(machine.Platform(), u"Quillon QX1", printers), u"1.0.2.9");
}

}  // namespace
}  // namespace prn::install
