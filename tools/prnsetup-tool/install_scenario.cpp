#include "tools/prnsetup-tool/install_scenario.h"

#include <fstream>
#include <ostream>
#include <string_view>

#include "app/res_load.h"
#include "ui/form_host.h"
#include "spooler/printer_update.h"
#include "sys/dialogs.h"
#include "sim/host64.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "text/winpath.h"
#include "tools/prnsetup-tool/commands.h"

namespace prn::tool {

std::string_view EmbeddedFile(std::string_view name);  // generated from the language files

namespace {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;

constexpr char16_t kPackage[] = u"C:\\Package";
// Watchdog periods a "hang" host runs without a word: past the ten minutes
// after which the run notes it as slow, then it ends.
constexpr int kHangingHostPolls = 130;

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
void PrepareMachine(sim::Machine& machine, const fs::path& setupIni, uint16_t langId, const Scenario& scenario) {
  const fs::path packageFolder = machine.files.HostPath(kPackage);
  // The copy makes the folder itself: copying into one that exists fails with mingw's library.
  fs::create_directories(packageFolder.parent_path());
  std::error_code ec;
  fs::copy(setupIni.parent_path(), packageFolder, fs::copy_options::recursive, ec);
  if (ec) throw Error(u"cannot read the package folder: " + FromUtf8(ec.message()));
  fs::copy_file(setupIni, packageFolder / "Setup.Ini", fs::copy_options::overwrite_existing, ec);
  machine.system.executableFolder = kPackage;
  machine.files.SetCurrentDirectory(kPackage);
  machine.system.langId = langId;
  machine.codePage.SetId(AnsiCodePageFor(langId));
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
  if (scenario.host == "hang" || scenario.host == "silent" || scenario.host == "nostart") {
    // In install mode the host does as the scenario says; it still answers the probe.
    auto host = sim::PrnSetup64Program(
        {machine.deviceLibraries, machine.files, machine.codePage, machine.dialogs, machine.windows});
    sim::ProgramRun installMode;
    if (scenario.host == "hang") installMode.activePolls = kHangingHostPolls;
    if (scenario.host == "nostart") installMode.startError = winerr::FileNotFound;
    machine.processes.InstallProgram(u"PrnSetup64.exe", [host, installMode](const sim::ProcessStartInfo& start) {
      for (const ustring& arg : start.args) {
        if (arg == u"/FindHWID") return host(start);
      }
      return installMode;
    });
  }
}

}  // namespace

ScenarioInstall::ScenarioInstall(const fs::path& setupIni, const Scenario& scenario, uint16_t langId)
    : scenario_(scenario) {
  if (!fs::is_regular_file(setupIni)) throw Error(u"no such settings file: " + FromUtf8(setupIni.string()));
  PrepareMachine(machine_, setupIni, langId, scenario_);
  values_.g_wSystemLangId = langId;
  if (app::ResLoad(u"", machine_.Platform(), values_) != app::ResLoadResult::Loaded) {
    throw Error(machine_.dialogs.Boxes().empty() ? u"Setup.Ini is missing" : machine_.dialogs.Boxes().back().text);
  }
}

// Devices go in once the settings are known: a driver in place comes from the entry's INF.
void ScenarioInstall::AttachDevices(const config::TRInstallInfo& entry) {
  int number = 1;
  for (const ScenarioDevice& device : scenario_.devices) {
    const std::string& hwid = device.hwid;
    const std::string& port = device.port;
    sim::SimDevice simDevice;
    const bool lpt = port.rfind("LPT", 0) == 0;
    simDevice.instanceId = (lpt ? "LPTENUM\\" : "USBPRINT\\") + hwid + "\\" + std::to_string(number++) + "&1&0&" +
                           (lpt ? port.substr(0, 4) : port);
    simDevice.hardwareIds = {(lpt ? "LPTENUM\\" : "USBPRINT\\") + hwid, hwid};
    if (device.driverInstalled) {
      // As the probe names the INF: by its full path, the library itself or the host.
      const ustring inf = scenario_.wow64 ? entry.INFX64 : entry.INF2K;
      simDevice.driverInf = machine_.codePage.ToAnsi(inf);
    }
    machine_.devices.AddDevice(simDevice);
    const ustring portName = FromUtf8(lpt ? port.substr(0, 4) + ":" : port);
    if (!machine_.spooler.FindPort(portName)) {
      machine_.spooler.PutPort(portName, lpt ? u"Local Port" : u"USB Monitor");
    }
  }
}

ScenarioInstall::~ScenarioInstall() {
  // The windows and their runs go before the machine they run on.
  classic_.reset();
  progress_.reset();
}

install::InstallRunner& ScenarioInstall::Runner() {
  if (classic_) return classic_->Model().Runner();
  if (progress_) return progress_->Model().Runner();
  throw Error(u"no install has run");
}

install::InstallRunner& ScenarioInstall::OpenWindow() {
  if (!classic_ && !progress_) {
    if (ui::SelectsSkinnedWindow(values_.installInfos.GetInfoItem(0).ViewMode)) {
      progress_ = std::make_unique<ui::HeadlessFormInstallingWindow>(machine_, values_, kScenarioWindow);
    } else {
      classic_ = std::make_unique<ui::HeadlessFormMainWindow>(machine_, values_, kScenarioWindow);
    }
  }
  return Runner();
}

json ScenarioInstall::Install(int model, const ui::BusyObserver& busy) {
  const config::TInstallInfos& infos = values_.installInfos;
  if (model < 0 || model >= infos.GetCount()) throw Error(u"no model " + ToDecimal(model) + u" in the settings");
  OpenWindow();
  // The skinned installer's progress window installs entry 0 and nothing else.
  if (progress_ && model != 0) throw Error(u"the skinned installer window installs model 0 only");
  if (!devicesAttached_) AttachDevices(infos.GetInfoItem(model));
  devicesAttached_ = true;
  if (progress_) {
    progress_->Install(busy);
  } else {
    classic_->Install(model, busy);
  }
  const install::InstallRunner& runner = Runner();

  json report;
  const ustring& printer = runner.Installed().printer;
  report["code"] = runner.FinalCode();
  report["printer"] = ToUtf8(printer);
  report["port"] = ToUtf8(runner.Installed().port);
  ustring defaultPrinter;
  report["default"] = !printer.empty() && spooler::GetDefaultPrinterName(machine_.spooler, defaultPrinter) &&
                      defaultPrinter == printer;
  const auto queue = machine_.spooler.FindPrinter(printer);
  report["driver"] = queue ? ToUtf8(queue->pDriverName) : "";
  if (!runner.ErrorText().empty()) report["error"] = ToUtf8(runner.ErrorText());
  json boxes = json::array();
  for (const auto& box : machine_.dialogs.Boxes()) {
    boxes.push_back({{"text", ToUtf8(box.text)}, {"caption", ToUtf8(box.caption)}, {"answer", AnswerWord(box.answer)}});
  }
  report["boxes"] = boxes;
  json printers = json::array();
  for (const auto& p : machine_.spooler.EnumeratePrinters2(sys::spool::EnumLocal).records) {
    printers.push_back({{"name", ToUtf8(p.pPrinterName)}, {"driver", ToUtf8(p.pDriverName)}, {"port", ToUtf8(p.pPortName)}});
  }
  report["printers"] = printers;
  return report;
}

int RunInstall(const InstallOptions& options, std::ostream& out, std::ostream& err) {
  try {
    const Scenario scenario = options.scenarioValue ? *options.scenarioValue : ReadScenario(options.scenario);
    ScenarioInstall install(options.setupIni, scenario, options.langId);
    out << install.Install(options.model, options.uiBusy).dump(2) << "\n";
    return 0;
  } catch (const Error& e) {
    err << ToUtf8(e.Text()) << "\n";
    return 1;
  }
}

}  // namespace prn::tool
