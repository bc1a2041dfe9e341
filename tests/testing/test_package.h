#pragma once
// A made-up driver package for tests: an INF of the printer class that lists
// the model "Quillon QX1", its GPD text, its Setup.Ini, and settings loaded
// from a file.

#include <memory>
#include <string>

#include "config/install_infos.h"

namespace prn::sim {
class Machine;
}

namespace prn::testing {

inline constexpr char16_t kModel[] = u"Quillon QX1";
inline constexpr char16_t kMaker[] = u"Quillon";

std::string PrinterInf(const std::string& driverVer, const std::string& gpdName = "QX1.GPD");
std::string GpdText(const std::string& version);
// Setup.Ini with the model's one entry, its INF files in the folder "Driver"; `extraKeys` end the entry.
std::string SetupIniText(const std::string& extraKeys = {});

// Loads a settings file of the simulated machine as start-up does.
std::unique_ptr<config::TInstallInfos> LoadSettingsFile(sim::Machine& machine, const ustring& setupIni,
                                                        const ustring& programFolder, int32_t winVer = 61);

}  // namespace prn::testing
