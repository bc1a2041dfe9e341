#include "sim/inf_models.h"

#include "text/ascii.h"

namespace prn::sim {

namespace {

ustring Unquoted(ustring text) {
  text = Trim(text);
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') text = text.substr(1, text.size() - 2);
  return text;
}

// "%Key%" stands for the value of Key in [Strings].
ustring Resolved(const config::ProfileFile& inf, const ustring& text) {
  ustring plain = Unquoted(text);
  if (plain.size() >= 2 && plain.front() == u'%' && plain.back() == u'%') {
    if (auto value = inf.Find(u"Strings", plain.substr(1, plain.size() - 2))) return Unquoted(*value);
  }
  return plain;
}

StringList CommaItems(const ustring& value) {
  StringList items;
  size_t start = 0;
  for (;;) {
    size_t comma = value.find(u',', start);
    items.push_back(Trim(ustring_view(value).substr(start, comma == ustring::npos ? ustring::npos : comma - start)));
    if (comma == ustring::npos) return items;
    start = comma + 1;
  }
}

StringList ModelSections(const config::ProfileFile& inf) {
  StringList sections;
  const auto* manufacturers = inf.Entries(u"Manufacturer");
  if (!manufacturers) return sections;
  for (const auto& entry : *manufacturers) {
    StringList items = CommaItems(entry.value.empty() ? entry.key : entry.value);
    if (items.empty() || items[0].empty()) continue;
    sections.push_back(items[0]);
    for (size_t i = 1; i < items.size(); ++i) sections.push_back(items[0] + u"." + items[i]);
  }
  return sections;
}

template <typename Matches>
std::optional<InfModel> FindModel(const config::ProfileFile& inf, Matches matches) {
  for (const ustring& section : ModelSections(inf)) {
    const auto* models = inf.Entries(section);
    if (!models) continue;
    for (const auto& entry : *models) {
      ustring name = Resolved(inf, entry.key);
      const StringList items = CommaItems(entry.value);
      if (!matches(name, items)) continue;
      InfModel model{name, items[0], u""};
      if (auto dataFile = inf.Find(model.installSection, u"DataFile")) model.dataFile = Unquoted(*dataFile);
      return model;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<InfModel> FindInfModel(const config::ProfileFile& inf, ustring_view modelName) {
  return FindModel(inf, [&](const ustring& name, const StringList&) { return EqualsNoCase(name, modelName); });
}

std::optional<InfModel> FindInfModelForDevice(const config::ProfileFile& inf, const StringList& hardwareIds) {
  return FindModel(inf, [&](const ustring&, const StringList& items) {
    for (size_t i = 1; i < items.size(); ++i) {
      for (const ustring& id : hardwareIds) {
        if (EqualsNoCase(items[i], id)) return true;
      }
    }
    return false;
  });
}

}  // namespace prn::sim
