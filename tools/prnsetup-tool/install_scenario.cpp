#include "tools/prnsetup-tool/install_scenario.h"

#include <nlohmann/json.hpp>

#include <climits>
#include <fstream>
#include <ostream>
#include <string_view>

#include "app/process_values.h"
#include "app/res_load.h"
#include "install/run/headless_window.h"
#include "install/run/install_session.h"
#include "spooler/default_printer.h"
#include "sys/dialogs.h"
#include "sys/sim/machine.h"
#include "sys/sim/sim_host64.h"
#include "sys/sim/sim_printer_class_installer.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "text/winpath.h"
#include "tools/prnsetup-tool/commands.h"
#include "tools/prnsetup-tool/scenario_file.h"

namespace prn::tool {

std::string_view EmbeddedFile(std::string_view name);  // generated from the language files

namespace {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;

constexpr char16_t kPackage[] = u"C:\\Package";
constexpr sys::WindowHandle kWindow = 0x10016;

Scenario ReadScenario(const std::optional<fs::path>& file) {
  if (!file) return Scenario{};
  std::ifstream in(*file, std::ios::binary);
  if (!in) throw Error(u"cannot read the scenario " + FromUtf8(file->string()));
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseScenario(text);
}

const char* AnswerWord(int answer) {
  switch (answer) {
    case sys::mb::IdYes: return "yes";
    case sys::mb::IdNo: return "no";
    case sys::mb::IdCancel: return "cancel";
    default: return "ok";
  }
}

// The package as the installer finds it beside itself, the executable's
// resources and the scenario's machine.
void PrepareMachine(sim::Machine& machine, const InstallOptions& options, const Scenario& scenario) {
  const fs::path packageFolder = machine.files.HostPath(kPackage);
  fs::create_directories(packageFolder);
  std::error_code ec;
  fs::copy(options.setupIni.parent_path(), packageFolder, fs::copy_options::recursive, ec);
  if (ec) throw Error(u"cannot read the package folder: " + FromUtf8(ec.message()));
  fs::copy_file(options.setupIni, packageFolder / "Setup.Ini", fs::copy_options::overwrite_existing, ec);
  machine.system.executableFolder = kPackage;
  machine.files.SetCurrentDirectory(kPackage);
  machine.system.langId = options.langId;
  machine.codePage.SetId(AnsiCodePageFor(options.langId));
  for (const char* name : {"RC_STRINGS_INI_EN", "RC_STRINGS_INI_CN", "RC_STRINGS_INI_CHT"}) {
    machine.resources.Set(FromUtf8(name), std::string(EmbeddedFile(name)));
  }
  machine.resources.Set(u"INST2KDLL", "MZ-inst2k");
  machine.resources.Set(u"INST2K64DLL", "MZ-inst2k64");
  machine.resources.Set(u"PRNSETUP64EXE", "MZ-host");

  machine.system.wow64 = scenario.wow64;
  machine.registry.SetRedirected32(scenario.wow64);
  machine.system.version = sys::OsVersion{static_cast<uint32_t>(scenario.winVer / 10),
                                          static_cast<uint32_t>(scenario.winVer % 10)};
  for (const ScenarioPrinter& printer : scenario.printers) {
    const ustring driver = FromUtf8(printer.driver);
    const ustring port = FromUtf8(printer.port);
    if (!machine.spooler.FindDriver(driver)) machine.spooler.PutDriver(driver);
    if (!machine.spooler.FindPort(port)) machine.spooler.PutPort(port);
    machine.spooler.PutPrinter(FromUtf8(printer.name), driver, port);
  }
  machine.dialogs.ScriptAnswers({});
  for (int answer : scenario.answers) machine.dialogs.ScriptAnswers({answer});
  if (scenario.host == "fail") {
    machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, winerr::AccessDenied};
  }
  if (scenario.host == "hang") {
    // In install mode the host never ends; it still answers the probe.
    auto host = sim::PrnSetup64Program(
        {machine.deviceLibraries, machine.files, machine.codePage, machine.dialogs, machine.windows});
    machine.processes.InstallProgram(u"PrnSetup64.exe", [host](const sim::ProcessStartInfo& start) {
      for (const ustring& arg : start.args) {
        if (arg == u"/FindHWID") return host(start);
      }
      sim::ProgramRun hanging;
      hanging.activePolls = INT_MAX;
      return hanging;
    });
  }
}

// Devices go in once the settings are known: a driver in place comes from the entry's INF.
void AttachDevices(sim::Machine& machine, const Scenario& scenario, const config::TRInstallInfo& entry) {
  int number = 1;
  for (const ScenarioDevice& device : scenario.devices) {
    const std::string& hwid = device.hwid;
    const std::string& port = device.port;
    sim::SimDevice simDevice;
    const bool lpt = port.rfind("LPT", 0) == 0;
    simDevice.instanceId = (lpt ? "LPTENUM\\" : "USBPRINT\\") + hwid + "\\" + std::to_string(number++) + "&1&0&" +
                           (lpt ? port.substr(0, 4) : port);
    simDevice.hardwareIds = {(lpt ? "LPTENUM\\" : "USBPRINT\\") + hwid, hwid};
    if (device.driverInstalled) {
      // As the probe names the INF: by its full path, the library itself or the host.
      const ustring inf = scenario.wow64 ? entry.INFX64 : entry.INF2K;
      simDevice.driverInf = machine.codePage.ToAnsi(inf);
    }
    machine.devices.AddDevice(simDevice);
    const ustring portName = FromUtf8(lpt ? port.substr(0, 4) + ":" : port);
    if (!machine.spooler.FindPort(portName)) machine.spooler.PutPort(portName, lpt ? u"Local Port" : u"USB Monitor");
  }
}

json Report(sim::Machine& machine, const install::InstallRun& run) {
  json report;
  const ustring& printer = run.Installed().printer;
  report["code"] = run.FinalCode();
  report["printer"] = ToUtf8(printer);
  report["port"] = ToUtf8(run.Installed().port);
  ustring defaultPrinter;
  report["default"] = !printer.empty() && spooler::GetDefaultPrinterName(machine.spooler, defaultPrinter) &&
                      defaultPrinter == printer;
  const auto queue = machine.spooler.FindPrinter(printer);
  report["driver"] = queue ? ToUtf8(queue->pDriverName) : "";
  if (!run.ErrorText().empty()) report["error"] = ToUtf8(run.ErrorText());
  json boxes = json::array();
  for (const auto& box : machine.dialogs.Boxes()) {
    boxes.push_back({{"text", ToUtf8(box.text)}, {"caption", ToUtf8(box.caption)}, {"answer", AnswerWord(box.answer)}});
  }
  report["boxes"] = boxes;
  json printers = json::array();
  for (const auto& p : machine.spooler.EnumeratePrinters2(sys::spool::EnumLocal).records) {
    printers.push_back({{"name", ToUtf8(p.pPrinterName)}, {"driver", ToUtf8(p.pDriverName)}, {"port", ToUtf8(p.pPortName)}});
  }
  report["printers"] = printers;
  return report;
}

}  // namespace

int RunInstall(const InstallOptions& options, std::ostream& out, std::ostream& err) {
  try {
    if (!fs::is_regular_file(options.setupIni)) throw Error(u"no such settings file: " + FromUtf8(options.setupIni.string()));
    const Scenario scenario = ReadScenario(options.scenario);
    sim::Machine machine;
    PrepareMachine(machine, options, scenario);

    app::ProcessValues values;
    values.g_wSystemLangId = options.langId;
    if (app::ResLoad(u"", machine.Platform(), values) != app::ResLoadResult::Loaded) {
      throw Error(machine.dialogs.Boxes().empty() ? u"Setup.Ini is missing" : machine.dialogs.Boxes().back().text);
    }
    if (options.model < 0 || options.model >= values.installInfos.GetCount()) {
      throw Error(u"no model " + ToDecimal(options.model) + u" in the settings");
    }
    const config::TRInstallInfo entry = values.installInfos.GetInfoItem(options.model);
    AttachDevices(machine, scenario, entry);

    install::InstallContext context;
    context.m_iSelect = options.model;
    install::TakeStartupValues(context, values);
    context.m_hWnd = kWindow;

    install::HeadlessWindow window(kWindow);
    install::InstallServices services;
    services.platform = machine.Platform();
    services.settings = &values.installInfos;
    services.texts = &values.strInstaller;
    services.context = &context;
    services.printersBefore = &*values.g_slPrintersBefore;
    services.printersAfter = &*values.g_slPrintersAfter;
    services.window = &window;
    // The installer window that entry 0 selects hosts the run.
    services.policy = values.installInfos.GetInfoItem(0).ViewMode == 2 ? install::InstallPolicy::ProgressWindow()
                                                                       : install::InstallPolicy::Classic();
    install::InstallSession session(services);
    machine.windows.Register(kWindow, [&session](uint32_t message, uintptr_t, uint32_t lParam) {
      session.OnHostMessage(message, lParam);
    });
    session.Start(true);
    install::RunHeadless(session, window, options.uiBusy);
    machine.windows.Unregister(kWindow);
    out << Report(machine, session.Run()).dump(2) << "\n";
    return 0;
  } catch (const Error& e) {
    err << ToUtf8(e.Text()) << "\n";
    return 1;
  }
}

}  // namespace prn::tool
