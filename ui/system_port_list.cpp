#include "ui/system_port_list.h"

#include <algorithm>

#include "sys/spooler.h"
#include "text/ascii.h"

namespace prn::ui {

namespace {
bool LessNoCase(const ustring& a, const ustring& b) {
  const ustring upperA = AsciiUpper(a);
  const ustring upperB = AsciiUpper(b);
  return upperA != upperB ? upperA < upperB : a < b;
}
}  // namespace

void SystemPortList::Assign(StringList names) {
  std::sort(names.begin(), names.end(), LessNoCase);
  names_ = std::move(names);
}

bool SystemPortList::Reload(sys::Spooler& spooler) {
  auto ports = spooler.EnumeratePorts2();
  StringList names;
  if (ports.ok) {
    for (const auto& port : ports.records) names.push_back(port.pPortName);
  }
  Assign(std::move(names));
  return ports.ok;
}

int SystemPortList::IndexOf(ustring_view name) const {
  for (size_t i = 0; i < names_.size(); ++i) {
    if (EqualsNoCase(names_[i], name)) return static_cast<int>(i);
  }
  return -1;
}

const ustring* SystemPortList::At(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= names_.size()) return nullptr;
  return &names_[static_cast<size_t>(index)];
}

}  // namespace prn::ui
