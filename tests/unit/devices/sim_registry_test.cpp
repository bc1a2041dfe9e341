// The simulated HKEY_LOCAL_MACHINE.

#include <gtest/gtest.h>

#include "sim/registry.h"
#include "sys/win_errors.h"

namespace prn::sim {
namespace {

constexpr auto kView = sys::RegistryView::Default;

TEST(SimRegistry, KeysAndValuesAreFoundWithoutRegardToCase) {
  SimRegistry registry;
  ASSERT_EQ(registry.CreateKey(u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\Q\\7&1", kView), 0u);
  EXPECT_EQ(registry.OpenKey(u"system\\currentcontrolset\\enum\\usbprint", kView), 0u);
  EXPECT_EQ(registry.OpenKey(u"SYSTEM\\Nothing", kView), winerr::FileNotFound);
  EXPECT_EQ(registry.WriteValue(u"SYSTEM\\Nothing", u"v", sys::RegistryValue::Dword(1), kView), winerr::FileNotFound);

  ASSERT_EQ(registry.WriteValue(u"SYSTEM\\CurrentControlSet", u"PortName", sys::RegistryValue::String(u"LPT1:"), kView), 0u);
  sys::RegistryValue value;
  ASSERT_EQ(registry.ReadValue(u"system\\currentcontrolset", u"PORTNAME", value, kView), 0u);
  EXPECT_EQ(value.Text(), u"LPT1:");
  EXPECT_EQ(value.data.size(), 12u);
  EXPECT_EQ(registry.ReadValue(u"SYSTEM\\CurrentControlSet", u"Other", value, kView), winerr::FileNotFound);
}

TEST(SimRegistry, EnumeratesSubkeysAndDeletesWholeTrees) {
  SimRegistry registry;
  registry.CreateKey(u"SOFTWARE\\Uninstall\\Beta\\Sub", kView);
  registry.CreateKey(u"SOFTWARE\\Uninstall\\alpha", kView);
  std::vector<ustring> names;
  ASSERT_EQ(registry.EnumerateSubkeys(u"SOFTWARE\\Uninstall", names, kView), 0u);
  EXPECT_EQ(names, (std::vector<ustring>{u"alpha", u"Beta"}));

  EXPECT_EQ(registry.DeleteTree(u"software\\uninstall\\BETA", kView), 0u);
  EXPECT_FALSE(registry.KeyExists(u"SOFTWARE\\Uninstall\\Beta\\Sub"));
  EXPECT_TRUE(registry.KeyExists(u"SOFTWARE\\Uninstall\\alpha"));
  EXPECT_EQ(registry.DeleteTree(u"SOFTWARE\\Uninstall\\Beta", kView), winerr::FileNotFound);
}

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
