#pragma once
// A root-enumerated device registered for the length of a test, the way
// device-installation tools create one: a new device information element
// with a hardware ID, registered with DIF_REGISTERDEVICE, removed at the end.

#include <windows.h>

#include <setupapi.h>

#include <string>

class FakeRootDevice {
 public:
  // Registers a device of the Printer class carrying this hardware ID.
  explicit FakeRootDevice(const std::wstring& hardwareId);
  ~FakeRootDevice();
  FakeRootDevice(const FakeRootDevice&) = delete;
  FakeRootDevice& operator=(const FakeRootDevice&) = delete;

  bool Registered() const { return registered_; }
  DWORD Error() const { return error_; }
  std::string InstanceId() const;

 private:
  HDEVINFO set_ = INVALID_HANDLE_VALUE;
  SP_DEVINFO_DATA device_{};
  bool registered_ = false;
  DWORD error_ = 0;
};
