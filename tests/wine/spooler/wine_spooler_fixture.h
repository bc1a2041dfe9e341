#pragma once
// Wine's real spooler in the test prefix, with a wineps-backed test driver
// (Wine answers DocumentPropertiesW only for drivers whose configuration
// module it can load) and everything the tests create removed again.

#include <windows.h>

#include <gtest/gtest.h>

#include "sys/win32/spooler.h"
#include "sys/win32/system_info.h"
#include "text/ustring.h"

namespace prn::testing {

inline constexpr char16_t kTestDriver[] = u"Prn Wine Test Driver";
inline constexpr char16_t kTestPrinter[] = u"PrnWineTest QX1";
inline constexpr char16_t kTestLocalPort[] = u"C:\\windows\\temp\\prn-wine-test.prn";

class WineSpoolerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Installs the test driver with a data file of our own.
  void InstallTestDriver();
  void DeletePrinterIfPresent(const ustring& name);
  void DeleteLocalPort(const ustring& name);

  win32::Win32Spooler spooler;
  win32::Win32LastError lastError;

 private:
  void CleanUp();
  void RemoveTestDriver();
  void ForgetDefaultPrinterIfOurs();
};

}  // namespace prn::testing
