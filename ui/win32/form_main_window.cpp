#include "ui/win32/form_main_window.h"

#include <commctrl.h>

#include <future>

#include "sys/win32/win32_text.h"
#include "text/format.h"
#include "ui/win32/control_text.h"
#include "ui/win32/picture_file.h"
#include "ui/win32/welcome_window.h"

namespace prn::ui {

namespace {

constexpr UINT kHostMessageFirst = 0x401;
constexpr UINT kHostMessageLast = 0x402;
// FormActivate runs after the activation has been handled, not inside it.
constexpr UINT kBeginActivation = WM_APP + 2;
constexpr UINT_PTR kWatchdogTimer = 1;
constexpr UINT_PTR kHintsTimer = 2;
constexpr UINT_PTR kFadeTimer = 3;
constexpr UINT kWatchdogMs = 5000;
constexpr UINT kHintsMs = 500;
constexpr int kClientWidth = 600;  // 96-dpi units
constexpr int kClientHeight = 469;
constexpr int kTitleHeight = 72;
constexpr int kLogoBox = 56;
constexpr int kGuideWidth = 110;
constexpr int kQuickGuideWidth = 100;
constexpr int kLinkWidth = 110;

int LabelId(DocumentLabel label) {
  switch (label) {
    case DocumentLabel::Guide: return form_main_id::Guide;
    case DocumentLabel::QuickGuide: return form_main_id::QuickGuide;
    case DocumentLabel::Manual: return form_main_id::Manual;
  }
  return 0;
}

DocumentLabel LabelOf(int id) {
  return id == form_main_id::Guide ? DocumentLabel::Guide
         : id == form_main_id::QuickGuide ? DocumentLabel::QuickGuide
                                          : DocumentLabel::Manual;
}

ustring CaptionOf(const config::FormDescription& form, ustring_view name) {
  const auto* control = form.Find(name);
  if (!control) return {};
  return control->kind == config::ControlClass::Edit ? control->text : control->caption;
}

bool VisibleIn(const config::FormDescription& form, ustring_view name) {
  const auto* control = form.Find(name);
  return !control || control->visible;
}

}  // namespace

FormMainWindow::FormMainWindow(HINSTANCE instance, const sys::Platform& platform, const app::ProcessValues& values,
                               std::function<void()> showManager)
    : instance_(instance), values_(values), showManager_(std::move(showManager)), tasks_(*platform.uiThread) {
  model_ = std::make_unique<FormMainModel>(view_, values, platform);
  design_ = FormMainDesign();
  model_->FormCreate(design_);
  // A logo file decodes on a worker while the window and its controls are made.
  std::future<GdiBitmap> logo = StartLogoLoad();

  Creation creation;
  creation.instance = instance;
  creation.className = L"TFormMain";
  const std::wstring title = win32::Wide(design_.caption);
  creation.title = title.c_str();
  // Without WS_CLIPCHILDREN: the group frame leaves its inside to the form to paint.
  creation.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  // A brand that fades in stays fully transparent until FormActivate has
  // done so; a layered window would cost the others a second full paint.
  const bool fades = model_->FadesIn();
  creation.exStyle = WS_EX_APPWINDOW | (fades ? WS_EX_LAYERED : 0);
  CreateWindowFor(creation);
  if (fades) SetLayeredWindowAttributes(WindowBase::Handle(), 0, 0, LWA_ALPHA);

  CreateControls();
  ShowLogo(logo.get());
  ApplyDpi(DpiOfWindow(WindowBase::Handle()));
}

FormMainWindow::~FormMainWindow() {
  // What is still posted for this window is dropped, and a run ends before the window it reports to.
  tasks_.Close();
  changeMonitor_.reset();
  model_.reset();
  if (HWND window = WindowBase::Handle()) DestroyWindow(window);
}

void FormMainWindow::Show() {
  // Without the welcome, the first FormActivate runs just before the window
  // shows: the list and the model's texts are then in its first paint instead
  // of being drawn over it a moment later.
  if (!activated_ && !model_->FadesIn()) {
    activated_ = true;
    BeginActivation();
  }
  ShowWindow(WindowBase::Handle(), SW_SHOWNORMAL);
}

void FormMainWindow::CreateControls() {
  HWND window = WindowBase::Handle();
  auto add = [&](const wchar_t* cls, DWORD style, int id, ustring_view name, DWORD exStyle = 0) {
    const std::wstring text = win32::Wide(CaptionOf(design_, name));
    const DWORD visible = VisibleIn(design_, name) ? WS_VISIBLE : 0;
    return CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | visible | style, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  };
  // Creation order is the tab order: the list, the manager, the information, Install, Exit.
  add(L"STATIC", SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL, form_main_id::Logo, u"imgLogo");
  add(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE | SS_NOTIFY, form_main_id::MainTitle, u"lblMainTitle");
  add(L"STATIC", SS_LEFT | SS_NOTIFY, form_main_id::Guide, u"lblReadGuide");
  add(L"STATIC", SS_LEFT | SS_NOTIFY, form_main_id::QuickGuide, u"lblReadQuickGuide");
  add(L"STATIC", SS_LEFT | SS_NOTIFY, form_main_id::Manual, u"lblReadManual");
  add(L"BUTTON", BS_GROUPBOX, form_main_id::Group, u"grpPrinters");
  HWND list = add(WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | WS_CLIPSIBLINGS,
                  form_main_id::Printers, u"lvPrinters", WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  ListView_InsertColumn(list, 0, &column);
  add(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, form_main_id::Manager, u"btnPrinterManager");
  add(L"EDIT", WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, form_main_id::Infos,
      u"edtInfos", WS_EX_CLIENTEDGE);
  add(L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, form_main_id::Start, u"btnStart");
  add(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, form_main_id::Exit, u"btnExit");
  add(STATUSCLASSNAMEW, 0, form_main_id::Status, u"statBarInfo");
  // The frame lies under the list, or it paints over it.
  SetWindowPos(Item(form_main_id::Group), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(Item(form_main_id::Manager), model_->ShowsManagerButton() ? SW_SHOW : SW_HIDE);
  SetControlText(Item(form_main_id::MainTitle), model_->Brand().mainTitle);
  background_ = GdiBrush(CreateSolidBrush(RGB(255, 255, 255)));
}

std::future<GdiBitmap> FormMainWindow::StartLogoLoad() const {
  const LogoSource& source = model_->Brand().logo;
  if (source.kind == LogoSource::Kind::File) {
    // JPEG, PNG, GIF, bitmap or icon
    return std::async(std::launch::async, [path = source.name] { return LoadPictureFile(path).picture.TakeBitmap(); });
  }
  const std::wstring name = win32::Wide(source.name);
  std::promise<GdiBitmap> resource;
  resource.set_value(GdiBitmap(static_cast<HBITMAP>(LoadImageW(instance_, name.c_str(), IMAGE_BITMAP, 0, 0, 0))));
  return resource.get_future();
}

void FormMainWindow::ShowLogo(GdiBitmap logo) {
  logo_ = std::move(logo);
  HWND control = Item(form_main_id::Logo);
  if (!logo_) {
    ShowWindow(control, SW_HIDE);  // a logo that cannot be read is left out
    return;
  }
  SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.Get()));
}

void FormMainWindow::ApplyDpi(int dpi) {
  font_ = CreateDialogFont(dpi);
  const DpiScale scale{dpi};
  titleFont_ = CreateStyledFont(scale, {21, true, false}, win32::Wide(model_->Brand().mainTitle));
  linkFont_ = CreateStyledFont(scale, {12, false, true});
  // Before the first display nothing needs repainting.
  const LPARAM redraw = IsWindowVisible(WindowBase::Handle());
  for (HWND child = GetWindow(WindowBase::Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), redraw);
  }
  SendMessageW(Item(form_main_id::MainTitle), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), redraw);
  for (auto label : {DocumentLabel::Guide, DocumentLabel::QuickGuide, DocumentLabel::Manual}) {
    SendMessageW(Item(LabelId(label)), WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.Get()), redraw);
  }
  RECT frame{0, 0, scale(kClientWidth), scale(kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(WindowBase::Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(WindowBase::Handle(), GWL_EXSTYLE)));
  SetWindowPos(WindowBase::Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void FormMainWindow::Layout() {
  const DpiScale scale = Scale();
  int logoRight = 8;
  if (logo_) {
    BITMAP bitmap{};
    GetObjectW(logo_.Get(), sizeof(bitmap), &bitmap);
    const int height = std::min<int>(bitmap.bmHeight, kLogoBox);
    const int width = bitmap.bmHeight > 0 ? MulDiv(bitmap.bmWidth, height, bitmap.bmHeight) : 0;
    PlaceControl(Item(form_main_id::Logo), {8, (kTitleHeight - height) / 2, width, height}, scale);
    logoRight = 8 + width;
  }
  const TitleLayout title = LayOutTitle(logoRight, kGuideWidth, kQuickGuideWidth);
  PlaceControl(Item(form_main_id::MainTitle), {title.mainTitleLeft, 8, kClientWidth - title.mainTitleLeft - 8, 32},
               scale);
  PlaceControl(Item(form_main_id::Guide), {title.guideLeft, 46, kGuideWidth, 18}, scale);
  PlaceControl(Item(form_main_id::QuickGuide), {title.quickGuideLeft, 46, kQuickGuideWidth, 18}, scale);
  // The manual follows the guide directly while the quick guide is hidden.
  const bool quickShown = IsWindowVisible(Item(form_main_id::QuickGuide));
  const int manualLeft = quickShown ? title.manualLeft : title.quickGuideLeft;
  PlaceControl(Item(form_main_id::Manual), {manualLeft, 46, kLinkWidth, 18}, scale);
  PlaceControl(Item(form_main_id::Group), {8, kTitleHeight + 6, kClientWidth - 16, 222}, scale);
  PlaceControl(Item(form_main_id::Printers), {18, kTitleHeight + 26, kClientWidth - 36, 192}, scale);
  ListView_SetColumnWidth(Item(form_main_id::Printers), 0, scale(kClientWidth - 60));
  PlaceControl(Item(form_main_id::Infos), {8, 308, kClientWidth - 16, 92}, scale);
  PlaceControl(Item(form_main_id::Manager), {8, 410, 190, 28}, scale);
  PlaceControl(Item(form_main_id::Start), {kClientWidth - 200, 410, 92, 28}, scale);
  PlaceControl(Item(form_main_id::Exit), {kClientWidth - 100, 410, 92, 28}, scale);
  SendMessageW(Item(form_main_id::Status), WM_SIZE, 0, 0);
}

void FormMainWindow::BeginActivation() {
  plan_ = model_->FormActivate();
  if (!plan_) return;  // one is under way
  if (!plan_->showWelcome) {
    FinishActivation();
    return;
  }
  {
    WelcomeWindow welcome(instance_, values_.langOptions, values_.strInstaller,
                          static_cast<COLORREF>(model_->Brand().colour));
    welcome.ShowModal(WindowBase::Handle());
  }
  fadeStep_ = 0;
  FadeStep();
  SetTimer(WindowBase::Handle(), kFadeTimer, kFadeStepMs, nullptr);
}

// One alpha value, then a pause of one timer interval. After the first
// activation the window is opaque and stays so: the values only pace the list.
void FormMainWindow::FadeStep() {
  HWND window = WindowBase::Handle();
  if (fadeStep_ == kFadeAlphas.size()) {
    KillTimer(window, kFadeTimer);
    FinishActivation();
    return;
  }
  if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) {
    SetLayeredWindowAttributes(window, 0, kFadeAlphas[fadeStep_], LWA_ALPHA);
  }
  ++fadeStep_;
}

void FormMainWindow::FinishActivation() {
  HWND window = WindowBase::Handle();
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (exStyle & WS_EX_LAYERED) {
    SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  const ActivationPlan plan = std::move(*plan_);
  plan_.reset();
  FillPrinterList(plan);
  model_->ActivationDone();
}

void FormMainWindow::ReactivateIfActive() {
  HWND window = WindowBase::Handle();
  if (!reactivate_ || running_ || GetActiveWindow() != window) return;
  reactivate_ = false;
  PostMessageW(window, kBeginActivation, 0, 0);
}

void FormMainWindow::ShowSearchWindow() {
  HWND window = WindowBase::Handle();
  ShowWindow(window, SW_HIDE);
  search_.Show(instance_, window);
  // The list is rebuilt once the install has given the window back.
  reactivate_ = true;
}

void FormMainWindow::FillPrinterList(const ActivationPlan& plan) {
  HWND list = Item(form_main_id::Printers);
  rendering_ = true;
  ListView_DeleteAllItems(list);
  int row = 0;
  for (const ustring& printer : plan.printers) {
    std::wstring text = win32::Wide(printer);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row++;
    item.pszText = text.data();
    ListView_InsertItem(list, &item);
  }
  rendering_ = false;
  if (plan.firstSelection >= 0) {
    ListView_SetItemState(list, plan.firstSelection, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, plan.firstSelection, FALSE);
  } else {
    model_->OnSelect(-1);
  }
  RenderSelection();
}

void FormMainWindow::RenderSelection() {
  const SelectionView& view = model_->Selection();
  SetControlText(Item(form_main_id::Group), view.groupCaption);
  SetControlText(Item(form_main_id::Infos), view.infosText);
  SetControlText(Item(form_main_id::Status), view.statusText);
  if (!running_) EnableWindow(Item(form_main_id::Start), view.startEnabled);
  for (auto label : {DocumentLabel::Guide, DocumentLabel::QuickGuide, DocumentLabel::Manual}) {
    EnableWindow(Item(LabelId(label)), view.Document(label).enabled);
  }
}

// One watcher serves every double-click: a thread per click would only
// pile up waits on the same notifications. It ends with the window.
void FormMainWindow::StartChangeMonitor() {
  if (!changeMonitor_) {
    changes_ = std::make_unique<win32::Win32PrinterChanges>();
    changeMonitor_ = std::make_unique<PrinterChangeWatcher>(*changes_, [this](uint32_t change) {
      tasks_.Post([this, change] {
        wchar_t time[64] = {};
        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 64);
        SetControlText(WindowBase::Handle(), Format(u"%s %.8X", {win32::U(time), change}));
      });
    });
  }
  changeMonitor_->Start();
}

bool FormMainWindow::IsLink(HWND control) const {
  const int id = control && GetParent(control) == WindowBase::Handle() ? GetDlgCtrlID(control) : 0;
  return id == form_main_id::Logo || id == form_main_id::Guide || id == form_main_id::QuickGuide ||
         id == form_main_id::Manual;
}

// The mouse over a document label turns it blue and shows its document in
// the status bar; over the logo, the brand's link. Leaving clears both.
void FormMainWindow::Hover(HWND control) {
  if (!IsLink(control)) control = nullptr;
  if (control == hovered_) return;
  HWND left = hovered_;
  hovered_ = control;
  if (left) InvalidateRect(left, nullptr, TRUE);
  ustring status;
  const int id = control ? GetDlgCtrlID(control) : 0;
  if (id == form_main_id::Logo) {
    status = model_->LogoHint();
    if (status.empty()) return;  // a logo without a link says nothing
  } else if (control) {
    InvalidateRect(control, nullptr, TRUE);
    status = model_->Selection().Document(LabelOf(id)).hint;
  }
  SetControlText(Item(form_main_id::Status), status);
}

void FormMainWindow::StartInstall() { model_->StartInstall(); }

void FormMainWindow::SetRunning(bool running) {
  running_ = running;
  for (int id : {form_main_id::Start, form_main_id::Exit, form_main_id::Printers, form_main_id::Manager}) {
    EnableWindow(Item(id), !running);
  }
  if (running) {
    SetTimer(WindowBase::Handle(), kHintsTimer, kHintsMs, nullptr);
  } else {
    RenderSelection();
    // The last hint says how the install ended (nothing when it never began).
    OnTimer(kHintsTimer);
    KillTimer(WindowBase::Handle(), kHintsTimer);
    // Hidden while the search window showed.
    if (!IsWindowVisible(WindowBase::Handle())) ShowWindow(WindowBase::Handle(), SW_SHOW);
    SetFocus(Item(form_main_id::Exit));
  }
  SetCursor(LoadCursorW(nullptr, running ? IDC_WAIT : IDC_ARROW));
  ReactivateIfActive();
}

void FormMainWindow::ModelView::EnableWatchdogTimer(bool enabled) {
  if (enabled) {
    SetTimer(form_.Handle(), kWatchdogTimer, kWatchdogMs, nullptr);
  } else {
    KillTimer(form_.Handle(), kWatchdogTimer);
  }
}

void FormMainWindow::OnTimer(UINT_PTR id) {
  if (id == kWatchdogTimer) {
    model_->tmrSetup64ErrorTimer();
  } else if (id == kFadeTimer) {
    FadeStep();
  } else if (id == kHintsTimer) {
    const auto tick = model_->InstallingHintsTimer();
    if (!tick.statusText.empty()) SetControlText(Item(form_main_id::Status), tick.statusText);
    if (!tick.keepRunning) KillTimer(WindowBase::Handle(), kHintsTimer);
  }
}

void FormMainWindow::OnCommand(int id, int code) {
  const auto owner = reinterpret_cast<sys::WindowHandle>(WindowBase::Handle());
  switch (id) {
    case IDOK:  // Enter
    case form_main_id::Start:
      StartInstall();
      return;
    case IDCANCEL:  // Esc
    case form_main_id::Exit:
      if (model_->CloseAllowed()) PostMessageW(WindowBase::Handle(), WM_CLOSE, 0, 0);
      return;
    case form_main_id::Manager:
      if (!showManager_) return;
      reactivate_ = true;
      showManager_();
      ReactivateIfActive();
      return;
    case form_main_id::Logo:
      if (code == STN_CLICKED) model_->LogoClick(owner);
      return;
    case form_main_id::MainTitle:
      if (code == STN_DBLCLK) StartChangeMonitor();
      return;
    case form_main_id::Guide:
    case form_main_id::QuickGuide:
    case form_main_id::Manual:
      if (code != STN_CLICKED) return;
      model_->OpenDocument(LabelOf(id), owner);
      return;
    default:
      return;
  }
}

LRESULT FormMainWindow::OnNotify(const NMHDR& header) {
  if (header.idFrom != form_main_id::Printers || rendering_) return 0;
  switch (header.code) {
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) {
        model_->OnSelect(ListView_GetNextItem(header.hwndFrom, -1, LVNI_SELECTED));
        RenderSelection();
      }
      return 0;
    }
    case NM_DBLCLK:
      StartInstall();
      return 0;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_RETURN) StartInstall();
      return 0;
    default:
      return 0;
  }
}

LRESULT FormMainWindow::OnColour(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  const COLORREF brand = static_cast<COLORREF>(model_->Brand().colour);
  SetBkMode(dc, TRANSPARENT);
  switch (id) {
    case form_main_id::MainTitle:
    case form_main_id::Group:
    case form_main_id::Infos:
      SetTextColor(dc, brand);
      break;
    case form_main_id::Guide:
    case form_main_id::QuickGuide:
    case form_main_id::Manual:
      SetTextColor(dc, !IsWindowEnabled(control) ? GetSysColor(COLOR_GRAYTEXT)
                       : control == hovered_       ? kLinkHoverColour
                                                   : kLinkColour);
      break;
    default:
      break;
  }
  if (id == form_main_id::Infos) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  // The title strip is white; the rest of the form has the dialog colour.
  const bool inTitle = id >= form_main_id::Logo && id <= form_main_id::Manual;
  return reinterpret_cast<LRESULT>(inTitle ? background_.Get() : GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT FormMainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kBeginActivation:
      BeginActivation();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(WindowBase::Handle(), &client);
      RECT title = client;
      title.bottom = Scale()(kTitleHeight);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      FillRect(reinterpret_cast<HDC>(wParam), &title, background_.Get());
      return 1;
    }
    case WM_SETCURSOR:
      if (running_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      if (HIWORD(lParam) == WM_MOUSEMOVE) Hover(reinterpret_cast<HWND>(wParam));
      if (IsLink(reinterpret_cast<HWND>(wParam))) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_ACTIVATE: {
      if (LOWORD(wParam) == WA_INACTIVE) {
        lastFocus_ = GetFocus();
        break;
      }
      // FormActivate on the first display and when another window of the
      // program (the manager, the search window) gives the activation back;
      // a message box does not count, nor does a run still under way.
      if (!activated_ || (reactivate_ && !running_)) {
        activated_ = true;
        reactivate_ = false;
        PostMessageW(WindowBase::Handle(), kBeginActivation, 0, 0);
      }
      Default(message, wParam, lParam);
      const bool ownChild = lastFocus_ && IsChild(WindowBase::Handle(), lastFocus_) && IsWindowEnabled(lastFocus_);
      SetFocus(ownChild ? lastFocus_ : Item(running_ ? form_main_id::Exit : form_main_id::Printers));
      return 0;
    }
    case kDpiChanged: {
      const int dpi = MoveToSuggestedRect(WindowBase::Handle(), wParam, lParam);
      ApplyDpi(dpi);
      return 0;
    }
    case WM_CLOSE:
      if (!model_->CloseAllowed()) return 0;  // an install under way is not cut off
      break;
    case WM_DESTROY:
      KillTimer(WindowBase::Handle(), kWatchdogTimer);
      KillTimer(WindowBase::Handle(), kHintsTimer);
      KillTimer(WindowBase::Handle(), kFadeTimer);
      PostQuitMessage(0);
      return 0;
    default:
      if (message >= kHostMessageFirst && message <= kHostMessageLast &&
          model_->OnHostMessage(message, static_cast<uint32_t>(lParam))) {
        return 0;
      }
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace prn::ui
