#pragma once
// The add-network-port dialog: a raw TCP/IP port from a port name and a
// printer host. Add becomes usable once the typed name is not a system port,
// and stays so; the dialog stays open after each attempt.

#include "config/lang_options.h"
#include "config/window_description.h"
#include "sys/dialogs.h"
#include "ui/system_port_list.h"

namespace prn::sys {
class LastError;
class Spooler;
}  // namespace prn::sys

namespace prn::ui {

inline constexpr char16_t kDefaultNetAddress[] = u"10.0.0.1";

class TFormAddNetPort {
 public:
  TFormAddNetPort(sys::Spooler& spooler, sys::LastError& lastError, sys::Dialogs& dialogs,
                  const config::TStrInstaller& texts, const config::TLangOptions& lang,
                  const SystemPortList& systemPorts);

  void AttachWindow(sys::WindowHandle window) { window_ = window; }

  // Captions, then the enable rule once for the name as it stands.
  void FormShow();
  void medtPortNameChange(const ustring& portName);
  // True when the port was added; a box says how it went either way.
  bool btnAddClick(const ustring& portName, const ustring& hostAddress);

  const config::FormDescription& Form() const { return form_; }
  bool AddEnabled() const { return addEnabled_; }
  const ustring& PortNameText() const { return portName_; }
  const ustring& HostText() const { return host_; }

 private:
  sys::Spooler& spooler_;
  sys::LastError& lastError_;
  sys::Dialogs& dialogs_;
  const config::TStrInstaller& texts_;
  const config::TLangOptions& lang_;
  const SystemPortList& systemPorts_;
  sys::WindowHandle window_ = 0;
  config::FormDescription form_;
  ustring portName_ = kDefaultNetAddress;
  ustring host_ = kDefaultNetAddress;
  bool addEnabled_ = false;
};

config::FormDescription AddNetPortFormDesign();

}  // namespace prn::ui
