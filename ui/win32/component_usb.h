#pragma once
// TComponentUSB: a message-only window registered for device-interface
// notifications of USB printers (or of all USB devices), raising an arrival
// or a removal event on the window thread.

#include <functional>

#include "ui/device_change.h"
#include "ui/win32/gdi_owners.h"
#include "ui/win32/window_base.h"

namespace prn::ui {

class TComponentUSB : public WindowBase {
 public:
  using Event = std::function<void()>;

  TComponentUSB(HINSTANCE instance, bool usbPrintersOnly);
  // The notification is unregistered before the window goes.
  ~TComponentUSB() override;

  bool Registered() const { return static_cast<bool>(notification_); }
  Event FOnUSBArrival;
  Event FOnUSBRemove;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  InterfaceClassId registered_;
  DeviceNotification notification_;
};

}  // namespace prn::ui
