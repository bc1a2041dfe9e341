#include "ui/form_add_net_port.h"

#include "spooler/ports.h"
#include "sys/win_errors.h"
#include "trace/trace.h"

namespace prn::ui {

config::FormDescription AddNetPortFormDesign() {
  using config::ControlClass;
  config::FormDescription form;
  form.caption = u"FormAddNetPort";
  form.components = {
      {u"lblPortName", ControlClass::Label, u"lblPortName", {}, {}, true},
      {u"medtPortName", ControlClass::Other, {}, kDefaultNetAddress, {}, true},
      {u"lblIP", ControlClass::Label, u"lblIP", {}, {}, true},
      {u"medtIP", ControlClass::Other, {}, kDefaultNetAddress, {}, true},
      {u"btnAdd", ControlClass::Button, u"btnAdd", {}, {}, true},
      {u"btnClose", ControlClass::Button, u"btnClose", {}, {}, true},
  };
  return form;
}

TFormAddNetPort::TFormAddNetPort(sys::Spooler& spooler, sys::LastError& lastError, sys::Dialogs& dialogs,
                                 const config::TStrInstaller& texts, const config::TLangOptions& lang,
                                 const SystemPortList& systemPorts)
    : spooler_(spooler), lastError_(lastError), dialogs_(dialogs), texts_(texts), lang_(lang),
      systemPorts_(systemPorts), form_(AddNetPortFormDesign()) {}

void TFormAddNetPort::FormShow() {
  form_ = AddNetPortFormDesign();
  lang_.LoadControlsCaption(form_, u"Controls.AddPort");
  medtPortNameChange(portName_);
}

void TFormAddNetPort::medtPortNameChange(const ustring& portName) {
  portName_ = portName;
  if (systemPorts_.IndexOf(portName) < 0) addEnabled_ = true;
}

bool TFormAddNetPort::btnAddClick(const ustring& portName, const ustring& hostAddress) {
  portName_ = portName;
  host_ = hostAddress;
  // AddTcpIpPort refuses a name or host that does not fit the monitor's request.
  const bool added = spooler::AddTcpIpPort(spooler_, lastError_, portName, hostAddress);
  if (added) {
    dialogs_.ShowMessage(window_, texts_.AddPortSucced, texts_.NoticeTitle, sys::mb::IconInformation);
  } else {
    trace::Format(u"AddTcpIpPort(%s, %s) failed: %d", {portName, hostAddress, static_cast<long long>(lastError_.Get())});
    dialogs_.ShowMessage(window_, texts_.AddPortFail, texts_.ErrorTitle, sys::mb::IconError);
  }
  return added;
}

}  // namespace prn::ui
