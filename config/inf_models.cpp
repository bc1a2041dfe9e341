#include "config/inf_models.h"

#include <tuple>

#include "config/profile_file.h"
#include "text/ascii.h"

namespace prn::config {

namespace {

// NT[architecture][.major[.minor[.productType[.suiteMask[.build]]]]]; an
// empty field leaves that part open.
struct Decoration {
  ustring architecture;  // empty: every architecture
  uint32_t major = 0, minor = 0, productType = 0, suiteMask = 0, build = 0;
};

ustring_view ArchitectureName(InfArchitecture architecture) {
  return architecture == InfArchitecture::X86 ? u"x86" : u"amd64";
}

std::optional<Decoration> ParseDecoration(ustring_view text) {
  if (!StartsWithNoCase(text, u"NT")) return std::nullopt;
  text.remove_prefix(2);
  Decoration decoration;
  size_t dot = text.find(u'.');
  decoration.architecture = ustring(text.substr(0, dot));
  uint32_t* fields[] = {&decoration.major, &decoration.minor, &decoration.productType, &decoration.suiteMask,
                        &decoration.build};
  for (uint32_t* field : fields) {
    if (dot == ustring_view::npos) break;
    text.remove_prefix(dot + 1);
    dot = text.find(u'.');
    const ustring_view part = text.substr(0, dot);
    if (part.empty()) continue;
    const auto number = ParseProfileInteger(part);
    if (!number || *number < 0) return std::nullopt;
    *field = static_cast<uint32_t>(*number);
  }
  if (dot != ustring_view::npos) return std::nullopt;  // more fields than the form has
  return decoration;
}

bool Matches(const Decoration& decoration, const InfPlatform& platform) {
  if (!decoration.architecture.empty() &&
      !EqualsNoCase(decoration.architecture, ArchitectureName(platform.architecture)))
    return false;
  if (std::tie(decoration.major, decoration.minor, decoration.build) >
      std::tie(platform.major, platform.minor, platform.build))
    return false;
  if (decoration.productType != 0 && decoration.productType != platform.productType) return false;
  return decoration.suiteMask == 0;  // no suite (small business, data centre, …) is modelled here
}

// The closest match: the highest version, then a named architecture.
auto Rank(const Decoration& decoration) {
  return std::make_tuple(decoration.major, decoration.minor, decoration.build, !decoration.architecture.empty());
}

}  // namespace

std::vector<InfModelsSection> ModelsSectionsFor(const InfFile& inf, const InfPlatform& platform) {
  std::vector<InfModelsSection> chosen;
  const auto* manufacturers = inf.Section(u"Manufacturer");
  if (!manufacturers) return chosen;
  for (const InfLine& line : *manufacturers) {
    if (line.values.empty() || line.values[0].empty()) continue;
    const ustring& base = line.values[0];
    std::optional<Decoration> best;
    ustring bestText;
    for (size_t i = 1; line.hasKey && i < line.values.size(); ++i) {
      auto decoration = ParseDecoration(line.values[i]);
      if (!decoration || !Matches(*decoration, platform)) continue;
      if (!best || Rank(*decoration) > Rank(*best)) {
        best = decoration;
        bestText = line.values[i];
      }
    }
    if (!best && platform.architecture != InfArchitecture::X86) continue;
    chosen.push_back({line.hasKey ? line.key : base, best ? base + u"." + bestText : base, line.number});
  }
  return chosen;
}

std::vector<InfModel> ModelsFor(const InfFile& inf, const InfPlatform& platform) {
  std::vector<InfModel> models;
  for (const InfModelsSection& section : ModelsSectionsFor(inf, platform)) {
    const auto* lines = inf.Section(section.name);
    if (!lines) continue;
    for (const InfLine& line : *lines) {
      if (!line.hasKey || line.values.empty()) continue;
      InfModel model{line.key, line.values[0], {}, section.name, line.number};
      for (size_t i = 1; i < line.values.size(); ++i) {
        if (!line.values[i].empty()) model.ids.push_back(line.values[i]);
      }
      models.push_back(std::move(model));
    }
  }
  return models;
}

std::vector<InfModel> FindModel(const InfFile& inf, const InfPlatform& platform, ustring_view name) {
  std::vector<InfModel> found;
  for (InfModel& model : ModelsFor(inf, platform)) {
    if (EqualsNoCase(model.name, name)) found.push_back(std::move(model));
  }
  return found;
}

std::optional<ustring> InstallSectionFor(const InfFile& inf, ustring_view installSection, const InfPlatform& platform) {
  const ustring base(installSection);
  for (const ustring& name : {base + u".NT" + ustring(ArchitectureName(platform.architecture)), base + u".NT", base}) {
    if (inf.Section(name)) return name;
  }
  return std::nullopt;
}

}  // namespace prn::config
