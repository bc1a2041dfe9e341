#pragma once
// The model's package on a simulated machine with the work folder's
// device-install libraries and 64-bit host (held in a private folder, as
// start-up leaves them), and helpers to attach the model's printer and to
// install print queues of it.

#include <memory>
#include <string>

#include "install/install_context.h"
#include "sys/system_info.h"
#include "testing/machine_fixture.h"
#include "sim/machine.h"

namespace prn::testing {

inline constexpr char16_t kHardwareId[] = u"QuillonQX17A3F";
inline constexpr char16_t kWorkDir[] = u"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2";
inline constexpr char16_t kInst2kDll[] = u"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2\\inst2k.dll";
inline constexpr char16_t kInst2k64Dll[] = u"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2\\inst2k64.dll";
inline constexpr char16_t kHostExe[] = u"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2\\PrnSetup64.exe";
inline constexpr char16_t kAfterRun[] = u"C:\\Package\\After.exe";
inline constexpr char kUsbInstanceId[] = "USBPRINT\\QUILLONQX17A3F\\7&2A3B&0&USB001";
inline constexpr char kLptInstanceId[] = "LPTENUM\\QUILLONQX17A3F\\5&1C&0&LPT1";

class DetectionTest : public MachineTest {
 protected:
  DetectionTest();

  // The model's printer, attached (or only recorded) under this instance ID.
  void AttachPrinter(const std::string& instanceId = kUsbInstanceId, bool attached = true);
  // A print queue of the model's driver; `online` clears or sets "work offline".
  void PutQueue(const ustring& name, const ustring& port, bool online = true, const ustring& driver = kModel);
  // The simulated machine is a 64-bit Windows running the 32-bit installer.
  void Use64BitWindows();
  // The probe's answer for an attached printer, as the driver install ends.
  void ProbeAnswers(uint32_t code);

  // A fresh install context for the package's entry.
  std::unique_ptr<install::InstallContext> Context() const;

  sys::Platform platform;

 private:
  std::unique_ptr<sys::PrivateFolder> workFolder_;
};

}  // namespace prn::testing
