#include <gtest/gtest.h>

#include "install/older_driver_removal.h"
#include "sim/machine.h"
#include "sys/win_errors.h"
#include "text/error.h"

namespace prn {
namespace {

using install::EnablePrivilege;
using install::RestartWindows;

class RestartWindowsTest : public ::testing::Test {
 protected:
  sim::Machine machine;
  sys::Platform platform = machine.Platform();
};

TEST_F(RestartWindowsTest, EnablesShutdownPrivilegeThenAsksForAForcedRestart) {
  EXPECT_TRUE(RestartWindows(platform));
  EXPECT_TRUE(machine.privileges.IsEnabled(u"SeShutdownPrivilege"));
  ASSERT_EQ(machine.privileges.ExitRequests().size(), 1u);
  EXPECT_EQ(machine.privileges.ExitRequests()[0].flags, 0x12u);
  EXPECT_EQ(machine.privileges.ExitRequests()[0].reason, 0u);
}

TEST_F(RestartWindowsTest, RefusedRestartAnswersFalse) {
  machine.privileges.RefuseExit(true);
  EXPECT_FALSE(RestartWindows(platform));
}

TEST_F(RestartWindowsTest, WithoutAccessTokensNothingIsAsked) {
  machine.privileges.SetAccessTokens(false);
  EXPECT_FALSE(EnablePrivilege(platform, u"SeShutdownPrivilege", true));
  EXPECT_FALSE(RestartWindows(platform));
  EXPECT_TRUE(machine.privileges.ExitRequests().empty());
}

TEST_F(RestartWindowsTest, PrivilegeNotHeldRaisesTheSystemTextAndRestartsNothing) {
  machine.privileges.SetHeld({});
  EXPECT_THROW(RestartWindows(platform), Error);
  EXPECT_TRUE(machine.privileges.ExitRequests().empty());
  machine.privileges.FailTokenOpen(winerr::AccessDenied);
  try {
    EnablePrivilege(platform, u"SeShutdownPrivilege", true);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), u"Access is denied.");
  }
}

TEST_F(RestartWindowsTest, DisablingWorksAndUnknownNamesRaise) {
  ASSERT_TRUE(EnablePrivilege(platform, u"SeShutdownPrivilege", true));
  ASSERT_TRUE(EnablePrivilege(platform, u"SeShutdownPrivilege", false));
  EXPECT_FALSE(machine.privileges.IsEnabled(u"SeShutdownPrivilege"));
  EXPECT_THROW(EnablePrivilege(platform, u"SeNoSuchPrivilege", true), Error);
}

}  // namespace
}  // namespace prn
