#pragma once
// A simulated machine for the steps of an install or a removal of the model
// "Quillon QX1", with its driver package in C:\Package when a test asks.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/install_infos.h"
#include "sim/machine.h"
#include "sys/dialogs.h"
#include "testing/test_package.h"

namespace prn::testing {

inline constexpr char16_t kPackageFolder[] = u"C:\\Package\\";
inline constexpr char16_t kSetupIni[] = u"C:\\Package\\Setup.Ini";
inline constexpr char16_t kInf[] = u"C:\\Package\\Driver\\QX1.INF";
inline constexpr char16_t kInf64[] = u"C:\\Package\\Driver\\QX1_64.INF";
// The installer's window, the owner of what the steps show.
inline constexpr sys::WindowHandle kWindow = 0x1234;

class MachineTest : public ::testing::Test {
 protected:
  // Every step closes the printer handles it opens.
  void TearDown() override;

  // The model's package: Setup.Ini with its one entry (and `extraKeys`, "AfterRun=After.exe\r\n" …)
  // and the INF files for 32- and 64-bit Windows.
  void PutPackage(const std::string& extraKeys = {});
  // The package's settings, loaded as start-up loads them, at first use.
  const config::TInstallInfos& Settings();
  std::string Read(const ustring& path) const;

  sim::Machine machine;

 private:
  std::unique_ptr<config::TInstallInfos> settings_;
};

}  // namespace prn::testing
