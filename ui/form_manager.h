#pragma once
// The printer and port manager: the system's printers with their ports and
// states, moving the chosen printer to another port, the default printer,
// the system's printer dialogs, deletion, and a log of spooler changes.
// All of it runs on the window thread; the spooler watcher only posts.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "config/lang_options.h"
#include "config/window_description.h"
#include "removal/delete_printer_and_driver.h"
#include "sys/dialogs.h"
#include "ui/port_choices.h"
#include "ui/printer_rows.h"
#include "ui/system_port_list.h"
#include "sys/ui_thread.h"

namespace prn::sys {
class PrinterChangeSource;
class PrinterCommands;
}  // namespace prn::sys

namespace prn::ui {

class BackgroundWork;
class PrinterChangeWatcher;

// What the manager reaches of the machine.
struct ManagerMachine {
  removal::RemovalContext removal;  // spooler, dialogs, last error, code page, processes, …
  sys::UsbPortLibrary* usb = nullptr;
  sys::PrinterCommands* printerCommands = nullptr;
  sys::PrinterChangeSource* changes = nullptr;  // null: no automatic refresh
  BackgroundWork* work = nullptr;  // where a deletion runs; null: on the window thread
};

enum class ManagerMenuAction { ViewJobs, SetAsDefault, OpenProperty, OpenDocumentDefaults, PrintTestPage, Delete };

class TFormManager {
 public:
  static constexpr size_t kColumns = 3;

  TFormManager(const ManagerMachine& machine, const config::TStrInstaller& texts,
               const config::TLangOptions& lang, SystemPortList& systemPorts, int32_t winVer);
  ~TFormManager();
  TFormManager(const TFormManager&) = delete;
  TFormManager& operator=(const TFormManager&) = delete;

  // The window's handle, owner of the message boxes and printer dialogs.
  void AttachWindow(sys::WindowHandle window) { window_ = window; }
  // Runs on the window thread after news from another thread (a spooler
  // change, a finished deletion) has changed the model.
  void OnUpdated(std::function<void()> updated) { updated_ = std::move(updated); }

  // Every showing: captions, both lists, the default printer selected, the
  // spooler watcher started (once, however often the window is shown).
  void FormShow();
  // Selecting a row (-1: none) reads the printer's port into the combo box.
  void lvSystemPrintersSelectItem(int row);
  void cbbPrinterPortSelect(int index) { portIndex_ = index; }
  void chkSetDefaultPrinterClick(bool ticked) { setDefault_ = ticked; }
  // Default printer (when ticked), port, and online for an attached USB
  // port. Nothing happens without a printer and a listed port.
  void btnSetClick();
  void RunMenuAction(ManagerMenuAction action);
  void lvSystemPrintersDblClick();
  void lblPrinterPortDblClick();
  void RefreshSystemPorts();
  void RefreshSystemPrinters();
  // A spooler change, delivered on the window thread.
  void PrinterChanged(uint32_t change);

  // What the view renders.
  const config::FormDescription& Form() const { return form_; }
  const config::MenuDescription& Menu() const { return menu_; }
  const StringList& ColumnTitles() const { return columnTitles_; }
  const std::vector<PrinterRow>& Rows() const { return rows_; }
  int SelectedRow() const { return selectedRow_; }
  const ustring& SelectedPrinter() const { return m_strSelectPrinter; }
  const StringList& PortTexts() const { return portTexts_; }
  int PortIndex() const { return portIndex_; }
  bool SetDefaultTicked() const { return setDefault_; }
  bool SelectionControlsVisible() const { return selectedRow_ >= 0; }  // Set, the check boxes, the menu
  bool SetEnabled() const { return selectedRow_ >= 0 && systemPorts_.At(portIndex_) != nullptr; }
  bool UsbCheckVisible() const { return selectedRow_ >= 0 && usbTag_ >= 0; }
  const ustring& UsbCheckCaption() const { return usbCaption_; }
  bool TestPageVisible() const { return winVer_ >= 60; }
  bool HintShown() const { return hintShown_; }
  const ustring& Hint() const { return hint_; }
  int DefaultRow() const { return m_iDefaultPrinter; }
  // Counters that move whenever the rows or the port texts were rebuilt.
  uint64_t RowsRevision() const { return rowsRevision_; }
  uint64_t PortsRevision() const { return portsRevision_; }
  bool WatcherStarted() const;
  // A deletion is under way: the window takes no input until it has ended.
  bool Busy() const { return busy_; }

  // The time text of the change log ("hh:mm:ss" local time by default).
  void SetClock(std::function<ustring()> clock) { clock_ = std::move(clock); }

 private:
  void LoadCaptions();
  void DeleteSelectedPrinter();
  void ShowDeletionResult(const ustring& printer, uint8_t code, int row);
  void InvokeShell(uint32_t action);
  void ReportFailure(uint32_t code);
  int Box(const ustring& text, const ustring& caption, uint32_t flags);

  ManagerMachine machine_;
  const config::TStrInstaller& texts_;
  const config::TLangOptions& lang_;
  SystemPortList& systemPorts_;
  int32_t winVer_;
  // The watcher's news of the spooler, for the window thread; dropped once the manager goes.
  sys::UiTasks tasks_;
  std::function<void()> updated_;
  sys::WindowHandle window_ = 0;
  std::function<ustring()> clock_;

  std::mutex m_cs;  // one rebuild of the printer list at a time
  ustring m_strSelectPrinter;
  OnlineUsbPorts m_slOnlineUSBPort;
  int m_iDefaultPrinter = -1;
  std::unique_ptr<PrinterChangeWatcher> m_tDetectPrinter;

  config::FormDescription form_;
  config::MenuDescription menu_;
  StringList columnTitles_;
  ustring usbBaseCaption_;
  std::vector<PrinterRow> rows_;
  int selectedRow_ = -1;
  StringList portTexts_;
  int portIndex_ = -1;
  bool setDefault_ = true;
  int usbTag_ = -1;
  ustring usbCaption_;
  bool hintShown_ = false;
  ustring hint_;
  uint64_t rowsRevision_ = 0;
  uint64_t portsRevision_ = 0;
  bool busy_ = false;
};

// The form's controls and menu as designed, before the language file.
config::FormDescription ManagerFormDesign();
config::MenuDescription ManagerMenuDesign();

}  // namespace prn::ui
