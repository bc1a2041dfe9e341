#include "config/window_description.h"

namespace prn::config {

ControlDescription* FormDescription::Find(ustring_view name) {
  for (auto& control : components) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

}  // namespace prn::config
