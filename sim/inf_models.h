#pragma once
// What the simulated printer UI reads from a printer INF: the models its
// manufacturers list and the data file each model's install section names.

#include <optional>

#include "config/profile_file.h"
#include "text/ustring.h"

namespace prn::sim {

struct InfModel {
  ustring name;            // as the INF lists it, strings resolved
  ustring installSection;
  ustring dataFile;        // the install section's DataFile, empty when none
};

// The model of that name (compared without regard to ASCII case) from the
// models sections of [Manufacturer], plain or decorated (".NTamd64"…).
std::optional<InfModel> FindInfModel(const config::ProfileFile& inf, ustring_view modelName);
// The first model whose hardware IDs include one of `hardwareIds`.
std::optional<InfModel> FindInfModelForDevice(const config::ProfileFile& inf, const StringList& hardwareIds);

}  // namespace prn::sim
