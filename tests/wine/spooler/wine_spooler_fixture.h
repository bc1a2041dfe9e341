#pragma once
// Wine's real spooler in the test prefix, for tests that need a queue of
// the test driver: the contract tests' real machine, which removes again
// whatever the tests create (tests/contract/scene.h).

#include <gtest/gtest.h>

#include "contract/scene.h"
#include "contract/win32/win32_machine.h"
#include "sys/win32/spooler.h"
#include "sys/win32/system_info.h"
#include "text/ustring.h"

namespace prn::testing {

using contract::kTestDriver;
using contract::kTestLocalPort;
using contract::kTestPrinter;

class WineSpoolerTest : public ::testing::Test {
 protected:
  void InstallTestDriver() { contract::InstallTestDriver(real); }
  void DeletePrinterIfPresent(const ustring& name) { real.DeletePrinterIfPresent(name); }

  contract::Win32Machine real;
  sys::Spooler& spooler = real.Spooler();
  sys::LastError& lastError = real.LastError();
};

}  // namespace prn::testing
