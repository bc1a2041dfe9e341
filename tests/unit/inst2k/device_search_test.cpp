// The device search: matching, counting, port names and the result rule.

#include <gtest/gtest.h>

#include <functional>

#include "inst2k_fixture.h"
#include "sys/win_errors.h"

namespace prn::testing {
namespace {

using DeviceSearch = Inst2kTest;

TEST_F(DeviceSearch, MatchesAtTheEndOfAHardwareIdAndNeverInTheMiddle) {
  AddUsbPrinter();
  Found found = Find("QuillonQX17A3F");
  EXPECT_EQ(found.result, 1);
  EXPECT_EQ(found.hardwareId, "USBPRINT\\QuillonQX17A3F");  // the first ID, not the matching one
  EXPECT_EQ(found.instanceId, kUsbInstance);
  EXPECT_EQ(Find("USBPRINT\\QuillonQX17A3F").result, 1);
  EXPECT_EQ(Find("QuillonQX17").result, 0);
  EXPECT_EQ(Find("USBPRINT").result, 0);
  EXPECT_EQ(Find("QX17A3").result, 0);
}

TEST_F(DeviceSearch, AFullIdDoesNotMatchAListHoldingOnlyItsTail) {
  AddDevice("USB\\VID_1234&PID_5678\\0001", {"QuillonQX17A3F"});
  EXPECT_EQ(Find("USBPRINT\\QuillonQX17A3F").result, 0);
  EXPECT_EQ(Find("QuillonQX17A3F").result, 1);
}

TEST_F(DeviceSearch, CaseCounts) {
  AddUsbPrinter();
  Found found = Find("quillonqx17a3f");
  EXPECT_EQ(found.result, 0);
  EXPECT_EQ(found.instanceId, "");
  EXPECT_EQ(machine.lastError.Get(), winerr::NoMoreItems);
}

TEST_F(DeviceSearch, AnEmptyIdMatchesTheFirstDeviceThatCountsAndSkipsDevicesWithoutIds) {
  AddDevice("ACPI\\PNP0A08\\0", {});
  AddDevice("ROOT\\PRINTER\\0000", {"TEST\\PRN1"});
  AddDevice("PCI\\VEN_8086&DEV_1237\\3&1", {"PCI\\VEN_8086&DEV_1237", "PCI\\VEN_8086"});
  Found found = Find("");
  EXPECT_EQ(found.result, 1);
  EXPECT_EQ(found.instanceId, "PCI\\VEN_8086&DEV_1237\\3&1");
  EXPECT_EQ(found.hardwareId, "PCI\\VEN_8086&DEV_1237");
}

TEST_F(DeviceSearch, RootDevicesCountOnlyAfterEnableRootIdInTheSameLoad) {
  AddDevice("ROOT\\PRINTER\\0000", {"TEST\\PRN1"});
  EXPECT_EQ(Find("TEST\\PRN1").result, 0);

  {
    auto load = Load();
    load.library->Exports().EnableRootID(1);
  }
  EXPECT_EQ(Find("TEST\\PRN1").result, 0) << "the switch is gone with the load that set it";

  auto load = Load();
  load.library->Exports().EnableRootID(1);
  Found found = FindWith(load.library->Exports(), "TEST\\PRN1");
  EXPECT_EQ(found.result, 1);
  EXPECT_EQ(found.instanceId, "ROOT\\PRINTER\\0000");
  EXPECT_EQ(Find("TEST\\PRN1").result, 1) << "an overlapping load shares the module state";
}

TEST_F(DeviceSearch, RootPrefixIsComparedWithoutRegardToCase) {
  AddDevice("root\\printer\\0001", {"TEST\\PRN1"});
  EXPECT_EQ(Find("TEST\\PRN1").result, 0);
}

TEST_F(DeviceSearch, FuncInst2KResetsEnableRootIdOnlyWhenItsInfExists) {
  AddDevice("ROOT\\PRINTER\\0000", {"TEST\\PRN1"});
  auto load = Load();
  const auto& exports = load.library->Exports();

  exports.EnableRootID(1);
  EXPECT_EQ(exports.FuncInst2K("C:\\Package\\missing.inf", "TEST\\PRN1", "LPT1:", 0), 2);
  EXPECT_EQ(FindWith(exports, "TEST\\PRN1").result, 1);

  exports.FuncInst2K(ToUtf8(kInf).c_str(), "TEST\\PRN1", "LPT1:", 0);
  EXPECT_EQ(FindWith(exports, "TEST\\PRN1").result, 0);
}

TEST_F(DeviceSearch, PortNameIsWrittenOnlyIntoANewParametersKey) {
  AddUsbPrinter();
  AddDevice("LPTENUM\\QUILLONQX17A3F\\5&1C&0&LPT2", {"LPTENUM\\QuillonQX17A3F"});
  AddDevice("USBPRINT\\QUILLONQX17A3F\\7&99&0&USB004", {"USBPRINT\\QuillonQX17A3F"});
  machine.registry.CreateKey(ParametersKey("USBPRINT\\QUILLONQX17A3F\\7&99&0&USB004"), sys::RegistryView::Default);
  machine.registry.WriteValue(ParametersKey("USBPRINT\\QUILLONQX17A3F\\7&99&0&USB004"), u"PortName",
                              sys::RegistryValue::String(u"USB009"), sys::RegistryView::Default);
  AddDevice("USBPRINT\\OTHERPRINTER\\7&5&0&USB002", {"USBPRINT\\OtherPrinter"});

  // Every matching device reached gets its key; the search ends at the first that counts.
  EXPECT_EQ(Find("QuillonQX17A3F").result, 1);
  EXPECT_EQ(PortName(kUsbInstance), u"USB001");
  EXPECT_FALSE(machine.registry.KeyExists(ParametersKey("LPTENUM\\QUILLONQX17A3F\\5&1C&0&LPT2")));

  EXPECT_EQ(Find("LPTENUM\\QuillonQX17A3F").result, 1);
  EXPECT_EQ(PortName("LPTENUM\\QUILLONQX17A3F\\5&1C&0&LPT2"), u"LPT1:") << "any LPT device gets LPT1:";

  machine.devices.Find(kUsbInstance)->hardwareIds = {"USBPRINT\\Changed"};
  machine.devices.Find("LPTENUM\\QUILLONQX17A3F\\5&1C&0&LPT2")->hardwareIds = {"LPTENUM\\Changed"};
  EXPECT_EQ(Find("QuillonQX17A3F").result, 1);
  EXPECT_EQ(PortName("USBPRINT\\QUILLONQX17A3F\\7&99&0&USB004"), u"USB009") << "an existing key is left alone";
  EXPECT_FALSE(machine.registry.KeyExists(ParametersKey("USBPRINT\\OTHERPRINTER\\7&5&0&USB002")));
}

TEST_F(DeviceSearch, PortNameIsStoredAsTerminatedText) {
  AddUsbPrinter();
  Find("QuillonQX17A3F");
  auto value = machine.registry.Value(ParametersKey(kUsbInstance), u"PortName");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, sys::regtype::String);
  EXPECT_EQ(value->data.size(), 14u);
  EXPECT_EQ(value->Text(), u"USB001");
  EXPECT_EQ(value->data.substr(12), std::string(2, '\0'));
}

TEST_F(DeviceSearch, ARootDeviceThatDoesNotCountStillGetsItsKeyWithoutPortName) {
  AddDevice("ROOT\\PRINTER\\0000", {"TEST\\PRN1"});
  EXPECT_EQ(Find("TEST\\PRN1").result, 0);
  EXPECT_TRUE(machine.registry.KeyExists(ParametersKey("ROOT\\PRINTER\\0000")));
  EXPECT_FALSE(PortName("ROOT\\PRINTER\\0000"));
}

TEST_F(DeviceSearch, ADeviceWhoseKeyCannotBeCreatedIsDroppedAndTheNextOneIsStillSearched) {
  AddDevice("ROOT\\PRINTER\\0000", {"USBPRINT\\QuillonQX17A3F"});
  AddUsbPrinter();
  machine.registry.FailCreateUnder(sim::SimDeviceTree::EnumKeyPath("ROOT\\PRINTER\\0000"), winerr::AccessDenied);
  Found found = Find("QuillonQX17A3F");
  EXPECT_EQ(found.result, 1);
  EXPECT_EQ(found.instanceId, kUsbInstance);
}

TEST_F(DeviceSearch, ANullFoundBufferWritesNothingAndStillFinds) {
  AddUsbPrinter();
  std::array<char, 260> instance{};
  instance[0] = 'x';
  auto load = Load();
  EXPECT_EQ(load.library->Exports().FuncFindExistDevice("QuillonQX17A3F", nullptr, instance.data()), 1);
  EXPECT_EQ(instance[0], 'x');
  EXPECT_EQ(machine.lastError.Get(), 0u);
}

TEST_F(DeviceSearch, AFirstHardwareIdLongerThanTheCallersBufferIsCutToFit) {
  std::string longId = "USBPRINT\\" + std::string(300, 'Q');
  AddDevice(kUsbInstance, {longId, "QuillonQX17A3F"});
  std::array<char, 300> foundId;
  foundId.fill('#');
  std::array<char, 260> instance{};
  auto load = Load();
  EXPECT_EQ(load.library->Exports().FuncFindExistDevice("QuillonQX17A3F", foundId.data(), instance.data()), 1);
  EXPECT_EQ(std::string(foundId.data()), longId.substr(0, 259));
  EXPECT_EQ(foundId[260], '#') << "nothing written past the caller's 260 bytes";
}

TEST_F(DeviceSearch, AnUnreadableInstanceIdEndsTheSearchAsFailedAndTouchesNoRegistryKey) {
  std::string longInstance = "USBPRINT\\QUILLONQX17A3F\\" + std::string(90, '7') + "&USB001";
  AddDevice(longInstance, {"USBPRINT\\QuillonQX17A3F"});
  auto load = Load();
  const auto& exports = load.library->Exports();
  exports.ShowErrorCode(1);
  Found found = FindWith(exports, "QuillonQX17A3F");
  EXPECT_EQ(found.result, 0);
  EXPECT_EQ(found.instanceId, "");
  EXPECT_EQ(exports.LastInstallErrorCode(), winerr::InsufficientBuffer);
  EXPECT_EQ(machine.lastError.Get(), winerr::InsufficientBuffer);
  ASSERT_EQ(machine.deviceInstall.MessageBoxes().size(), 1u);
  EXPECT_EQ(machine.deviceInstall.MessageBoxes()[0].text.substr(0, 20), u"EnumDeviceInfo fail:");

  std::vector<ustring> enumerated;
  machine.registry.EnumerateSubkeys(u"SYSTEM\\CurrentControlSet\\Enum", enumerated, sys::RegistryView::Default);
  EXPECT_EQ(enumerated, std::vector<ustring>{u"USBPRINT"});
  EXPECT_FALSE(machine.registry.KeyExists(u"SYSTEM\\CurrentControlSet\\Enum\\Device Parameters"));
  EXPECT_FALSE(machine.registry.KeyExists(ParametersKey(longInstance)));
}

TEST_F(DeviceSearch, AnInstanceIdOfNinetyNineCharactersStillFits) {
  std::string instance = "USBPRINT\\Q\\" + std::string(99 - 11 - 7, '7') + "&USB001";
  ASSERT_EQ(instance.size(), 99u);
  AddDevice(instance, {"QuillonQX17A3F"});
  EXPECT_EQ(Find("QuillonQX17A3F").result, 1);
  EXPECT_EQ(PortName(instance), u"USB001");
}

TEST_F(DeviceSearch, WithoutAUsbSetupClassNothingIsSearchedOrReported) {
  AddUsbPrinter();
  machine.devices.usbClassGuids = 0;
  auto load = Load();
  load.library->Exports().ShowErrorCode(1);
  EXPECT_EQ(FindWith(load.library->Exports(), "QuillonQX17A3F").result, 0);
  EXPECT_EQ(machine.devices.classInstallerRequests, 0);
  EXPECT_FALSE(machine.registry.KeyExists(ParametersKey(kUsbInstance)));
  EXPECT_TRUE(machine.deviceInstall.MessageBoxes().empty());
  EXPECT_EQ(load.library->Exports().LastInstallErrorCode(), 0u);
}

TEST_F(DeviceSearch, FailuresAreRecordedUnderTheirLabels) {
  struct Case {
    const char* label;
    std::function<void(sim::Machine&)> arrange;
    uint32_t code;
  };
  const Case cases[] = {
      {"GetClassDevs(All Present Devices)", [](sim::Machine& m) { m.devices.openFailure = winerr::AccessDenied; },
       winerr::AccessDenied},
      {"GetDeviceRegistryProperty",
       [](sim::Machine& m) { m.devices.Find(kUsbInstance)->propertyFailure = winerr::AccessDenied; },
       winerr::AccessDenied},
      {"EnumDeviceInfo",
       [](sim::Machine& m) {
         m.devices.Find(kUsbInstance)->hardwareIds = {"Other"};
         m.devices.enumerationFailure = winerr::InvalidHandle;
       },
       winerr::InvalidHandle},
  };
  for (const auto& c : cases) {
    sim::Machine fresh;
    WriteFile(fresh.files, kLibrary, "MZ");
    fresh.devices.AddDevice({kUsbInstance, {"USBPRINT\\QuillonQX17A3F"}, true, "", 0});
    c.arrange(fresh);
    auto load = fresh.deviceLibraries.Load(kLibrary);
    const auto& exports = load.library->Exports();
    exports.ShowErrorCode(1);
    EXPECT_EQ(FindWith(exports, "QuillonQX17A3F").result, 0) << c.label;
    EXPECT_EQ(exports.LastInstallErrorCode(), c.code) << c.label;
    EXPECT_EQ(fresh.lastError.Get(), c.code) << c.label;
    ASSERT_EQ(fresh.deviceInstall.MessageBoxes().size(), 1u) << c.label;
    EXPECT_TRUE(fresh.deviceInstall.MessageBoxes()[0].text.starts_with(FromUtf8(c.label) + u" fail: ")) << c.label;
  }
}

TEST_F(DeviceSearch, WithBoxesOffFailuresShowNothing) {
  AddUsbPrinter();
  machine.devices.openFailure = winerr::AccessDenied;
  auto load = Load();
  load.library->Exports().SetDebugMode(0);
  EXPECT_EQ(FindWith(load.library->Exports(), "QuillonQX17A3F").result, 0);
  EXPECT_EQ(load.library->Exports().LastInstallErrorCode(), winerr::AccessDenied);
  EXPECT_TRUE(machine.deviceInstall.MessageBoxes().empty());
}

TEST_F(DeviceSearch, DebugModeShowsTheEntryBox) {
  AddUsbPrinter();
  auto load = Load();
  load.library->Exports().SetDebugMode(1);
  FindWith(load.library->Exports(), "QuillonQX17A3F");
  auto boxes = machine.deviceInstall.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"FuncFindExistDevice()<<<");
  EXPECT_EQ(boxes[0].caption, u"debug");
  EXPECT_EQ(boxes[0].style, 0u);
}

}  // namespace
}  // namespace prn::testing
