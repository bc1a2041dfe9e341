#pragma once
// The system's port names, sorted as the port combo box lists them, so that
// combo item i names port i. The add-port dialog reads it to refuse a name
// that exists.

#include "text/ustring.h"

namespace prn::sys {
class Spooler;
}

namespace prn::ui {

class SystemPortList {
 public:
  // Sorted without regard to letter case.
  void Assign(StringList names);
  // Reads the spooler's ports; false (and the list empty) when it refuses.
  bool Reload(sys::Spooler& spooler);

  // Case-insensitive lookup; -1 when absent.
  int IndexOf(ustring_view name) const;
  // The name at `index`, or nothing for an index outside the list.
  const ustring* At(int index) const;
  const StringList& Names() const { return names_; }

 private:
  StringList names_;
};

}  // namespace prn::ui
