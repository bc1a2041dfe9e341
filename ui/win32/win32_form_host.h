#pragma once
// The Win32 toolkit under the shell: creates the windows, runs the message loop.

#include <windows.h>

#include <memory>
#include <vector>

#include "app/form_host.h"
#include "ui/win32/plain_frame.h"

namespace prn::ui {

class Win32FormHost : public app::FormHost {
 public:
  explicit Win32FormHost(HINSTANCE instance) : instance_(instance) {}

  void Initialize() override;
  void CreateForm(app::FormKind kind) override;
  void RunMessageLoop() override;

 private:
  HINSTANCE instance_;
  std::vector<std::unique_ptr<PlainFrame>> frames_;  // the first is the main window
};

}  // namespace prn::ui
