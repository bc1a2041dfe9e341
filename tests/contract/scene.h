#pragma once
// What the contract tests create on a machine; the real machine removes
// these again, before and after each test.

#include <gtest/gtest.h>

#include "sys/files.h"
#include "sys/spooler.h"
#include "text/winpath.h"

namespace prn::contract {

inline constexpr char16_t kTestDriver[] = u"Prn Wine Test Driver";
inline constexpr char16_t kTestPrinter[] = u"PrnWineTest QX1";
inline constexpr char16_t kTestDataFile[] = u"prn-wine-test.gpd";
inline constexpr char16_t kTestLocalPort[] = u"C:\\windows\\temp\\prn-wine-test.prn";
inline constexpr char16_t kTestRegistryRoot[] = u"SOFTWARE\\PrnSetupContractTest";

// The test driver, with a data file of our own staged in the driver
// directory, from where the spooler takes it. wineps.drv is Wine's own:
// Wine answers DocumentPropertiesW only for a driver whose configuration
// module it can load.
template <typename Machine>
void InstallTestDriver(Machine& machine) {
  const ustring directory = machine.DriverDirectory();
  ASSERT_EQ(machine.Files().CreateDirectories(directory), 0u);
  ASSERT_EQ(machine.Files().WriteFile(JoinPath(directory, kTestDataFile), "*GPDFileVersion: \"1.0.2.8\"\r\n"), 0u);
  sys::DRIVER_INFO_3W driver;
  driver.pName = kTestDriver;
  driver.pDriverPath = u"wineps.drv";
  driver.pConfigFile = u"wineps.drv";
  driver.pDataFile = kTestDataFile;
  ASSERT_TRUE(machine.Spooler().InstallDriver(driver, sys::spool::CopyNewFiles));
}

}  // namespace prn::contract
