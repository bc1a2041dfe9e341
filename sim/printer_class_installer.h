#pragma once
// The printer class installer of the simulated machine: once plug and play
// has installed a driver for an attached printer, it adds the driver to the
// spooler and creates the printer's queue on the device's port, named after
// the INF's model ("<model> (Copy 2)" when that name is taken), as Windows does.

#include <functional>

#include "sim/device_tree.h"

namespace prn::sim {

class SimCodePage;
class SimFileSystem;
class SimSpooler;

// The port a device's instance ID names: "…&USB001" gives "USB001",
// "…&LPT1" gives "LPT1:"; empty for anything else.
ustring DevicePortOf(const std::string& instanceId);

std::function<void(const SimDevice&)> PrinterClassInstaller(SimSpooler& spooler, SimFileSystem& files,
                                                             const SimCodePage& codePage);

}  // namespace prn::sim
