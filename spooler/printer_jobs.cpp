#include "spooler/printer_jobs.h"

#include "text/format.h"

namespace prn::spooler {

namespace {

constexpr uint32_t kMostJobs = 1000;

struct StatusName {
  uint32_t status;
  const char16_t* text;
};

constexpr StatusName kStatusNames[] = {
    {0, u"Waiting"},    {1, u"Paused"},   {2, u"Error"},          {4, u"Deleting"},
    {8, u"Spooling"},   {16, u"Printing"}, {17, u"Paused Printing"}, {32, u"Offline"},
    {64, u"Paper Out"}, {128, u"Printed"}, {256, u"Deleted"},      {512, u"Blocked"},
    {1024, u"User Intervention"}, {2048, u"Restart"},
};

}  // namespace

// The jobs are asked for their size first: a long queue that overflowed a
// fixed buffer would read as empty, and removal would delete a busy printer.
int GetPrinterJobs(sys::Spooler& spooler, const ustring& printerName, StringList* list, const ustring& prefix) {
  auto printer = spooler.OpenPrinterHandle(printerName);
  if (!printer) return 0;
  auto jobs = printer->EnumerateJobs(0, kMostJobs);
  if (!jobs.ok) return 0;
  if (list) {
    list->clear();
    for (const auto& job : jobs.records) {
      list->push_back(prefix + Format(u"%s(%s)", {job.pDocument, JobStatusText(job.Status)}));
    }
  }
  return static_cast<int>(jobs.records.size());
}

ustring JobStatusText(uint32_t status) {
  for (const auto& name : kStatusNames) {
    if (name.status == status) return name.text;
  }
  return u"Status " + ToDecimal(status);
}

}  // namespace prn::spooler
