#pragma once
// A portable picture of a window's controls and a pop-up menu, so that
// captions from the language file can be applied and tested without Windows.
// The Win32 views copy the result onto the real controls.

#include <vector>

#include "text/ustring.h"

namespace prn::config {

enum class ControlClass {
  Button,        // push button
  BitmapButton,
  Label,
  CheckBox,
  TabSheet,
  Edit,          // single-line edit
  GroupBox,
  Other,         // panels, list views, radio groups, status bars, …
  NonVisual,     // timers, dialogs, image lists: no caption at all
};

struct ControlDescription {
  ustring name;
  ControlClass kind = ControlClass::Other;
  ustring caption;
  ustring text;
  ustring hint;
  bool visible = true;
};

struct FormDescription {
  ustring caption;
  std::vector<ControlDescription> components;  // in the form's component order

  const ControlDescription* Find(ustring_view name) const {
    for (const auto& control : components) {
      if (control.name == name) return &control;
    }
    return nullptr;
  }
  ControlDescription* Find(ustring_view name) {
    return const_cast<ControlDescription*>(static_cast<const FormDescription&>(*this).Find(name));
  }
};

struct MenuItemDescription {
  ustring name;
  ustring caption;  // "-" is a separator
};

struct MenuDescription {
  std::vector<MenuItemDescription> items;  // top-level items in order
};

}  // namespace prn::config
