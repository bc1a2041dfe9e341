#include "sys/win32/spooler.h"

#include <vector>

#include "sys/win32/spooler_records.h"
#include "sys/win32/text.h"
#include "sys/win32/winspool_api.h"

namespace prn::win32 {

namespace {

// The size-query pattern of winspool: ask with no buffer to learn the size,
// then fetch with a buffer of that size (again if the data grew meanwhile).
// With a caller-given size the call is made once with a buffer that large.

// `call(buffer, size, &needed)` is one winspool call returning its BOOL.
template <typename Call>
bool FetchBuffer(std::vector<BYTE>& buffer, DWORD& needed, sys::BufferBytes fixed, Call call) {
  needed = 0;
  if (fixed) {
    buffer.assign(*fixed, 0);
    return call(buffer.empty() ? nullptr : buffer.data(), *fixed, &needed);
  }
  buffer.clear();
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD size = static_cast<DWORD>(buffer.size());
    if (call(buffer.empty() ? nullptr : buffer.data(), size, &needed)) return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size) return false;
    buffer.assign(needed, 0);
  }
  return false;
}

// An enumeration: `call(buffer, size, &needed, &returned)`; each of the
// `returned` structures of type Native is turned into a portable record.
template <typename Native, typename Call>
auto FetchRecords(sys::BufferBytes fixed, Call call) {
  using Record = decltype(FromWin32(std::declval<const Native&>()));
  sys::Enumeration<Record> result;
  std::vector<BYTE> buffer;
  DWORD needed = 0;
  DWORD returned = 0;
  result.ok = FetchBuffer(buffer, needed, fixed,
                          [&](LPBYTE data, DWORD size, DWORD* need) { return call(data, size, need, &returned); });
  result.bytesNeeded = needed;
  if (!result.ok) return result;
  auto natives = reinterpret_cast<const Native*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) result.records.push_back(FromWin32(natives[i]));
  return result;
}

// One open spooler handle; the module stays loaded while the handle lives.
class Win32Printer : public sys::Printer {
 public:
  Win32Printer(std::shared_ptr<WinspoolApi> api, HANDLE handle) : api_(std::move(api)), handle_(handle) {}
  // Callers read the error of their last call on the handle after it is gone.
  ~Win32Printer() override {
    const DWORD error = GetLastError();
    api_->ClosePrinter(handle_);
    SetLastError(error);
  }
  Win32Printer(const Win32Printer&) = delete;
  Win32Printer& operator=(const Win32Printer&) = delete;

  bool GetInfo2(sys::PRINTER_INFO_2W& info) override { return ReadLevel<::PRINTER_INFO_2W>(2, info); }
  bool GetInfo5(sys::PRINTER_INFO_5W& info) override { return ReadLevel<::PRINTER_INFO_5W>(5, info); }

  bool SetInfo2(const sys::PRINTER_INFO_2W& info) override {
    if (!Present(api_->SetPrinterW)) return false;
    Win32PrinterInfo2 native(info);
    return api_->SetPrinterW(handle_, 2, native.Bytes(), 0);
  }

  bool GetDriverInfo3(sys::DRIVER_INFO_3W& info) override {
    if (!Present(api_->GetPrinterDriverW)) return false;
    std::vector<BYTE> buffer;
    DWORD needed = 0;
    bool ok = FetchBuffer(buffer, needed, {}, [&](LPBYTE data, DWORD size, DWORD* need) {
      return api_->GetPrinterDriverW(handle_, nullptr, 3, data, size, need);
    });
    if (ok) info = FromWin32(*reinterpret_cast<const ::DRIVER_INFO_3W*>(buffer.data()));
    return ok;
  }

  sys::Enumeration<sys::JOB_INFO_1W> EnumerateJobs(uint32_t firstJob, uint32_t jobCount,
                                                   sys::BufferBytes buffer = {}) override {
    if (!Present(api_->EnumJobsW)) return {};
    return FetchRecords<::JOB_INFO_1W>(buffer, [&](LPBYTE data, DWORD size, DWORD* need, DWORD* returned) {
      return api_->EnumJobsW(handle_, firstJob, jobCount, 1, data, size, need, returned);
    });
  }

  std::optional<sys::DeviceMode> ReadDocumentProperties(const ustring& deviceName) override {
    if (!Present(api_->DocumentPropertiesW)) return std::nullopt;
    ustring name = deviceName;
    LONG size = api_->DocumentPropertiesW(nullptr, handle_, W(name), nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(::DEVMODEW))) return std::nullopt;
    std::vector<BYTE> buffer(size);
    auto mode = reinterpret_cast<::DEVMODEW*>(buffer.data());
    if (api_->DocumentPropertiesW(nullptr, handle_, W(name), mode, nullptr, DM_OUT_BUFFER) != IDOK) {
      return std::nullopt;
    }
    return FromWin32(*mode);
  }

  bool SendXcvData(const ustring& command, const std::vector<uint8_t>& input, uint32_t outputBytes,
                   uint32_t& needed, uint32_t& status) override {
    if (!Present(api_->XcvDataW)) return false;
    std::vector<BYTE> request(input.begin(), input.end());
    std::vector<BYTE> output(outputBytes);
    DWORD outNeeded = 0;
    DWORD outStatus = 0;
    BOOL ok = api_->XcvDataW(handle_, W(command), request.empty() ? nullptr : request.data(),
                             static_cast<DWORD>(request.size()), output.empty() ? nullptr : output.data(),
                             outputBytes, &outNeeded, &outStatus);
    needed = outNeeded;
    status = outStatus;
    return ok;
  }

  bool DeleteQueue() override { return Present(api_->DeletePrinter) && api_->DeletePrinter(handle_); }

  bool SetQueueStatus(uint32_t status) override {
    if (!Present(api_->SetPrinterW)) return false;
    DWORD value = status;
    return api_->SetPrinterW(handle_, 0, reinterpret_cast<LPBYTE>(&value), PRINTER_CONTROL_SET_STATUS);
  }

 private:
  template <typename Native, typename Record>
  bool ReadLevel(DWORD level, Record& record) {
    if (!Present(api_->GetPrinterW)) return false;
    std::vector<BYTE> buffer;
    DWORD needed = 0;
    bool ok = FetchBuffer(buffer, needed, {}, [&](LPBYTE data, DWORD size, DWORD* need) {
      return api_->GetPrinterW(handle_, level, data, size, need);
    });
    if (ok) record = FromWin32(*reinterpret_cast<const Native*>(buffer.data()));
    return ok;
  }

  std::shared_ptr<WinspoolApi> api_;
  HANDLE handle_;
};

}  // namespace

Win32Spooler::Win32Spooler() = default;
Win32Spooler::Win32Spooler(std::shared_ptr<WinspoolApi> api) : api_(std::move(api)) {}
Win32Spooler::~Win32Spooler() = default;

const std::shared_ptr<WinspoolApi>& Win32Spooler::Api() const {
  std::call_once(loaded_, [this] {
    if (!api_) api_ = std::make_shared<WinspoolApi>();
  });
  return api_;
}

sys::Enumeration<sys::PRINTER_INFO_2W> Win32Spooler::EnumeratePrinters2(uint32_t flags, sys::BufferBytes buffer) {
  if (!Present(Api()->EnumPrintersW)) return {};
  return FetchRecords<::PRINTER_INFO_2W>(buffer, [&](LPBYTE data, DWORD size, DWORD* need, DWORD* returned) {
    return Api()->EnumPrintersW(flags, nullptr, 2, data, size, need, returned);
  });
}

sys::Enumeration<sys::PRINTER_INFO_4W> Win32Spooler::EnumeratePrinters4(uint32_t flags, sys::BufferBytes buffer) {
  if (!Present(Api()->EnumPrintersW)) return {};
  return FetchRecords<::PRINTER_INFO_4W>(buffer, [&](LPBYTE data, DWORD size, DWORD* need, DWORD* returned) {
    return Api()->EnumPrintersW(flags, nullptr, 4, data, size, need, returned);
  });
}

sys::Enumeration<sys::PRINTER_INFO_5W> Win32Spooler::EnumeratePrinters5(uint32_t flags, sys::BufferBytes buffer) {
  if (!Present(Api()->EnumPrintersW)) return {};
  return FetchRecords<::PRINTER_INFO_5W>(buffer, [&](LPBYTE data, DWORD size, DWORD* need, DWORD* returned) {
    return Api()->EnumPrintersW(flags, nullptr, 5, data, size, need, returned);
  });
}

sys::Enumeration<sys::DRIVER_INFO_1W> Win32Spooler::EnumerateDrivers1(sys::BufferBytes buffer,
                                                                 const ustring& environment) {
  if (!Present(Api()->EnumPrinterDriversW)) return {};
  return FetchRecords<::DRIVER_INFO_1W>(buffer, [&](LPBYTE data, DWORD size, DWORD* need, DWORD* returned) {
    return Api()->EnumPrinterDriversW(nullptr, OrNull(environment), 1, data, size, need, returned);
  });
}

sys::Enumeration<sys::DRIVER_INFO_3W> Win32Spooler::EnumerateDrivers3(sys::BufferBytes buffer,
                                                                 const ustring& environment) {
  if (!Present(Api()->EnumPrinterDriversW)) return {};
  return FetchRecords<::DRIVER_INFO_3W>(buffer, [&](LPBYTE data, DWORD size, DWORD* need, DWORD* returned) {
    return Api()->EnumPrinterDriversW(nullptr, OrNull(environment), 3, data, size, need, returned);
  });
}

sys::Enumeration<sys::PORT_INFO_2W> Win32Spooler::EnumeratePorts2(sys::BufferBytes buffer) {
  if (!Present(Api()->EnumPortsW)) return {};
  return FetchRecords<::PORT_INFO_2W>(buffer, [&](LPBYTE data, DWORD size, DWORD* need, DWORD* returned) {
    return Api()->EnumPortsW(nullptr, 2, data, size, need, returned);
  });
}

std::unique_ptr<sys::Printer> Win32Spooler::OpenPrinterHandle(const ustring& name,
                                                              const sys::PRINTER_DEFAULTSW* defaults) {
  if (!Present(Api()->OpenPrinterW)) return nullptr;
  ustring printerName = name;
  ::PRINTER_DEFAULTSW native{};
  ustring datatype;
  sys::DEVMODEW devMode{};
  if (defaults) {
    if (defaults->pDatatype) {
      datatype = *defaults->pDatatype;
      native.pDatatype = W(datatype);
    }
    if (defaults->pDevMode) {
      devMode = *defaults->pDevMode;
      native.pDevMode = reinterpret_cast<::DEVMODEW*>(&devMode);
    }
    native.DesiredAccess = defaults->DesiredAccess;
  }
  HANDLE handle = nullptr;
  if (!Api()->OpenPrinterW(W(printerName), &handle, defaults ? &native : nullptr) || !handle) return nullptr;
  return std::make_unique<Win32Printer>(Api(), handle);
}

std::unique_ptr<sys::Printer> Win32Spooler::AddPrinterQueue(const sys::PRINTER_INFO_2W& info) {
  if (!Present(Api()->AddPrinterW)) return nullptr;
  Win32PrinterInfo2 native(info);
  HANDLE handle = Api()->AddPrinterW(nullptr, 2, native.Bytes());
  if (!handle) return nullptr;
  return std::make_unique<Win32Printer>(Api(), handle);
}

bool Win32Spooler::InstallDriver(const sys::DRIVER_INFO_3W& info, uint32_t copyFlags) {
  if (!Present(Api()->AddPrinterDriverExW)) return false;
  Win32DriverInfo3 native(info);
  return Api()->AddPrinterDriverExW(nullptr, 3, native.Bytes(), copyFlags);
}

bool Win32Spooler::RemoveDriver(const ustring& server, const ustring& environment, const ustring& driverName,
                                uint32_t deleteFlag, uint32_t versionFlag) {
  if (!Present(Api()->DeletePrinterDriverExW)) return false;
  return Api()->DeletePrinterDriverExW(OrNull(server), OrNull(environment), const_cast<LPWSTR>(W(driverName)),
                                      deleteFlag, versionFlag);
}

bool Win32Spooler::ReadDefaultPrinter(ustring& name) {
  if (!Present(Api()->GetDefaultPrinterW)) return false;
  DWORD size = 0;
  if (!Api()->GetDefaultPrinterW(nullptr, &size) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
  std::wstring buffer(size, L'\0');
  if (!Api()->GetDefaultPrinterW(buffer.data(), &size)) return false;
  name = U(buffer.c_str());
  return true;
}

bool Win32Spooler::WriteDefaultPrinter(const ustring& name) {
  return Present(Api()->SetDefaultPrinterW) && Api()->SetDefaultPrinterW(W(name));
}

bool Win32Spooler::HasXcvData() const { return Api()->XcvDataW != nullptr; }

}  // namespace prn::win32
