// How long the manager needs to build its printer rows and port combo texts
// for 500 printers and 200 ports on the simulated spooler (goal: 50 ms).
// Prints the numbers; fails only when the rows are not what was put there.
#include <chrono>
#include <cstdio>

#include "config/str_installer.h"
#include "sim/machine.h"
#include "text/format.h"
#include "ui/port_choices.h"
#include "ui/printer_rows.h"

int main() {
  using namespace prn;
  sim::Machine machine;
  machine.spooler.PutDriver(u"Quillon QX1");
  for (int i = 0; i < 200; ++i) machine.spooler.PutPort(Format(u"IP_10.0.%d.%d", {i / 100, i % 100}));
  for (int i = 0; i < 500; ++i) {
    machine.spooler.PutPrinter(Format(u"Printer %.3d", {499 - i}), u"Quillon QX1", Format(u"IP_10.0.0.%d", {i % 100}));
  }
  for (int i = 0; i < 4; ++i) machine.usb.Attach("USB00" + std::to_string(i + 1), "MFG:Quillon;MDL:QX1;CMD:PCL;CLS:PRINTER;");
  config::TStrInstaller texts;
  texts.PrinterStatusOnline = u"Ready";

  constexpr int kRounds = 20;
  double best = 1e9, total = 0, rowsBest = 1e9;
  size_t rows = 0, choices = 0;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    ui::PrinterRows built = ui::BuildPrinterRows(machine.spooler, texts);
    const double rowsMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    rowsBest = rowsMs < rowsBest ? rowsMs : rowsBest;
    ui::SystemPortList ports;
    ports.Reload(machine.spooler);
    ui::PortChoices combo = ui::BuildPortChoices(ports, ui::ReadOnlineUsbPorts(machine.usb, machine.codePage),
                                                 u"Connected", u"Printer port is set to");
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    best = ms < best ? ms : best;
    total += ms;
    rows = built.rows.size();
    choices = combo.texts.size();
  }
  std::printf("manager rows: %zu printers, %zu ports: best %.2f ms (printer rows alone %.2f ms), mean %.2f ms "
              "over %d rounds (goal <= 50 ms)\n",
              rows, choices, best, rowsBest, total / kRounds, kRounds);
  return rows == 500 && choices == 208 ? 0 : 1;  // 200 network ports and the 8 a fresh machine has
}
