#include "sim/printer_class_installer.h"

#include "config/profile_file.h"
#include "sim/inf_models.h"
#include "sim/codepage.h"
#include "sim/files.h"
#include "sim/spooler.h"
#include "text/ascii.h"

namespace prn::sim {

namespace {
constexpr char16_t kUsbMonitor[] = u"USB Monitor";
}

ustring DevicePortOf(const std::string& instanceId) {
  const ustring id = AsciiUpper(FromUtf8(instanceId));
  if (size_t usb = id.rfind(u"&USB"); usb != ustring::npos && id.size() >= usb + 7) return id.substr(usb + 1, 6);
  if (size_t lpt = id.rfind(u"&LPT"); lpt != ustring::npos && id.size() >= lpt + 5) return id.substr(lpt + 1, 4) + u":";
  return {};
}

std::function<void(const SimDevice&)> PrinterClassInstaller(SimSpooler& spooler, SimFileSystem& files,
                                                             const SimCodePage& codePage) {
  return [&spooler, &files, &codePage](const SimDevice& device) {
    const ustring port = DevicePortOf(device.instanceId);
    auto inf = config::ProfileFile::Load(files, files.FullPath(codePage.FromAnsi(device.driverInf)), codePage);
    if (port.empty() || !inf) return;
    StringList hardwareIds;
    for (const std::string& id : device.hardwareIds) hardwareIds.push_back(FromUtf8(id));
    auto model = FindInfModelForDevice(*inf, hardwareIds);
    if (!model) return;

    if (!spooler.FindPort(port)) spooler.PutPort(port, port.starts_with(u"USB") ? kUsbMonitor : kLocalPortMonitor);
    if (!spooler.FindDriver(model->name)) spooler.PutDriver(model->name);
    ustring name = model->name;
    for (int copy = 2; spooler.FindPrinter(name); ++copy) name = model->name + u" (Copy " + ToDecimal(copy) + u")";
    spooler.PutPrinter(name, model->name, port);
  };
}

}  // namespace prn::sim
