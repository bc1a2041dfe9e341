// The add-network-port dialog's rules and the USB watcher's message filter.
#include <gtest/gtest.h>

#include "manager_fixture.h"
#include "sim/spooler.h"
#include "ui/device_change.h"
#include "ui/form_add_net_port.h"

namespace prn::ui {
namespace {

using namespace prn::testing;

class AddNetPortTest : public ManagerTest {
 protected:
  AddNetPortTest() {
    machine.spooler.PutPort(u"IP_10.0.0.9", sim::kTcpIpPortMonitor);
    systemPorts.Reload(machine.spooler);
  }
  TFormAddNetPort dialog{machine.spooler, machine.lastError, machine.dialogs, values.strInstaller, values.langOptions,
                         systemPorts};
};

TEST_F(AddNetPortTest, AddIsEnabledOnceTheNameIsNewAndStaysEnabled) {
  dialog.FormShow();
  EXPECT_EQ(dialog.Form().caption, u"Add net port for printer");
  EXPECT_EQ(dialog.PortNameText(), u"10.0.0.1");
  EXPECT_TRUE(dialog.AddEnabled());  // "10.0.0.1" is no port here

  TFormAddNetPort fresh{machine.spooler, machine.lastError, machine.dialogs, values.strInstaller, values.langOptions,
                        systemPorts};
  fresh.medtPortNameChange(u"ip_10.0.0.9");
  EXPECT_FALSE(fresh.AddEnabled());
  fresh.medtPortNameChange(u"IP_10.0.0.99");
  EXPECT_TRUE(fresh.AddEnabled());
  fresh.medtPortNameChange(u"IP_10.0.0.9");
  EXPECT_TRUE(fresh.AddEnabled());
}

TEST_F(AddNetPortTest, EachAttemptShowsItsBoxAndOverLongTextNeverReachesTheMonitor) {
  EXPECT_TRUE(dialog.btnAddClick(u"IP_10.0.0.7", u"10.0.0.7"));
  ASSERT_TRUE(machine.spooler.FindPort(u"IP_10.0.0.7"));
  EXPECT_EQ(machine.dialogs.Boxes().back().text, u"add port successfully.");
  EXPECT_EQ(machine.dialogs.Boxes().back().flags, sys::mb::IconInformation);

  EXPECT_FALSE(dialog.btnAddClick(u"IP_10.0.0.9", u"10.0.0.9"));  // exists at the spooler
  EXPECT_EQ(machine.dialogs.Boxes().back().text, u"Add the port process error!");
  EXPECT_EQ(machine.dialogs.Boxes().back().caption, u"Error");
  EXPECT_EQ(machine.dialogs.Boxes().back().flags, sys::mb::IconError);

  const size_t monitorCalls = machine.spooler.XcvCalls().size();
  EXPECT_FALSE(dialog.btnAddClick(ustring(64, u'P'), u"10.0.0.5"));
  EXPECT_FALSE(dialog.btnAddClick(u"IP_long", ustring(49, u'h')));
  EXPECT_EQ(machine.spooler.XcvCalls().size(), monitorCalls);
  EXPECT_EQ(machine.dialogs.Boxes().back().text, u"Add the port process error!");
  EXPECT_EQ(machine.dialogs.Boxes().size(), 4u);
}

TEST(DeviceChangeTest, OnlyArrivalAndRemovalOfTheRegisteredInterfaceClassCount) {
  const DeviceInterfaceFilter printers = UsbInterfaceFilter(true);
  EXPECT_EQ(printers.size, 32u);
  EXPECT_EQ(printers.deviceType, 5u);
  EXPECT_EQ(printers.reserved, 0u);
  EXPECT_TRUE(SameClass(printers.classId, kUsbPrinterInterface));
  EXPECT_TRUE(SameClass(UsbInterfaceFilter(false).classId, kUsbDeviceInterface));

  const auto& registered = printers.classId;
  EXPECT_EQ(ClassifyDeviceChange(0x8000, 5, kUsbPrinterInterface, registered), DeviceEvent::Arrival);
  EXPECT_EQ(ClassifyDeviceChange(0x8004, 5, kUsbPrinterInterface, registered), DeviceEvent::Removal);
  EXPECT_EQ(ClassifyDeviceChange(0x8001, 5, kUsbPrinterInterface, registered), DeviceEvent::None);  // query remove
  EXPECT_EQ(ClassifyDeviceChange(0x0007, 0, kUsbPrinterInterface, registered), DeviceEvent::None);  // nodes changed
  EXPECT_EQ(ClassifyDeviceChange(0x8000, 2, kUsbPrinterInterface, registered), DeviceEvent::None);  // a volume
  // A keyboard or a disk is a USB device, not a USB printer.
  EXPECT_EQ(ClassifyDeviceChange(0x8000, 5, kUsbDeviceInterface, registered), DeviceEvent::None);
}

}  // namespace
}  // namespace prn::ui
