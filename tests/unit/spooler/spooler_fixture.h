#pragma once
// A simulated machine whose spooler the tests arrange.

#include <gtest/gtest.h>

#include "sys/sim/machine.h"

namespace prn::testing {

class SpoolerTest : public ::testing::Test {
 protected:
  sim::Machine machine;
  sim::SimSpooler& spooler = machine.spooler;
  sim::SimLastError& lastError = machine.lastError;
};

}  // namespace prn::testing
