#include "config/window_description.h"

namespace prn::config {

const ControlDescription* FormDescription::Find(ustring_view name) const {
  for (const auto& control : components) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

ControlDescription* FormDescription::Find(ustring_view name) {
  return const_cast<ControlDescription*>(static_cast<const FormDescription&>(*this).Find(name));
}

}  // namespace prn::config
