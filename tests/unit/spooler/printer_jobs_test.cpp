#include "spooler/printer_queries.h"

#include "spooler_fixture.h"
#include "sys/win_errors.h"
#include "text/format.h"

namespace prn::spooler {
namespace {

TEST(JobStatusText, MapsWholeValuesNotBits) {
  EXPECT_EQ(JobStatusText(0), u"Waiting");
  EXPECT_EQ(JobStatusText(16), u"Printing");
  EXPECT_EQ(JobStatusText(17), u"Paused Printing");
  EXPECT_EQ(JobStatusText(1024), u"User Intervention");
  EXPECT_EQ(JobStatusText(2048), u"Restart");
  EXPECT_EQ(JobStatusText(3), u"Status 3");
  EXPECT_EQ(JobStatusText(4112), u"Status 4112");
}

class PrinterJobs : public testing::SpoolerTest {
 protected:
  void SetUp() override {
    spooler.PutDriver(u"Quillon QX1");
    spooler.PutPrinter(u"Busy", u"Quillon QX1", u"LPT1:");
  }
  void Queue(const ustring& document, uint32_t status) {
    sys::JOB_INFO_1W job;
    job.pDocument = document;
    job.pUserName = u"someone";
    job.pMachineName = u"\\\\DESK";
    job.pDatatype = u"RAW";
    job.Status = status;
    spooler.PutJob(u"Busy", job);
  }
};

TEST_F(PrinterJobs, ListsEachJobWithPrefixAndStatus) {
  Queue(u"Report.pdf", 16);
  Queue(u"Letter", 0);
  StringList lines{u"old"};
  EXPECT_EQ(GetPrinterJobs(spooler, u"Busy", &lines, u"- "), 2);
  EXPECT_EQ(lines, (StringList{u"- Report.pdf(Printing)", u"- Letter(Waiting)"}));
  EXPECT_EQ(GetPrinterJobs(spooler, u"Busy"), 2);
}

TEST_F(PrinterJobs, MissingPrinterOrFailedListingCountsZero) {
  EXPECT_EQ(GetPrinterJobs(spooler, u"Missing"), 0);
  Queue(u"x", 0);
  spooler.Fail(sim::SimSpooler::Call::EnumJobs, winerr::InvalidHandle);
  StringList lines{u"kept"};
  EXPECT_EQ(GetPrinterJobs(spooler, u"Busy", &lines), 0);
  EXPECT_EQ(lines, StringList{u"kept"});
}

// A queue longer than a 64000-byte buffer holds must not read as empty:
// removal would take it for an idle printer.
TEST_F(PrinterJobs, ALongQueueIsNotReadAsEmpty) {
  for (int i = 0; i < 500; ++i) Queue(Format(u"Quarterly statement for customer %d.pdf", {i}), 8);
  auto printer = spooler.OpenPrinterHandle(u"Busy");
  auto fixed = printer->EnumerateJobs(0, 1000, 64000);
  ASSERT_FALSE(fixed.ok);
  EXPECT_EQ(lastError.Get(), winerr::InsufficientBuffer);

  EXPECT_EQ(GetPrinterJobs(spooler, u"Busy"), 500);
}

TEST_F(PrinterJobs, AtMostAThousandJobsAreCounted) {
  for (int i = 0; i < 1005; ++i) Queue(u"j", 0);
  EXPECT_EQ(GetPrinterJobs(spooler, u"Busy"), 1000);
}

}  // namespace
}  // namespace prn::spooler
