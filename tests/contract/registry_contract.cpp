// What the registry promises on both machines, below HKEY_LOCAL_MACHINE.

#include "contract/machines.h"
#include "contract/scene.h"
#include "sys/win_errors.h"

namespace prn::contract {
namespace {

constexpr auto kView = sys::RegistryView::Default;

template <typename Machine>
class RegistryContract : public ::testing::Test {
 protected:
  Machine machine;
  sys::Registry& registry = machine.Registry();
  const ustring root = kTestRegistryRoot;
};

TYPED_TEST_SUITE(RegistryContract, Machines, MachineNames);

TYPED_TEST(RegistryContract, KeysAndValuesAreFoundWithoutRegardToCaseAndKeepTheirBytes) {
  auto& registry = this->registry;
  const ustring& root = this->root;
  EXPECT_EQ(registry.OpenKey(root, kView), winerr::FileNotFound);
  EXPECT_EQ(registry.WriteValue(root, u"x", sys::RegistryValue::Dword(1), kView), winerr::FileNotFound);

  ASSERT_EQ(registry.CreateKey(root + u"\\Beta\\Deep", kView), 0u);
  ASSERT_EQ(registry.CreateKey(root + u"\\Alpha", kView), 0u);
  EXPECT_EQ(registry.CreateKey(root + u"\\Alpha", kView), 0u);
  EXPECT_EQ(registry.OpenKey(u"software\\prnsetupcontracttest\\beta", kView), 0u);
  EXPECT_EQ(registry.WriteValue(root, u"PortName", sys::RegistryValue::String(u"USB001"), kView), 0u);
  EXPECT_EQ(registry.WriteValue(root, u"Count", sys::RegistryValue::Dword(0xE000020B), kView), 0u);
  sys::RegistryValue raw{sys::regtype::Binary, std::string("\x01\x00\xFF", 3)};
  EXPECT_EQ(registry.WriteValue(root, u"Raw", raw, kView), 0u);

  sys::RegistryValue value;
  ASSERT_EQ(registry.ReadValue(u"SOFTWARE\\PRNSETUPCONTRACTTEST", u"portname", value, kView), 0u);
  EXPECT_EQ(value.type, sys::regtype::String);
  EXPECT_EQ(value.Text(), u"USB001");
  EXPECT_EQ(value.data.size(), 14u) << "UTF-16 with its terminating zero";
  ASSERT_EQ(registry.ReadValue(root, u"Count", value, kView), 0u);
  EXPECT_EQ(value.Number(), 0xE000020Bu);
  ASSERT_EQ(registry.ReadValue(root, u"Raw", value, kView), 0u);
  EXPECT_EQ(value.type, sys::regtype::Binary);
  EXPECT_EQ(value.data, raw.data);
  EXPECT_EQ(registry.ReadValue(root, u"None", value, kView), winerr::FileNotFound);
}

TYPED_TEST(RegistryContract, EnumeratesSubkeysInOrderAndDeletesWholeTrees) {
  auto& registry = this->registry;
  const ustring& root = this->root;
  ASSERT_EQ(registry.CreateKey(root + u"\\Beta\\Deep", kView), 0u);
  ASSERT_EQ(registry.CreateKey(root + u"\\alpha", kView), 0u);
  std::vector<ustring> names;
  ASSERT_EQ(registry.EnumerateSubkeys(root, names, kView), 0u);
  EXPECT_EQ(names, (std::vector<ustring>{u"alpha", u"Beta"}));

  EXPECT_EQ(registry.DeleteTree(root + u"\\BETA", kView), 0u);
  EXPECT_EQ(registry.OpenKey(root + u"\\Beta\\Deep", kView), winerr::FileNotFound);
  EXPECT_EQ(registry.OpenKey(root + u"\\alpha", kView), 0u);
  EXPECT_EQ(registry.DeleteTree(root + u"\\Beta", kView), winerr::FileNotFound);

  EXPECT_EQ(registry.DeleteTree(root, kView), 0u);
  EXPECT_EQ(registry.OpenKey(root, kView), winerr::FileNotFound);
}

// On 64-bit Windows the 32-bit view of SOFTWARE is its WOW6432Node.
TYPED_TEST(RegistryContract, TheThirtyTwoBitViewLivesUnderWow6432Node) {
  auto& registry = this->registry;
  const ustring& root = this->root;
  ASSERT_EQ(registry.CreateKey(root, sys::RegistryView::Force32), 0u);
  EXPECT_EQ(registry.OpenKey(u"SOFTWARE\\WOW6432Node\\PrnSetupContractTest", sys::RegistryView::Force64), 0u);
  EXPECT_NE(registry.OpenKey(root, sys::RegistryView::Force64), 0u);
  EXPECT_EQ(registry.OpenKey(root, sys::RegistryView::Force32), 0u);
  EXPECT_EQ(registry.DeleteTree(root, sys::RegistryView::Force32), 0u);
  EXPECT_NE(registry.OpenKey(root, sys::RegistryView::Force32), 0u);
}

}  // namespace
}  // namespace prn::contract
