// What the manager lists: column captions, printer rows, port combo texts.
#include <gtest/gtest.h>

#include "manager_fixture.h"
#include "ui/port_choices.h"
#include "ui/printer_rows.h"

namespace prn::ui {
namespace {

using namespace prn::testing;

TEST(ColumnTitlesTest, QuotesBlanksBarsAndTheMissingOption) {
  EXPECT_EQ(SplitColumnTitles(u"\"Printer name\"|Port|Status"), (StringList{u"Printer name", u"Port", u"Status"}));
  EXPECT_EQ(SplitColumnTitles(u"Printer name|Port"), (StringList{u"Printer", u"name", u"Port"}));
  EXPECT_EQ(SplitColumnTitles(u"\"say \"\"hi\"\"\"|"), (StringList{u"say \"hi\"", u""}));
  EXPECT_EQ(SplitColumnTitles(u"\"打印机名称\"|端口|状态"), (StringList{u"打印机名称", u"端口", u"状态"}));
  // The lookup's default is no caption, and a fourth item has no column.
  EXPECT_TRUE(ColumnTitlesFromOption(u"32769", 3).empty());
  EXPECT_TRUE(ColumnTitlesFromOption(u"", 3).empty());
  EXPECT_EQ(ColumnTitlesFromOption(u"a|b|c|d|e", 3), (StringList{u"a", u"b", u"c"}));
}

class PrinterRowsTest : public ManagerTest {};

TEST_F(PrinterRowsTest, SortedWithoutFaxAndConnectionsWithImagesAndStates) {
  PutPrinter(u"Zeta", u"LPT1:");
  PutPrinter(u"fAx", u"LPT1:");
  PutPrinter(u"alpha", u"COM1:", sys::spool::AttributeWorkOffline);
  PutPrinter(u"Shared", u"LPT2:", 0, u"\\\\host");
  machine.spooler.PutConnection(u"\\\\host", u"queue", kModel);
  // A default printer's name longer than a 64-character buffer is still found.
  const ustring longName(80, u'L');
  PutPrinter(longName, u"FILE:", sys::spool::AttributeWorkOffline);
  machine.spooler.SetDefault(longName);

  const PrinterRows built = BuildPrinterRows(machine.spooler, values.strInstaller);
  ASSERT_EQ(built.rows.size(), 4u);
  EXPECT_EQ(built.rows[0].name, u"alpha");
  EXPECT_EQ(built.rows[0].port, u"COM1:");
  EXPECT_EQ(built.rows[0].status, u"Offline");
  EXPECT_EQ(built.rows[0].image, printer_image::Plain + printer_image::OfflineOffset);
  EXPECT_EQ(built.rows[1].name, longName);
  EXPECT_EQ(built.rows[1].image, printer_image::Default + printer_image::OfflineOffset);
  EXPECT_EQ(built.defaultIndex, 1);
  EXPECT_EQ(built.rows[2].name, u"Shared");
  EXPECT_EQ(built.rows[2].image, printer_image::Server);
  EXPECT_EQ(built.rows[2].status, u"Ready");
  EXPECT_EQ(built.rows[3].name, u"Zeta");

  machine.spooler.SetDefault(u"shared");
  EXPECT_EQ(BuildPrinterRows(machine.spooler, values.strInstaller).rows[2].image, printer_image::ServerDefault);
  machine.spooler.SetDefault(std::nullopt);
  EXPECT_EQ(BuildPrinterRows(machine.spooler, values.strInstaller).defaultIndex, -1);
  // A printer that cannot be opened is left out.
  machine.spooler.Fail(sim::SimSpooler::Call::OpenPrinter, 5);
  EXPECT_TRUE(BuildPrinterRows(machine.spooler, values.strInstaller).rows.empty());
}

TEST_F(PrinterRowsTest, AnAttachedUsbPrinterAnnotatesItsPortOnly) {
  machine.spooler.PutPort(u"USB002");
  machine.spooler.PutPort(u"USB001");
  machine.spooler.PutPort(u"net-USB");
  machine.usb.Attach("USB002", "MFG:Quillon;MDL:QX5;CMD:PCL,PJL;CLS:PRINTER;");
  machine.usb.Attach("net-usb", "MFG:Quillon;MDL:QX1;CMD:PCL,PJL;CLS:PRINTER;");
  SystemPortList ports;
  ASSERT_TRUE(ports.Reload(machine.spooler));
  const OnlineUsbPorts online = ReadOnlineUsbPorts(machine.usb, machine.codePage);
  const PortChoices choices = BuildPortChoices(ports, online, u"Connected", u"Printer port is set to");

  ASSERT_EQ(choices.texts.size(), ports.Names().size());
  EXPECT_EQ(ports.Names().front(), u"COM1:");
  const int usb2 = ports.IndexOf(u"usb002");
  ASSERT_GE(usb2, 0);
  EXPECT_EQ(choices.texts[static_cast<size_t>(usb2)], u"USB002  [Connected QuillonQX5]");
  EXPECT_EQ(choices.texts[static_cast<size_t>(ports.IndexOf(u"USB001"))], u"USB001");
  // The library's port text is compared exactly: "net-usb" is not "net-USB".
  EXPECT_EQ(choices.texts[static_cast<size_t>(ports.IndexOf(u"net-USB"))], u"net-USB");
  EXPECT_EQ(choices.firstUsbPort, usb2);
  EXPECT_EQ(choices.usbCaption, u"Printer port is set to USB002");
}

}  // namespace
}  // namespace prn::ui
