#pragma once
// A simulated machine whose spooler the tests arrange.

#include <gtest/gtest.h>

#include "sim/machine.h"

namespace prn::testing {

class SpoolerTest : public ::testing::Test {
 protected:
  // Every routine closes the printer handles it opens.
  void TearDown() override { EXPECT_EQ(spooler.OpenHandleCount(), 0) << "printer handles left open"; }

  sim::Machine machine;
  sim::SimSpooler& spooler = machine.spooler;
  sim::SimLastError& lastError = machine.lastError;
};

}  // namespace prn::testing
