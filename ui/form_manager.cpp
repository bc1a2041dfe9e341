#include "ui/form_manager.h"

#include <ctime>

#include "removal/delete_printer_and_driver.h"
#include "spooler/printer_update.h"
#include "spooler/ports.h"
#include "spooler/printer_queries.h"
#include "sys/dialogs.h"
#include "sys/spooler.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/format.h"
#include "trace/trace.h"
#include "ui/background_work.h"
#include "ui/printer_change_watcher.h"

namespace prn::ui {

namespace {

constexpr char16_t kSection[] = u"Controls.Manager";
constexpr char16_t kMenuSection[] = u"Controls.Manager.pmPrinterOperate";
constexpr char16_t kUsbCheck[] = u"chkSetOnlineUSBSameTime";

ustring LocalTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return Format(u"%.2d:%.2d:%.2d", {local.tm_hour, local.tm_min, local.tm_sec});
}

}  // namespace

config::FormDescription ManagerFormDesign() {
  using config::ControlClass;
  config::FormDescription form;
  form.caption = u"FormManager";
  form.components = {
      {u"lvSystemPrinters", ControlClass::Other, {}, {}, {}, true},
      {u"lblPrinterPort", ControlClass::Label, u"lblPrinterPort", {}, {}, true},
      {u"cbbPrinterPort", ControlClass::Other, {}, {}, {}, true},
      {u"btnAddPort", ControlClass::Button, u"btnAddPort", {}, {}, true},
      {u"chkSetDefaultPrinter", ControlClass::CheckBox, u"设置为系统默认打印机", {}, {}, true},
      {kUsbCheck, ControlClass::CheckBox, kUsbCheck, {}, {}, true},
      {u"btnSet", ControlClass::Button, u"btnSet", {}, {}, true},
      {u"btnClose", ControlClass::Button, u"btnClose", {}, {}, true},
      {u"pmPrinterOperate", ControlClass::NonVisual, {}, {}, {}, true},
  };
  return form;
}

config::MenuDescription ManagerMenuDesign() {
  return {{{u"mniViewJobs", u"mniViewJobs"},
           {u"mniSetAsDefault", u"mniSetAsDefault"},
           {u"N1", u"-"},
           {u"mniOpenProperty", u"mniOpenProperty"},
           {u"mniOpenDocumentDefaults", u"mniOpenDocumentDefaults"},
           {u"mniPrintTestPage", u"mniPrintTestPage"},
           {u"N2", u"-"},
           {u"mniDelete", u"mniDelete"}}};
}

TFormManager::TFormManager(const ManagerMachine& machine, const config::TStrInstaller& texts,
                           const config::TLangOptions& lang, SystemPortList& systemPorts, int32_t winVer)
    : machine_(machine), texts_(texts), lang_(lang), systemPorts_(systemPorts), winVer_(winVer),
      tasks_(*machine.removal.platform.uiThread),
      clock_(LocalTimeText), form_(ManagerFormDesign()), menu_(ManagerMenuDesign()) {
  trace::Message(u"Create form -------> FormManager");
}

TFormManager::~TFormManager() {
  // The watcher goes first: nothing may be posted for a manager that is gone.
  m_tDetectPrinter.reset();
  tasks_.Close();
  trace::Message(u"Destroy form <------- FormManager");
}

bool TFormManager::WatcherStarted() const { return m_tDetectPrinter && m_tDetectPrinter->Started(); }

void TFormManager::FormShow() {
  trace::Scope scope(u"FormManager.FormShow");
  LoadCaptions();
  RefreshSystemPorts();
  RefreshSystemPrinters();
  if (!rows_.empty()) lvSystemPrintersSelectItem(m_iDefaultPrinter < 0 ? 0 : m_iDefaultPrinter);

  if (machine_.changes && !m_tDetectPrinter) {
    m_tDetectPrinter = std::make_unique<PrinterChangeWatcher>(*machine_.changes, [this](uint32_t change) {
      tasks_.Post([this, change] {
        PrinterChanged(change);
        if (updated_) updated_();
      });
    });
  }
  if (m_tDetectPrinter) m_tDetectPrinter->Start();
}

void TFormManager::LoadCaptions() {
  form_ = ManagerFormDesign();
  menu_ = ManagerMenuDesign();
  lang_.LoadControlsCaption(form_, kSection);
  lang_.LoadMenuCaption(menu_, kMenuSection);
  columnTitles_ = ColumnTitlesFromOption(lang_.GetOptionString(kSection, u"lvSystemPrintersTitles", u"32769"), kColumns);
  usbBaseCaption_ = form_.Find(kUsbCheck)->caption;
}

void TFormManager::RefreshSystemPorts() {
  trace::Scope scope(u"FormManager.RefreshSystemPorts");
  m_slOnlineUSBPort = machine_.usb ? ReadOnlineUsbPorts(*machine_.usb, *machine_.removal.platform.codePage)
                                   : OnlineUsbPorts{};
  const ustring* chosen = systemPorts_.At(portIndex_);
  const ustring remembered = chosen ? *chosen : ustring();
  systemPorts_.Reload(*machine_.removal.platform.spooler);
  const PortChoices choices = BuildPortChoices(systemPorts_, m_slOnlineUSBPort, texts_.HasConnectPrinter, usbBaseCaption_);
  portTexts_ = choices.texts;
  usbTag_ = choices.firstUsbPort;
  usbCaption_ = usbTag_ >= 0 ? choices.usbCaption : usbBaseCaption_;
  portIndex_ = remembered.empty() ? -1 : systemPorts_.IndexOf(remembered);
  ++portsRevision_;
}

void TFormManager::RefreshSystemPrinters() {
  std::lock_guard<std::mutex> hold(m_cs);
  const int remembered = selectedRow_;
  const ustring rememberedName = m_strSelectPrinter;
  PrinterRows built = BuildPrinterRows(*machine_.removal.platform.spooler, texts_);
  rows_ = std::move(built.rows);
  m_iDefaultPrinter = built.defaultIndex;
  ++rowsRevision_;
  // The chosen printer stays chosen when a printer sorted before it comes or
  // goes; only when it is gone does the remembered position count.
  int row = remembered < static_cast<int>(rows_.size()) ? remembered : -1;
  for (size_t i = 0; i < rows_.size() && !rememberedName.empty(); ++i) {
    if (rows_[i].name == rememberedName) row = static_cast<int>(i);
  }
  lvSystemPrintersSelectItem(row);
}

void TFormManager::lvSystemPrintersSelectItem(int row) {
  if (row < 0 || static_cast<size_t>(row) >= rows_.size()) {
    selectedRow_ = -1;
    m_strSelectPrinter.clear();
    return;
  }
  selectedRow_ = row;
  m_strSelectPrinter = rows_[static_cast<size_t>(row)].name;
  sys::Spooler& spooler = *machine_.removal.platform.spooler;
  auto printer = spooler.OpenPrinterHandle(m_strSelectPrinter);
  sys::PRINTER_INFO_2W info;
  portIndex_ = printer && printer->GetInfo2(info) ? systemPorts_.IndexOf(info.pPortName) : -1;
}

void TFormManager::btnSetClick() {
  if (busy_) return;
  const ustring* port = systemPorts_.At(portIndex_);
  if (m_strSelectPrinter.empty() || !port) return;
  const ustring printer = m_strSelectPrinter;
  const ustring portName = *port;
  sys::Spooler& spooler = *machine_.removal.platform.spooler;
  sys::LastError& lastError = *machine_.removal.platform.lastError;
  uint32_t failure = 0;
  if (setDefault_ && !spooler::SetDefaultPrinterName(spooler, printer)) failure = lastError.Get();
  if (!spooler::SetPrinterPort(spooler, printer, portName)) {
    if (!failure) failure = lastError.Get();
  } else {
    const ustring now = spooler::GetPrinterPort(spooler, lastError, printer);
    if (OnlineDescription(m_slOnlineUSBPort, now)) spooler::SetPrinterOnline(spooler, printer, true);
  }
  // The list shows the outcome at once, also where the spooler sends no change notifications.
  RefreshSystemPrinters();
  if (failure) ReportFailure(failure);
}

// A printer deleted since the list was built, or a spooler that refuses: the
// system's own text for the reason, in the system's language.
void TFormManager::ReportFailure(uint32_t code) {
  ustring text = machine_.removal.platform.system ? machine_.removal.platform.system->ErrorMessage(code) : ustring();
  if (text.empty()) text = Format(u"Windows error %u.", {static_cast<unsigned long long>(code)});
  Box(text, texts_.ErrorTitle, sys::mb::Ok | sys::mb::IconError);
}

void TFormManager::RunMenuAction(ManagerMenuAction action) {
  if (busy_ || m_strSelectPrinter.empty()) return;
  switch (action) {
    case ManagerMenuAction::ViewJobs: InvokeShell(sys::printaction::Open); break;
    case ManagerMenuAction::OpenProperty: InvokeShell(sys::printaction::Properties); break;
    case ManagerMenuAction::OpenDocumentDefaults: InvokeShell(sys::printaction::DocumentDefaults); break;
    case ManagerMenuAction::PrintTestPage:
      if (TestPageVisible()) InvokeShell(sys::printaction::TestPage);
      break;
    case ManagerMenuAction::SetAsDefault: {
      const bool done = spooler::SetDefaultPrinterName(*machine_.removal.platform.spooler, m_strSelectPrinter);
      const uint32_t failure = done ? 0 : machine_.removal.platform.lastError->Get();
      RefreshSystemPrinters();
      if (!done) ReportFailure(failure);
      break;
    }
    case ManagerMenuAction::Delete: DeleteSelectedPrinter(); break;
  }
}

void TFormManager::lvSystemPrintersDblClick() {
  if (!m_strSelectPrinter.empty()) InvokeShell(sys::printaction::Properties);
}

void TFormManager::InvokeShell(uint32_t action) {
  if (!machine_.printerCommands) return;
  if (!machine_.printerCommands->InvokePrinterCommand(window_, action, m_strSelectPrinter)) {
    const uint32_t failure = machine_.removal.platform.lastError->Get();
    trace::Format(u"SHInvokePrinterCommandW(%d, %s) failed: %u", {static_cast<int>(action), m_strSelectPrinter, failure});
    // A printer deleted meanwhile leaves the list now.
    if (!spooler::PrinterExists(*machine_.removal.platform.spooler, m_strSelectPrinter)) RefreshSystemPrinters();
    ReportFailure(failure);
  }
}

void TFormManager::lblPrinterPortDblClick() {
  hintShown_ = !hintShown_;
  if (!m_strSelectPrinter.empty()) spooler::SetPrinterOnline(*machine_.removal.platform.spooler, m_strSelectPrinter, true);
}

void TFormManager::PrinterChanged(uint32_t change) {
  RefreshSystemPrinters();
  hint_ += u" / " + clock_() + u" " + Format(u"%.8x", {static_cast<unsigned long long>(change)});
}

int TFormManager::Box(const ustring& text, const ustring& caption, uint32_t flags) {
  return machine_.removal.platform.dialogs->ShowMessage(window_, text, caption, flags);
}

void TFormManager::DeleteSelectedPrinter() {
  const ustring printer = m_strSelectPrinter;
  if (Box(texts_.DeletePrinterPrompt + printer, texts_.NoticeTitle, sys::mb::OkCancel | sys::mb::IconQuestion) !=
      sys::mb::IdOk)
    return;
  const int row = selectedRow_;
  auto code = std::make_shared<uint8_t>(removal::deletion::PrinterNotDeleted);
  auto work = [context = machine_.removal, printer, code] {
    bool deleteDriver = true;
    *code = removal::DeletePrinterAndDriver(context, u"", printer, deleteDriver);
  };
  // The window owns the work and drops its news once it goes, before this manager.
  auto done = [this, printer, code, row] {
    ShowDeletionResult(printer, *code, row);
    if (updated_) updated_();
  };
  if (!machine_.work) {
    work();
    done();
    return;
  }
  busy_ = true;
  machine_.work->Run(std::move(work), std::move(done));
}

void TFormManager::ShowDeletionResult(const ustring& printer, uint8_t code, int row) {
  busy_ = false;
  switch (code) {
    case removal::deletion::PrinterHasJobs:
      trace::Format(u"打印機（%s）還有打印任務，不能刪除！", {printer});
      Box(texts_.DeletePrinterIsPrinting, texts_.ErrorTitle, sys::mb::Ok | sys::mb::IconError);
      break;
    case removal::deletion::DriverNotDeleted:
      trace::Format(u"已刪除打印機（%s），但不能刪除其驅動程序！", {printer});
      Box(texts_.DeletePrinterDriverError, texts_.NoticeTitle, sys::mb::IconInformation);
      break;
    case removal::deletion::Deleted:
      Box(texts_.DeletePrinterSucceed, texts_.NoticeTitle, sys::mb::Ok);
      break;
    default:
      trace::Format(u"刪除打印機（%s）過程中出現意外錯誤！", {printer});
      Box(texts_.DeletePrinterError, texts_.ErrorTitle, sys::mb::Ok | sys::mb::IconError);
      break;
  }
  RefreshSystemPrinters();
  // The same position again, or the last row when the list became shorter.
  const int last = static_cast<int>(rows_.size()) - 1;
  lvSystemPrintersSelectItem(row <= last ? row : last);
}

}  // namespace prn::ui
