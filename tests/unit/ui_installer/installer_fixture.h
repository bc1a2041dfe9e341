#pragma once
// A package in C:\Package on a simulated machine, loaded as start-up loads it,
// for the installer window models.

#include <gtest/gtest.h>

#include "config/process_values.h"
#include "sim/machine.h"

namespace prn::ui {

class InstallerFixture : public ::testing::Test {
 protected:
  InstallerFixture();

  // Settings with the entries "[QX1]" and "[QX5]"; `entry0Keys` are extra
  // lines of the first entry. `languageFile` is Strings.ini's text.
  void Load(ustring_view entry0Keys, ustring_view languageFile = u"");

  sim::Machine machine;
  config::ProcessValues values;
};

}  // namespace prn::ui
