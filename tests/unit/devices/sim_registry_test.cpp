// The simulated HKEY_LOCAL_MACHINE where a test arranges it; what it shares
// with the real one is in tests/contract.

#include <gtest/gtest.h>

#include "sim/registry.h"
#include "sys/win_errors.h"

namespace prn::sim {
namespace {

constexpr auto kView = sys::RegistryView::Default;

TEST(SimRegistry, OpeningAndCreatingFailAtAndBelowAChosenKey) {
  SimRegistry registry;
  registry.CreateKey(u"SYSTEM\\Locked\\Inner", kView);
  registry.FailOpenUnder(u"SYSTEM\\Locked", winerr::AccessDenied);
  registry.FailCreateUnder(u"SYSTEM\\Enum\\ROOT", winerr::AccessDenied);
  EXPECT_EQ(registry.OpenKey(u"SYSTEM\\Locked\\Inner", kView), winerr::AccessDenied);
  EXPECT_EQ(registry.OpenKey(u"SYSTEM\\LockedOut", kView), winerr::FileNotFound);
  EXPECT_EQ(registry.CreateKey(u"SYSTEM\\Enum\\ROOT\\PRINTER\\0000", kView), winerr::AccessDenied);
  EXPECT_EQ(registry.CreateKey(u"SYSTEM\\Enum\\USB\\X", kView), 0u);
}

TEST(SimRegistry, AThirtyTwoBitProcessSeesTheWow6432NodeAsItsSoftwareKey) {
  SimRegistry registry;
  registry.SetRedirected32(true);
  registry.CreateKey(u"SOFTWARE\\Quillon", kView);
  registry.CreateKey(u"SYSTEM\\Quillon", kView);
  EXPECT_TRUE(registry.KeyExists(u"SOFTWARE\\WOW6432Node\\Quillon"));
  EXPECT_TRUE(registry.KeyExists(u"SYSTEM\\Quillon"));
  EXPECT_NE(registry.OpenKey(u"SOFTWARE\\Quillon", sys::RegistryView::Force64), 0u);
  EXPECT_EQ(registry.OpenKey(u"SOFTWARE\\Quillon", sys::RegistryView::Force32), 0u);
}

TEST(RegistryValue, NumbersAndTextsRoundTrip) {
  EXPECT_EQ(sys::RegistryValue::Dword(0xE000020B).Number(), 0xE000020Bu);
  EXPECT_FALSE(sys::RegistryValue::Dword(1).Text());
  sys::RegistryValue unterminated{sys::regtype::String, std::string("U\0S\0B\0", 6)};
  EXPECT_EQ(unterminated.Text(), u"USB");
  EXPECT_FALSE((sys::RegistryValue{sys::regtype::Dword, "ab"}).Number());
}

}  // namespace
}  // namespace prn::sim
