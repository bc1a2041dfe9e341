#pragma once
// A simulated machine with the work folder's libraries and host, a driver
// package for one model, the installer's texts, and one window's install
// session, run to its end as the window's UI thread would run it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/install_infos.h"
#include "config/str_installer.h"
#include "install/run/headless_window.h"
#include "install/run/install_session.h"
#include "sys/sim/machine.h"

namespace prn::testing {

inline constexpr char16_t kModel[] = u"Quillon QX1";
inline constexpr char kUsbInstanceId[] = "USBPRINT\\QUILLONQX17A3F\\7&2A3B&0&USB001";
inline constexpr sys::WindowHandle kWindow = 0x1234;
inline constexpr char16_t kHostInstallCommand[] =
    u"\"C:\\Work\\PrnSetup64.exe\" /Handle 4660 /Dll \"C:\\Work\\inst2k64.dll\" "
    u"/Inf \"C:\\Package\\Driver\\QX1_64.INF\" /HWID QuillonQX17A3F";

class RunTest : public ::testing::Test {
 protected:
  RunTest();

  // Keys added to the entry of Setup.Ini ("DefaultPort=USB\r\n" …); call before Install.
  void AddSettings(const std::string& keys) { extraSettings_ += keys; }
  void Use64BitWindows();
  // The model's printer on USB001. With `driverFromPackage` its driver came from
  // the package's INF already, so the probe reports it attached, not installed.
  void AttachPrinter(bool driverFromPackage = true);
  // The 64-bit host: it ends without a word, or never ends.
  void HostEndsSilently();
  void HostHangs();

  // The run's services over the settings as they stand (loads Setup.Ini).
  install::InstallServices Services(install::InstallPolicy policy = install::InstallPolicy::Classic());
  // Runs an install in the given window flow to its end; the session stays for inspection.
  void Install(install::InstallPolicy policy = install::InstallPolicy::Classic(), bool prompt = true);
  // A session that has not started yet.
  void PrepareSession(install::InstallPolicy policy);

  // The text of every message box, in order.
  std::vector<ustring> BoxTexts() const;
  const install::InstallRun& Run() const { return session->Run(); }

  sim::Machine machine;
  config::TStrInstaller texts;
  install::InstallContext context;
  StringList before, after;
  install::HeadlessWindow window{kWindow};
  std::unique_ptr<install::InstallSession> session;

 private:
  std::string extraSettings_;
  std::unique_ptr<config::TInstallInfos> settings_;
};

}  // namespace prn::testing
