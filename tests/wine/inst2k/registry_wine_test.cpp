// The registry through advapi32, under Wine's HKEY_LOCAL_MACHINE.

#include <windows.h>

#include <gtest/gtest.h>

#include "sys/win32/registry.h"

namespace prn::win32 {
namespace {

constexpr auto kView = sys::RegistryView::Default;
const ustring kRoot = u"SOFTWARE\\PrnSetupRegistryTest";

TEST(Win32Registry, CreatesWritesReadsEnumeratesAndDeletesTrees) {
  Win32Registry registry;
  registry.DeleteTree(kRoot, kView);
  EXPECT_EQ(registry.OpenKey(kRoot, kView), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
  EXPECT_NE(registry.WriteValue(kRoot, u"x", sys::RegistryValue::Dword(1), kView), 0u);

  ASSERT_EQ(registry.CreateKey(kRoot + u"\\Beta\\Deep", kView), 0u);
  ASSERT_EQ(registry.CreateKey(kRoot + u"\\Alpha", kView), 0u);
  EXPECT_EQ(registry.CreateKey(kRoot + u"\\Alpha", kView), 0u);
  EXPECT_EQ(registry.WriteValue(kRoot, u"PortName", sys::RegistryValue::String(u"USB001"), kView), 0u);
  EXPECT_EQ(registry.WriteValue(kRoot, u"Count", sys::RegistryValue::Dword(0xE000020B), kView), 0u);
  sys::RegistryValue raw{sys::regtype::Binary, std::string("\x01\x00\xFF", 3)};
  EXPECT_EQ(registry.WriteValue(kRoot, u"Raw", raw, kView), 0u);

  sys::RegistryValue value;
  ASSERT_EQ(registry.ReadValue(kRoot, u"portname", value, kView), 0u);
  EXPECT_EQ(value.type, sys::regtype::String);
  EXPECT_EQ(value.Text(), u"USB001");
  ASSERT_EQ(registry.ReadValue(kRoot, u"Count", value, kView), 0u);
  EXPECT_EQ(value.Number(), 0xE000020Bu);
  ASSERT_EQ(registry.ReadValue(kRoot, u"Raw", value, kView), 0u);
  EXPECT_EQ(value.type, sys::regtype::Binary);
  EXPECT_EQ(value.data, raw.data);
  EXPECT_EQ(registry.ReadValue(kRoot, u"None", value, kView), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));

  std::vector<ustring> names;
  ASSERT_EQ(registry.EnumerateSubkeys(kRoot, names, kView), 0u);
  EXPECT_EQ(names, (std::vector<ustring>{u"Alpha", u"Beta"}));

  EXPECT_EQ(registry.DeleteTree(kRoot, kView), 0u);
  EXPECT_NE(registry.OpenKey(kRoot + u"\\Beta\\Deep", kView), 0u);
  EXPECT_NE(registry.OpenKey(kRoot, kView), 0u);
}

TEST(Win32Registry, TheThirtyTwoBitViewLivesUnderWow6432Node) {
  Win32Registry registry;
  ASSERT_EQ(registry.CreateKey(kRoot, sys::RegistryView::Force32), 0u);
  EXPECT_EQ(registry.OpenKey(u"SOFTWARE\\WOW6432Node\\PrnSetupRegistryTest", sys::RegistryView::Force64), 0u);
  EXPECT_NE(registry.OpenKey(kRoot, sys::RegistryView::Force64), 0u);
  EXPECT_EQ(registry.DeleteTree(kRoot, sys::RegistryView::Force32), 0u);
  EXPECT_NE(registry.OpenKey(kRoot, sys::RegistryView::Force32), 0u);
}

}  // namespace
}  // namespace prn::win32
