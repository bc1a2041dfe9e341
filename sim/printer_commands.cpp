#include "sim/printer_commands.h"

#include "sys/spooler.h"

namespace prn::sim {

bool SimPrinterCommands::InvokePrinterCommand(sys::WindowHandle owner, uint32_t action, const ustring& printerName) {
  requests_.push_back({owner, action, printerName});
  return spooler_.OpenPrinterHandle(printerName) != nullptr;
}

}  // namespace prn::sim
