#pragma once
// The models a printer INF offers on one platform. Each [Manufacturer] line
// names a models section and the platforms it is decorated for
// ("%Mfg% = Quillon, NTx86, NTamd64.6.0"); Windows reads the decorated
// section that matches the running system best: the highest version not
// above the system's, an architecture-specific decoration before a plain
// "NT" one. Without a match 32-bit Windows reads the undecorated section,
// 64-bit Windows none, since it requires a decoration.

#include <cstdint>
#include <optional>
#include <vector>

#include "config/inf_file.h"
#include "text/ustring.h"

namespace prn::config {

enum class InfArchitecture { X86, Amd64 };

struct InfPlatform {
  InfArchitecture architecture = InfArchitecture::X86;
  uint32_t major = 5;
  uint32_t minor = 1;
  uint32_t build = 2600;
  uint32_t productType = 1;  // VER_NT_WORKSTATION
};

// The models section one [Manufacturer] line chooses for a platform.
struct InfModelsSection {
  ustring manufacturer;  // as the line names it, strings resolved
  ustring name;          // the section to read, decoration included
  int manufacturerLine = 0;
};

// One line of a models section: "description = install-section, hw-id, compatible-id…".
struct InfModel {
  ustring name;  // the description, strings resolved: what printui's /m names
  ustring installSection;
  StringList ids;  // the hardware ID, then the compatible IDs
  ustring modelsSection;
  int line = 0;
};

// The models section of each [Manufacturer] line that has one on the platform.
std::vector<InfModelsSection> ModelsSectionsFor(const InfFile& inf, const InfPlatform& platform);

// Every model line of those sections, in order; sections the INF lacks add none.
std::vector<InfModel> ModelsFor(const InfFile& inf, const InfPlatform& platform);

// The lines that name the model `name`, compared without regard to ASCII case.
std::vector<InfModel> FindModel(const InfFile& inf, const InfPlatform& platform, ustring_view name);

// The install section the platform processes for a model: the one with the
// platform's extension (".NTamd64", ".NTx86"), else ".NT", else the plain one;
// nothing when the INF has none of them.
std::optional<ustring> InstallSectionFor(const InfFile& inf, ustring_view installSection, const InfPlatform& platform);

}  // namespace prn::config
