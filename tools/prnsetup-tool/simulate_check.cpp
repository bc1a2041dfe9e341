// Every model installed on simulated machines through the installer's own
// run, as `prnsetup-tool install` does it.

#include <nlohmann/json.hpp>

#include <sstream>

#include "ui/form_host.h"
#include "text/format.h"
#include "tools/prnsetup-tool/check_parts.h"
#include "tools/prnsetup-tool/install_scenario.h"

namespace prn::tool {

namespace {

struct SimulatedMachine {
  const char16_t* name;
  bool wow64;
  int winVer;  // as the installer sees it: Windows 10 tells it 6.2
  bool attached;
};

constexpr SimulatedMachine kMachines[] = {
    {u"64-bit Windows 10 with the printer on USB", true, 62, true},
    {u"64-bit Windows 10 with nothing attached", true, 62, false},
    {u"32-bit Windows XP with nothing attached", false, 51, false},
};

ustring QuotedBoxes(const nlohmann::json& boxes) {
  ustring text;
  for (const auto& box : boxes) {
    ustring shown;
    for (char16_t c : FromUtf8(box["text"].get<std::string>())) {
      if (c != u'\r' && c != u'\n') shown.push_back(c);
      else if (!shown.empty() && shown.back() != u' ') shown.push_back(u' ');
    }
    text += (text.empty() ? u"“" : u"; “") + shown + u"” (" + FromUtf8(box["answer"].get<std::string>()) + u")";
  }
  return text.empty() ? u"none" : text;
}

// One new queue of the model, and a run that ended in success.
bool EndsInOneQueue(const nlohmann::json& report) {
  const auto& printers = report["printers"];
  return report["code"] == 0 && report["printer"] != "" && printers.size() == 1 &&
         printers[0]["name"] == report["printer"];
}

}  // namespace

void SimulateInstalls(const CheckContext& check, const PackageSettings& settings,
                      const std::filesystem::path& hostSetupIni) {
  // An entry the installer cannot read keeps it from starting at all; that is reported already.
  if (!settings.file || settings.entries.size() != settings.file->SectionNames().size()) return;
  // The skinned installer window installs entry 0 only: the other entries never reach a machine.
  const bool skinned = ui::SelectsSkinnedWindow(settings.entries.front().info.ViewMode);
  for (const PackageEntry& entry : settings.entries) {
    const config::TRInstallInfo& info = entry.info;
    if (skinned && entry.index != 0) continue;
    for (const SimulatedMachine& machine : kMachines) {
      Scenario scenario;
      scenario.wow64 = machine.wow64;
      scenario.winVer = machine.winVer;
      if (machine.attached) {
        const bool compatible = !info.CompatibleName.empty() && info.CIDForVersion <= machine.winVer;
        scenario.devices.push_back({ToUtf8(compatible ? info.CompatibleID : info.PrinterHWID), "USB001", false});
      }
      InstallOptions options;
      options.setupIni = hostSetupIni;
      options.scenarioValue = scenario;
      options.model = entry.index;
      options.langId = settings.language->languageId;
      std::ostringstream out, err;
      const Place place = check.SettingsPlace(entry.section);
      if (RunInstall(options, out, err) != 0) {
        check.findings.Error(place, Format(u"could not be installed on the simulated %s: %s",
                                           {machine.name, Trim(FromUtf8(err.str()))}));
        continue;
      }
      const nlohmann::json report = nlohmann::json::parse(out.str());
      if (EndsInOneQueue(report)) continue;
      check.findings.Error(place, Format(u"installing on the simulated %s does not end in one configured queue "
                                         u"(code 0x%.8x, %d queues); its boxes: %s.",
                                         {machine.name, report["code"].get<unsigned>(), report["printers"].size(),
                                          QuotedBoxes(report["boxes"])}));
    }
  }
}

}  // namespace prn::tool
