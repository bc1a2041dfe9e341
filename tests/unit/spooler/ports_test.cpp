#include "spooler/ports.h"

#include <cstring>

#include "spooler_fixture.h"
#include "sys/spooler.h"
#include "sys/win_errors.h"
#include "text/error.h"

namespace prn::spooler {
namespace {

using Ports = testing::SpoolerTest;

sys::PORT_DATA_1 SentRequest(const sim::SimSpooler::XcvRecord& call) {
  sys::PORT_DATA_1 request{};
  EXPECT_EQ(call.input.size(), sizeof request);
  std::memcpy(&request, call.input.data(), std::min(call.input.size(), sizeof request));
  return request;
}

TEST_F(Ports, TcpIpPortRequestIsARawPortOn9100) {
  ASSERT_TRUE(AddTcpIpPort(spooler, lastError, u"IP_10.0.0.7", u"10.0.0.7"));
  auto calls = spooler.XcvCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].monitor, u"Standard TCP/IP Port");
  EXPECT_EQ(calls[0].command, u"AddPort");
  EXPECT_EQ(calls[0].outputBytes, 0u);
  auto request = SentRequest(calls[0]);
  EXPECT_EQ(sys::FixedText(request.sztPortName), u"IP_10.0.0.7");
  EXPECT_EQ(sys::FixedText(request.sztHostAddress), u"10.0.0.7");
  EXPECT_EQ(sys::FixedText(request.sztIPAddress), u"10.0.0.7");
  EXPECT_EQ(request.dwVersion, 1u);
  EXPECT_EQ(request.dwProtocol, 1u);
  EXPECT_EQ(request.cbSize, 964u);
  EXPECT_EQ(request.dwPortNumber, 9100u);
  EXPECT_EQ(request.dwSNMPEnabled, 0u);
  EXPECT_EQ(spooler.FindPort(u"IP_10.0.0.7")->pMonitorName, u"Standard TCP/IP Port");

  auto opens = spooler.Opens();
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].name, u",XcvMonitor Standard TCP/IP Port");
  EXPECT_EQ(opens[0].defaults->DesiredAccess, sys::spool::ServerAccessAdminister);
  EXPECT_FALSE(opens[0].defaults->pDatatype);
}

TEST_F(Ports, OnAnExistingPortTcpIpRefusesWhileLocalAcceptsWithTheRefusalInLastError) {
  spooler.PutPort(u"IP_1");
  EXPECT_FALSE(AddTcpIpPort(spooler, lastError, u"IP_1", u"10.0.0.1"));
  EXPECT_TRUE(AddLocalPort(spooler, lastError, u"IP_1"));
  EXPECT_EQ(lastError.Get(), winerr::AlreadyExists);

  EXPECT_TRUE(AddLocalPort(spooler, lastError, u"C:\\out\\print.prn"));
  EXPECT_EQ(lastError.Get(), 0u);
  EXPECT_EQ(spooler.FindPort(u"C:\\out\\print.prn")->pMonitorName, u"Local Port");
  auto request = spooler.XcvCalls().back().input;
  EXPECT_EQ(request.size(), (std::u16string(u"C:\\out\\print.prn").size() + 1) * 2);
}

TEST_F(Ports, MissingMonitorGivesFalse) {
  spooler.SetMonitorPresent(u"Standard TCP/IP Port", false);
  EXPECT_FALSE(AddTcpIpPort(spooler, lastError, u"IP_2", u"10.0.0.2"));
  spooler.SetMonitorPresent(u"Local Port", false);
  EXPECT_FALSE(AddLocalPort(spooler, lastError, u"X:"));
  EXPECT_TRUE(spooler.XcvCalls().empty());
}

TEST_F(Ports, LocalPortWithoutXcvDataRaises) {
  spooler.SetXcvDataPresent(false);
  try {
    AddLocalPort(spooler, lastError, u"X:");
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), u"Function not found : winspool.drv -> XcvDataW");
  }
}

// Text that does not fit the monitor's request is refused, never cut into
// the name of a different port.
TEST_F(Ports, OverlongNamesAndHostsAreRefused) {
  ustring name63(63, u'p');
  ustring host48(48, u'h');
  EXPECT_TRUE(TcpIpPortRequest(name63, host48));
  EXPECT_FALSE(TcpIpPortRequest(name63 + u"x", u"10.0.0.1"));
  EXPECT_FALSE(TcpIpPortRequest(u"IP", host48 + u"x"));

  EXPECT_FALSE(AddTcpIpPort(spooler, lastError, name63 + u"x", u"10.0.0.1"));
  EXPECT_EQ(lastError.Get(), winerr::InvalidParameter);
  EXPECT_FALSE(AddLocalPort(spooler, lastError, ustring(256, u'L')));
  EXPECT_EQ(lastError.Get(), winerr::InvalidParameter);
  EXPECT_TRUE(spooler.XcvCalls().empty());
  EXPECT_TRUE(AddLocalPort(spooler, lastError, ustring(255, u'L')));
}

TEST_F(Ports, AHostNameLongerThanAnAddressStaysOutOfTheAddressMember) {
  auto request = TcpIpPortRequest(u"IP_printer", u"printer.example.com");
  ASSERT_TRUE(request);
  EXPECT_EQ(sys::FixedText(request->sztHostAddress), u"printer.example.com");
  EXPECT_EQ(sys::FixedText(request->sztIPAddress), u"");
  auto exact = TcpIpPortRequest(u"IP", u"255.255.255.255");
  EXPECT_EQ(sys::FixedText(exact->sztIPAddress), u"255.255.255.255");
}

}  // namespace
}  // namespace prn::spooler
