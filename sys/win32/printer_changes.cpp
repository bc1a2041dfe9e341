#include "sys/win32/spooler.h"

#include "sys/win32/winspool_api.h"

namespace prn::win32 {

namespace {

class Notification : public sys::PrinterChangeNotification {
 public:
  Notification(std::shared_ptr<WinspoolApi> api, HANDLE server, HANDLE change, HANDLE stop)
      : api_(std::move(api)), server_(server), change_(change), stop_(stop) {}
  ~Notification() override {
    api_->FindClosePrinterChangeNotification(change_);
    api_->ClosePrinter(server_);
  }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  Wake WaitForChange() override {
    const HANDLE handles[] = {stop_, change_};
    const DWORD woken = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    return woken == WAIT_OBJECT_0 + 1 ? Wake::Changed : Wake::Stopped;
  }

  bool NextChange(uint32_t& change) override {
    DWORD value = 0;
    if (!api_->FindNextPrinterChangeNotification(change_, &value, nullptr, nullptr)) return false;
    change = value;
    return true;
  }

 private:
  std::shared_ptr<WinspoolApi> api_;
  HANDLE server_;
  HANDLE change_;
  HANDLE stop_;
};

}  // namespace

Win32PrinterChanges::Win32PrinterChanges()
    : api_(std::make_shared<WinspoolApi>()), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

Win32PrinterChanges::~Win32PrinterChanges() = default;

std::unique_ptr<sys::PrinterChangeNotification> Win32PrinterChanges::Watch(uint32_t filter) {
  if (!stop_ || !api_->OpenPrinterW || !api_->ClosePrinter || !api_->FindFirstPrinterChangeNotification ||
      !api_->FindNextPrinterChangeNotification || !api_->FindClosePrinterChangeNotification)
    return nullptr;
  wchar_t name[] = L",XcvMonitor Local Port";
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
  HANDLE server = nullptr;
  if (!api_->OpenPrinterW(name, &server, &defaults)) return nullptr;
  HANDLE change = api_->FindFirstPrinterChangeNotification(server, filter, 0, nullptr);
  if (change == INVALID_HANDLE_VALUE || change == nullptr) {
    api_->ClosePrinter(server);
    return nullptr;
  }
  return std::make_unique<Notification>(api_, server, change, stop_.Get());
}

void Win32PrinterChanges::RequestStop() {
  if (stop_) SetEvent(stop_.Get());
}

}  // namespace prn::win32
