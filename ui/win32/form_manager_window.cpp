#include "ui/win32/form_manager_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "sys/win32/text.h"
#include "ui/win32/drawn_pictures.h"

namespace prn::ui {

namespace {

constexpr int kOuterWidth = 556;
constexpr int kClientHeight = 372;
constexpr int kColumnWidths[TFormManager::kColumns] = {280, 130, 100};
constexpr int kComboRows = 20;

struct MenuEntry {
  const char16_t* name;
  ManagerMenuAction action;
};
constexpr MenuEntry kMenuEntries[] = {
    {u"mniViewJobs", ManagerMenuAction::ViewJobs},
    {u"mniSetAsDefault", ManagerMenuAction::SetAsDefault},
    {u"mniOpenProperty", ManagerMenuAction::OpenProperty},
    {u"mniOpenDocumentDefaults", ManagerMenuAction::OpenDocumentDefaults},
    {u"mniPrintTestPage", ManagerMenuAction::PrintTestPage},
    {u"mniDelete", ManagerMenuAction::Delete},
};

const MenuEntry* EntryNamed(ustring_view name) {
  for (const auto& entry : kMenuEntries) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

ustring CaptionOf(const config::FormDescription& form, ustring_view name) {
  const auto* control = form.Find(name);
  return control ? control->caption : ustring();
}

}  // namespace

FormManagerWindow::FormManagerWindow(HINSTANCE instance, const ManagerParts& parts, bool mainWindow, HWND owner)
    : instance_(instance), mainWindow_(mainWindow) {
  const sys::Platform& platform = parts.machine.removal.platform;
  tasks_ = std::make_unique<sys::UiTasks>(*platform.uiThread);
  work_ = std::make_unique<ThreadedWork>(*tasks_);
  ManagerMachine machine = parts.machine;
  machine.work = work_.get();
  model_ = std::make_unique<TFormManager>(machine, *parts.texts, *parts.lang, *parts.systemPorts, parts.winVer);
  addPortModel_ = std::make_unique<TFormAddNetPort>(*platform.spooler, *platform.lastError, *platform.dialogs,
                                                    *parts.texts, *parts.lang, *parts.systemPorts);
  Creation creation;
  creation.instance = instance;
  creation.className = L"TFormManager";
  creation.title = L"FormManager";
  creation.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  creation.exStyle = mainWindow ? WS_EX_APPWINDOW : 0;
  creation.parent = owner;
  CreateWindowFor(creation);
  model_->AttachWindow(reinterpret_cast<sys::WindowHandle>(Handle()));
  model_->OnUpdated([this] { Render(); });
  CreateControls();
  ApplyDpi(DpiOfWindow(Handle()));

  usb_ = std::make_unique<TComponentUSB>(instance, true);
  usb_->FOnUSBArrival = usb_->FOnUSBRemove = [this] {
    model_->RefreshSystemPorts();
    Render();
  };
}

FormManagerWindow::~FormManagerWindow() {
  usb_.reset();
  tasks_->Close();
  work_.reset();   // a deletion under way is finished first
  model_.reset();  // the watcher ends here; what it still posts is dropped
  if (HWND window = Handle()) DestroyWindow(window);
}

void FormManagerWindow::CreateControls() {
  HWND window = Handle();
  auto add = [&](const wchar_t* cls, DWORD style, int id, DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  };
  HWND list = add(WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                  manager_id::Printers, WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (int column = 0; column < static_cast<int>(TFormManager::kColumns); ++column) {
    LVCOLUMNW lvColumn{};
    lvColumn.mask = LVCF_WIDTH | LVCF_TEXT;
    lvColumn.pszText = const_cast<wchar_t*>(L"");
    lvColumn.cx = kColumnWidths[column];
    ListView_InsertColumn(list, column, &lvColumn);
  }
  add(L"STATIC", SS_LEFT | SS_NOTIFY | SS_CENTERIMAGE, manager_id::PortLabel);
  add(WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, manager_id::Ports);
  add(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, manager_id::AddPort);
  add(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, manager_id::SetDefault);
  // Zero wide: the keyboard never lands on it.
  add(L"BUTTON", BS_AUTOCHECKBOX, manager_id::OnlineUsb);
  // No default button: Enter presses the focused button only.
  add(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, manager_id::Set);
  add(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, manager_id::Close);
  enter_.emplace(window, 0);
  SendMessageW(Item(manager_id::Ports), CB_SETMINVISIBLE, kComboRows, 0);

  // The port label's hint: the log of spooler changes, shown after a double-click.
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                             0, window, nullptr, instance_, nullptr);
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(Item(manager_id::PortLabel));
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_ACTIVATE, FALSE, 0);
}

void FormManagerWindow::ApplyDpi(int dpi) {
  const DpiScale scale{dpi};
  font_ = CreateDialogFont(dpi);
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  }
  images_ = CreatePrinterImages(dpi);
  HWND list = Item(manager_id::Printers);
  ListView_SetImageList(list, images_.Get(), LVSIL_SMALL);
  for (int column = 0; column < static_cast<int>(TFormManager::kColumns); ++column) {
    ListView_SetColumnWidth(list, column, scale(kColumnWidths[column]));
  }
  RECT frame{0, 0, scale(kOuterWidth), scale(kClientHeight)};
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  RECT client = frame;
  AdjustWindowRectEx(&client, style, FALSE, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
  // The outer width is as designed; the height follows from the client area.
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right, client.bottom - client.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void FormManagerWindow::Layout() {
  const DpiScale scale = Scale();
  RECT client;
  GetClientRect(Handle(), &client);
  const int width = MulDiv(client.right, kDesignDpi, scale.dpi);  // in 96-dpi units
  const int right = width - 8;
  PlaceControl(Item(manager_id::Printers), {8, 8, right - 8, 250}, scale);
  PlaceControl(Item(manager_id::PortLabel), {8, 268, 150, 24}, scale);
  PlaceControl(Item(manager_id::Ports), {160, 268, right - 160 - 124, 24 * kComboRows}, scale);
  PlaceControl(Item(manager_id::AddPort), {right - 116, 266, 116, 28}, scale);
  PlaceControl(Item(manager_id::SetDefault), {8, 302, 300, 22}, scale);
  // Shown at zero width: it names the first attached USB port, nothing reads it.
  PlaceControl(Item(manager_id::OnlineUsb), {312, 302, 0, 22}, scale);
  PlaceControl(Item(manager_id::Set), {right - 196, 334, 92, 28}, scale);
  PlaceControl(Item(manager_id::Close), {right - 96, 334, 96, 28}, scale);
}

void FormManagerWindow::Show() {
  model_->FormShow();
  Render();
  // Over the installer window that opens it, else on its own monitor.
  CentreWindow(Handle(), GetWindow(Handle(), GW_OWNER));
  ShowWindow(Handle(), SW_SHOWNORMAL);
  SetFocus(Item(manager_id::Printers));
}

void FormManagerWindow::Render() {
  rendering_ = true;
  RenderCaptions();
  RenderPorts();
  RenderRows();
  const TFormManager& model = *model_;
  // Painted but closed to input while a deletion runs.
  EnableWindow(Handle(), model.Busy() ? FALSE : TRUE);
  const bool chosen = model.SelectionControlsVisible();
  ShowWindow(Item(manager_id::Set), chosen ? SW_SHOW : SW_HIDE);
  EnableWindow(Item(manager_id::Set), model.SetEnabled());
  ShowWindow(Item(manager_id::SetDefault), chosen ? SW_SHOW : SW_HIDE);
  Button_SetCheck(Item(manager_id::SetDefault), model.SetDefaultTicked() ? BST_CHECKED : BST_UNCHECKED);
  ShowWindow(Item(manager_id::OnlineUsb), model.UsbCheckVisible() ? SW_SHOW : SW_HIDE);
  Button_SetCheck(Item(manager_id::OnlineUsb), model.UsbCheckVisible() ? BST_CHECKED : BST_UNCHECKED);
  SetControlText(Item(manager_id::OnlineUsb), model.UsbCheckCaption());

  std::wstring hint = win32::Wide(model.Hint());
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(Item(manager_id::PortLabel));
  tool.lpszText = hint.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_ACTIVATE, model.HintShown() ? TRUE : FALSE, 0);
  rendering_ = false;
}

void FormManagerWindow::RenderCaptions() {
  const config::FormDescription& form = model_->Form();
  SetControlText(Handle(), form.caption);
  const std::pair<const char16_t*, int> captions[] = {{u"lblPrinterPort", manager_id::PortLabel},
                                                      {u"btnAddPort", manager_id::AddPort},
                                                      {u"chkSetDefaultPrinter", manager_id::SetDefault},
                                                      {u"btnSet", manager_id::Set},
                                                      {u"btnClose", manager_id::Close}};
  for (const auto& [name, id] : captions) SetControlText(Item(id), CaptionOf(form, name));
  HWND list = Item(manager_id::Printers);
  const StringList& titles = model_->ColumnTitles();
  for (size_t column = 0; column < titles.size(); ++column) {
    std::wstring text = win32::Wide(titles[column]);
    LVCOLUMNW lvColumn{};
    lvColumn.mask = LVCF_TEXT;
    lvColumn.pszText = text.data();
    ListView_SetColumn(list, static_cast<int>(column), &lvColumn);
  }
}

void FormManagerWindow::RenderRows() {
  HWND list = Item(manager_id::Printers);
  if (renderedRows_ != model_->RowsRevision()) {
    renderedRows_ = model_->RowsRevision();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    int index = 0;
    for (const PrinterRow& row : model_->Rows()) {
      std::wstring name = win32::Wide(row.name), port = win32::Wide(row.port), status = win32::Wide(row.status);
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = index++;
      item.pszText = name.data();
      item.iImage = row.image;
      const int at = ListView_InsertItem(list, &item);
      ListView_SetItemText(list, at, 1, port.data());
      ListView_SetItemText(list, at, 2, status.data());
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }
  const int selected = model_->SelectedRow();
  if (ListView_GetNextItem(list, -1, LVNI_SELECTED) != selected) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (selected >= 0) {
      ListView_SetItemState(list, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(list, selected, FALSE);
    }
  }
}

void FormManagerWindow::RenderPorts() {
  HWND combo = Item(manager_id::Ports);
  if (renderedPorts_ != model_->PortsRevision()) {
    renderedPorts_ = model_->PortsRevision();
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const ustring& text : model_->PortTexts()) {
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::W(text)));
    }
  }
  if (SendMessageW(combo, CB_GETCURSEL, 0, 0) != model_->PortIndex()) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(model_->PortIndex()), 0);
  }
}

LRESULT FormManagerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == Item(manager_id::Printers)) {
        OpenPopupMenu(lParam);
        return 0;
      }
      break;
    case kDpiChanged: {
      const int dpi = MoveToSuggestedRect(Handle(), wParam, lParam);
      ApplyDpi(dpi);
      return 0;
    }
    default:
      if (EndsOrHides(message, mainWindow_)) return 0;
      break;
  }
  return Default(message, wParam, lParam);
}

void FormManagerWindow::OnCommand(int id, int code) {
  if (rendering_) return;
  if (code == BN_SETFOCUS || code == BN_KILLFOCUS) {
    enter_->OnFocusChange(Item(id), code);
    return;
  }
  if (id == IDOK) {  // Enter
    if (HWND target = enter_->Target()) PressButton(Handle(), target);
    return;
  }
  TFormManager& model = *model_;
  if (id >= manager_id::MenuFirst && id < manager_id::MenuFirst + static_cast<int>(std::size(kMenuEntries))) {
    if (model.SelectionControlsVisible()) model.RunMenuAction(static_cast<ManagerMenuAction>(id - manager_id::MenuFirst));
    Render();
    return;
  }
  switch (id) {
    case manager_id::Ports:
      if (code != CBN_SELCHANGE) return;
      model.cbbPrinterPortSelect(static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)));
      break;
    case manager_id::SetDefault:
      if (code != BN_CLICKED) return;
      model.chkSetDefaultPrinterClick(Button_GetCheck(Item(id)) == BST_CHECKED);
      break;
    case manager_id::Set:
      if (code != BN_CLICKED) return;
      model.btnSetClick();
      break;
    case manager_id::AddPort: {
      if (code != BN_CLICKED) return;
      FormAddNetPortDialog dialog(*addPortModel_);
      dialog.Show(instance_, Handle());
      model.RefreshSystemPorts();
      break;
    }
    case manager_id::PortLabel:
      if (code != STN_DBLCLK) return;
      model.lblPrinterPortDblClick();
      break;
    case manager_id::Close:
    case IDCANCEL:
      if (code == BN_CLICKED) PostMessageW(Handle(), WM_CLOSE, 0, 0);
      return;
    default:
      return;
  }
  Render();
}

LRESULT FormManagerWindow::OnNotify(const NMHDR& header) {
  if (rendering_ || header.idFrom != static_cast<UINT_PTR>(manager_id::Printers)) return 0;
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) || !((change.uOldState ^ change.uNewState) & LVIS_SELECTED)) return 0;
    const int selected = ListView_GetNextItem(header.hwndFrom, -1, LVNI_SELECTED);
    if (selected != model_->SelectedRow()) {
      model_->lvSystemPrintersSelectItem(selected);
      Render();
    }
  } else if (header.code == NM_DBLCLK) {
    if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) model_->lvSystemPrintersDblClick();
    Render();
  }
  return 0;
}

void FormManagerWindow::OpenPopupMenu(LPARAM where) {
  if (!model_->SelectionControlsVisible()) return;  // without a printer the menu does not open
  PopupMenu menu(CreatePopupMenu());
  bool separatorDue = false;
  for (const auto& item : model_->Menu().items) {
    if (item.caption == u"-") {
      separatorDue = GetMenuItemCount(menu.Get()) > 0;
      continue;
    }
    const MenuEntry* entry = EntryNamed(item.name);
    if (!entry || (entry->action == ManagerMenuAction::PrintTestPage && !model_->TestPageVisible())) continue;
    if (separatorDue) AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    separatorDue = false;
    AppendMenuW(menu.Get(), MF_STRING, manager_id::MenuFirst + static_cast<int>(entry->action), win32::W(item.caption));
  }
  POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (where == -1) {  // from the keyboard: at the selected row
    RECT row{};
    ListView_GetItemRect(Item(manager_id::Printers), model_->SelectedRow(), &row, LVIR_LABEL);
    point = POINT{row.left, row.bottom};
    ClientToScreen(Item(manager_id::Printers), &point);
  }
  TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
}

}  // namespace prn::ui
