#include "native/usbport/usb_port_list.h"

#include <gtest/gtest.h>

#include "native/usbport/sim_device_source.h"
#include "trace/trace.h"

namespace prn::usbport {
namespace {

using namespace std::string_literals;

// A 1284 reply: two length bytes (big-endian) and the ID text.
std::string Reply(const std::string& id) {
  std::string reply;
  reply.push_back(static_cast<char>((id.size() + 2) >> 8));
  reply.push_back(static_cast<char>((id.size() + 2) & 0xFF));
  return reply + id;
}

class UsbPortListTest : public ::testing::Test {
 protected:
  void Attach(const ustring& instance, uint32_t port, const std::string& id, const ustring& service = u"usbprint") {
    ustring symbolic = u"\\??\\USB#" + instance;
    source.devices.push_back({instance, service, symbolic});
    source.interfaces.push_back({instance, 1u, port});
    source.replies[symbolic] = Reply(id);
  }

  SimDeviceSource source;
  UsbPortList list;
};

TEST(UsbPortName, HasAtLeastThreeDigits) {
  EXPECT_EQ(UsbPortName(1), "USB001");
  EXPECT_EQ(UsbPortName(42), "USB042");
  EXPECT_EQ(UsbPortName(1234), "USB1234");
}

TEST(ZeroBytes, AreAllRemovedIncludingThoseOfTheLengthField) {
  EXPECT_EQ(WithoutZeroBytes("\0\x2eMFG:Q;\0MDL:X;\0\0"s), "\x2eMFG:Q;MDL:X;");
  EXPECT_EQ(WithoutZeroBytes(""), "");
}

TEST_F(UsbPortListTest, ListsUsbPrintersWithTheirPortAndId) {
  Attach(u"USBPRINT\\QUILLONQX1\\1", 1, "MFG:Quillon;MDL:QX1;");
  Attach(u"USBPRINT\\ACMEZ9\\2", 12, "MFG:Acme;MDL:Z9;");
  ASSERT_EQ(list.Refresh(source), 2);
  EXPECT_EQ(list.Entries()[0].port, "USB001");
  EXPECT_EQ(list.Entries()[0].deviceId, "\x16MFG:Quillon;MDL:QX1;");
  EXPECT_EQ(list.Entries()[1].port, "USB012");
}

TEST_F(UsbPortListTest, SkipsOtherServicesMissingSymbolicNamesAndUnlinkedInterfaces) {
  Attach(u"USB\\VID_1\\1", 1, "x", u"usbhub");
  Attach(u"USBPRINT\\NOSYM\\2", 2, "x");
  source.devices.back().symbolicName.clear();
  Attach(u"USBPRINT\\UNPLUGGED\\3", 3, "x");
  source.interfaces.back().linked = 0u;
  Attach(u"USBPRINT\\NOPORT\\4", 4, "x");
  source.interfaces.back().portNumber.reset();
  Attach(u"USBPRINT\\OK\\5", 5, "MFG:Q;");
  ASSERT_EQ(list.Refresh(source), 1);
  EXPECT_EQ(list.Entries()[0].port, "USB005");
}

TEST_F(UsbPortListTest, AnUnreadableIdIsTracedAndLeftEmpty) {
  Attach(u"USBPRINT\\Q\\1", 7, "MFG:Q;");
  source.replies.clear();
  source.openError = 31;
  trace::Capture capture;
  ASSERT_EQ(list.Refresh(source), 1);
  EXPECT_EQ(list.Entries()[0].deviceId, "");
  EXPECT_TRUE(capture.Contains(u"USBPRINT_GET_1284_ID ERROR : 31"));
}

TEST_F(UsbPortListTest, ARefreshReplacesTheList) {
  Attach(u"USBPRINT\\Q\\1", 1, "MFG:Q;");
  ASSERT_EQ(list.Refresh(source), 1);
  source.devices.clear();
  EXPECT_EQ(list.Refresh(source), 0);
  char port[8] = "x";
  char id[8] = "x";
  EXPECT_FALSE(list.Copy(0, port, 8, id, 8));
}

TEST_F(UsbPortListTest, CopiesAreCutToTheBuffersAndTerminated) {
  Attach(u"USBPRINT\\Q\\1", 3, "MFG:Quillon;MDL:QX1;");
  ASSERT_EQ(list.Refresh(source), 1);
  char port[5];
  char id[8];
  std::fill(std::begin(id), std::end(id), '#');
  ASSERT_TRUE(list.Copy(0, port, sizeof port, id, sizeof id));
  EXPECT_STREQ(port, "USB0");
  EXPECT_STREQ(id, "\x16MFG:Qu");
  EXPECT_FALSE(list.Copy(-1, port, sizeof port, id, sizeof id));
  EXPECT_FALSE(list.Copy(1, port, sizeof port, id, sizeof id));
  EXPECT_TRUE(list.Copy(0, nullptr, 0, id, sizeof id));
}

}  // namespace
}  // namespace prn::usbport
