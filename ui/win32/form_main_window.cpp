#include "ui/win32/form_main_window.h"

#include <commctrl.h>

#include <future>

#include "sys/win32/text.h"
#include "text/format.h"
#include "ui/win32/drawn_pictures.h"
#include "ui/win32/frm_welcome_window.h"
#include "ui/win32/window_error.h"

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
constexpr int kTitleHeight = 99;   // PnlTitle
constexpr POINT kLogoAt{12, 9};
// A larger logo is made smaller to this box: the title keeps its place beside it.
constexpr SIZE kLogoMax{216, 81};
constexpr int kTitleTop = 9;
constexpr SIZE kMainTitle{320, 52};
constexpr int kLinksTop = 67;
constexpr int kGuideWidth = 106;       // the designed lefts 248, 359 and 484
constexpr int kQuickGuideWidth = 120;
constexpr int kLinkWidth = 110;
constexpr int kLinkHeight = 18;
constexpr Box96 kGroup{8, 105, 584, 236};
constexpr Box96 kManagerButton{kGroup.x + kGroup.width - 192, kGroup.y + 14, 184, 28};  // top right of the group
constexpr Box96 kModels{kGroup.x + 10, kGroup.y + 48, kGroup.width - 20, kGroup.height - 58};
constexpr SIZE kModelSpacing{120, 76};
constexpr Box96 kInfos{8, 349, 584, 50};
constexpr Box96 kStart{392, 409, 96, 30};
constexpr Box96 kExit{496, 409, 96, 30};
constexpr COLORREF kTitleStrip = RGB(255, 255, 255);

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

FormMainWindow::FormMainWindow(HINSTANCE instance, const sys::Platform& platform, const config::ProcessValues& values,
                               std::function<void()> showManager)
    : instance_(instance), values_(values), showManager_(std::move(showManager)), tasks_(*platform.uiThread) {
  model_ = std::make_unique<TFormMain>(view_, values, platform);
  design_ = FormMainDesign();
  model_->FormCreate(design_);
  // A logo file decodes on a worker while the window and its controls are made.
  std::future<Picture> logo = StartLogoLoad();

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
  // Made at the system's default place, which lies on the monitor the
  // program was started on; centred there.
  CentreWindow(WindowBase::Handle(), nullptr);
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
  // Creation order is the tab order: the list, the manager, Install, Exit.
  add(L"STATIC", SS_OWNERDRAW | SS_NOTIFY, form_main_id::Logo, u"imgLogo");
  add(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, form_main_id::MainTitle, u"lblMainTitle");
  add(L"STATIC", SS_LEFT | SS_NOTIFY, form_main_id::Guide, u"lblReadGuide");
  add(L"STATIC", SS_LEFT | SS_NOTIFY, form_main_id::QuickGuide, u"lblReadQuickGuide");
  add(L"STATIC", SS_LEFT | SS_NOTIFY, form_main_id::Manual, u"lblReadManual");
  // A themed group box draws its own caption in the theme's colour, whatever
  // the window asks: the caption is a label of its own on the frame's top
  // line, which keeps the brand colour with and without visual styles. The
  // frame does not paint over the label, the list and the button inside it.
  HWND frame = add(L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, form_main_id::GroupFrame, u"");
  add(L"STATIC", SS_LEFT | SS_NOPREFIX, form_main_id::Group, u"grpPrinters");
  HWND list = add(WC_LISTVIEWW,
                  WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_ALIGNTOP |
                      LVS_SHAREIMAGELISTS | WS_CLIPSIBLINGS,
                  form_main_id::Printers, u"lvPrinters", WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_DOUBLEBUFFER);
  add(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, form_main_id::Manager, u"btnPrinterManager");
  // Information only: no tab stop, no scroll bar.
  add(L"EDIT", ES_MULTILINE | ES_READONLY, form_main_id::Infos, u"edtInfos", WS_EX_STATICEDGE);
  add(L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON | BS_NOTIFY, form_main_id::Start, u"btnStart");
  add(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, form_main_id::Exit, u"btnExit");
  add(STATUSCLASSNAMEW, 0, form_main_id::Status, u"statBarInfo");
  // The frame lies under its caption, the list and the manager button.
  SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(Item(form_main_id::Manager), model_->ShowsManagerButton() ? SW_SHOW : SW_HIDE);
  SetControlText(Item(form_main_id::MainTitle), model_->Brand().mainTitle);
  background_ = GdiBrush(CreateSolidBrush(kTitleStrip));
  infosBackground_ = GdiBrush(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
  enter_.emplace(window, form_main_id::Start);
  for (int id : {form_main_id::Logo, form_main_id::Guide, form_main_id::QuickGuide, form_main_id::Manual}) {
    SetWindowSubclass(Item(id), &FormMainWindow::LinkProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  CreateLogoHint();
}

// imgLogo shows the brand's link as its tooltip.
void FormMainWindow::CreateLogoHint() {
  const ustring& hint = model_->LogoHint();
  if (hint.empty()) return;
  HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                                 0, 0, 0, WindowBase::Handle(), nullptr, instance_, nullptr);
  std::wstring text = win32::Wide(hint);
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = WindowBase::Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(Item(form_main_id::Logo));
  tool.lpszText = text.data();
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::future<Picture> FormMainWindow::StartLogoLoad() const {
  const LogoSource& source = model_->Brand().logo;
  if (source.kind == LogoSource::Kind::File) {
    // any picture the decoder reads, metafiles included
    return std::async(std::launch::async, [path = source.name] { return std::move(LoadPictureFile(path).picture); });
  }
  const std::wstring name = win32::Wide(source.name);
  std::promise<Picture> resource;
  GdiBitmap bitmap(static_cast<HBITMAP>(LoadImageW(instance_, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP size{};
  if (bitmap) GetObjectW(bitmap.Get(), sizeof(size), &size);
  resource.set_value(bitmap ? Picture(std::move(bitmap), SIZE{size.bmWidth, size.bmHeight}) : Picture());
  return resource.get_future();
}

void FormMainWindow::ShowLogo(Picture logo) {
  logoPicture_ = std::move(logo);
  // a logo that cannot be read is left out
  if (!logoPicture_) ShowWindow(Item(form_main_id::Logo), SW_HIDE);
}

SIZE FormMainWindow::LogoBox() const {
  if (!logoPicture_) return SIZE{0, 0};
  const SIZE own = logoPicture_.Size();
  if (own.cx <= kLogoMax.cx && own.cy <= kLogoMax.cy) return own;
  // The smaller of the two ratios keeps the proportions.
  if (static_cast<long long>(own.cx) * kLogoMax.cy > static_cast<long long>(own.cy) * kLogoMax.cx) {
    return SIZE{kLogoMax.cx, std::max<LONG>(1, MulDiv(own.cy, kLogoMax.cx, own.cx))};
  }
  return SIZE{std::max<LONG>(1, MulDiv(own.cx, kLogoMax.cy, own.cy)), kLogoMax.cy};
}

namespace {

// `picture` laid on `background` at its own size, then scaled smoothly to
// `target` pixels: a decoded picture (32 bits) by its premultiplied alpha, a
// bitmap resource as it is.
GdiBitmap Flatten(const Picture& picture, SIZE target, COLORREF background) {
  const SIZE own = picture.Size();
  WindowDc screen(nullptr);
  MemoryDc source(screen.Get());
  MemoryDc flat(screen.Get());
  MemoryDc scaled(screen.Get());
  GdiBitmap flatBitmap(CreateCompatibleBitmap(screen.Get(), own.cx, own.cy));
  GdiBitmap result(CreateCompatibleBitmap(screen.Get(), target.cx, target.cy));
  if (!source.Get() || !flat.Get() || !scaled.Get() || !flatBitmap || !result) return GdiBitmap();
  HGDIOBJ oldSource = SelectObject(source.Get(), picture.Bitmap());
  HGDIOBJ oldFlat = SelectObject(flat.Get(), flatBitmap.Get());
  HGDIOBJ oldScaled = SelectObject(scaled.Get(), result.Get());
  RECT all{0, 0, own.cx, own.cy};
  GdiBrush brush(CreateSolidBrush(background));
  FillRect(flat.Get(), &all, brush.Get());
  BITMAP bits{};
  GetObjectW(picture.Bitmap(), sizeof(bits), &bits);
  if (bits.bmBitsPixel == 32) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(flat.Get(), 0, 0, own.cx, own.cy, source.Get(), 0, 0, own.cx, own.cy, blend);
  } else {
    BitBlt(flat.Get(), 0, 0, own.cx, own.cy, source.Get(), 0, 0, SRCCOPY);
  }
  SetStretchBltMode(scaled.Get(), HALFTONE);
  SetBrushOrgEx(scaled.Get(), 0, 0, nullptr);
  StretchBlt(scaled.Get(), 0, 0, target.cx, target.cy, flat.Get(), 0, 0, own.cx, own.cy, SRCCOPY);
  SelectObject(scaled.Get(), oldScaled);
  SelectObject(flat.Get(), oldFlat);
  SelectObject(source.Get(), oldSource);
  return result;
}

}  // namespace

void FormMainWindow::DrawLogo(const DRAWITEMSTRUCT& item) {
  const RECT& box = item.rcItem;
  if (!logoShown_) {
    FillRect(item.hDC, &box, background_.Get());
    return;
  }
  MemoryDc memory(item.hDC);
  HGDIOBJ previous = SelectObject(memory.Get(), logoShown_.Get());
  BitBlt(item.hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, memory.Get(), 0, 0, SRCCOPY);
  SelectObject(memory.Get(), previous);
}

void FormMainWindow::ApplyDpi(int dpi) {
  font_ = CreateDialogFont(dpi);
  const DpiScale scale{dpi};
  titleFont_ = CreateStyledFont(scale, {21, true, false}, win32::Wide(model_->Brand().mainTitle));
  linkFont_ = CreateStyledFont(scale, {12, false, true});
  infosFont_ = CreateStyledFont(scale, {12, true, false}, win32::Wide(values_.strInstaller.ClickInstallToStart));
  // Before the first display nothing needs repainting.
  const LPARAM redraw = IsWindowVisible(WindowBase::Handle());
  for (HWND child = GetWindow(WindowBase::Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), redraw);
  }
  SendMessageW(Item(form_main_id::MainTitle), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), redraw);
  SendMessageW(Item(form_main_id::Infos), WM_SETFONT, reinterpret_cast<WPARAM>(infosFont_.Get()), redraw);
  for (auto label : {DocumentLabel::Guide, DocumentLabel::QuickGuide, DocumentLabel::Manual}) {
    SendMessageW(Item(LabelId(label)), WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.Get()), redraw);
  }
  if (logoPicture_) {
    const SIZE box = LogoBox();
    logoShown_ = Flatten(logoPicture_, SIZE{scale(box.cx), scale(box.cy)}, kTitleStrip);
  }
  modelImages_ = CreateModelImages(dpi);
  HWND list = Item(form_main_id::Printers);
  ListView_SetImageList(list, modelImages_.Get(), LVSIL_NORMAL);
  ListView_SetIconSpacing(list, scale(kModelSpacing.cx), scale(kModelSpacing.cy));
  startGlyph_ = CreateButtonGlyph(ButtonGlyph::Install, dpi);
  exitGlyph_ = CreateButtonGlyph(ButtonGlyph::Exit, dpi);
  managerGlyph_ = CreateButtonGlyph(ButtonGlyph::Manager, dpi);
  ShowButtonGlyph(Item(form_main_id::Start), startGlyph_.Get(), dpi);
  ShowButtonGlyph(Item(form_main_id::Exit), exitGlyph_.Get(), dpi);
  ShowButtonGlyph(Item(form_main_id::Manager), managerGlyph_.Get(), dpi);
  RECT frame{0, 0, scale(kClientWidth), scale(kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(WindowBase::Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(WindowBase::Handle(), GWL_EXSTYLE)));
  SetWindowPos(WindowBase::Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void FormMainWindow::Layout() {
  const DpiScale scale = Scale();
  const SIZE logo = LogoBox();
  PlaceControl(Item(form_main_id::Logo), {kLogoAt.x, kLogoAt.y, logo.cx, logo.cy}, scale);
  const TitleLayout title = LayOutTitle(kLogoAt.x + logo.cx, kGuideWidth, kQuickGuideWidth);
  PlaceControl(Item(form_main_id::MainTitle), {title.mainTitleLeft, kTitleTop, kMainTitle.cx, kMainTitle.cy}, scale);
  PlaceControl(Item(form_main_id::Guide), {title.guideLeft, kLinksTop, kGuideWidth, kLinkHeight}, scale);
  PlaceControl(Item(form_main_id::QuickGuide), {title.quickGuideLeft, kLinksTop, kQuickGuideWidth, kLinkHeight},
               scale);
  // The manual follows the guide directly while the quick guide is hidden.
  const bool quickShown = IsWindowVisible(Item(form_main_id::QuickGuide));
  const int manualLeft = quickShown ? title.manualLeft : title.quickGuideLeft;
  PlaceControl(Item(form_main_id::Manual), {manualLeft, kLinksTop, kLinkWidth, kLinkHeight}, scale);
  PlaceControl(Item(form_main_id::GroupFrame), kGroup, scale);
  PlaceGroupCaption();
  PlaceControl(Item(form_main_id::Manager), kManagerButton, scale);
  PlaceControl(Item(form_main_id::Printers), kModels, scale);
  PlaceControl(Item(form_main_id::Infos), kInfos, scale);
  PlaceControl(Item(form_main_id::Start), kStart, scale);
  PlaceControl(Item(form_main_id::Exit), kExit, scale);
  SendMessageW(Item(form_main_id::Status), WM_SIZE, 0, 0);
}

void FormMainWindow::PlaceGroupCaption() {
  HWND caption = Item(form_main_id::Group);
  const std::wstring text = win32::Wide(ControlText(caption));
  WindowDc dc(caption);
  HGDIOBJ previous = SelectObject(dc.Get(), font_.Get());
  SIZE extent{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  SelectObject(dc.Get(), previous);
  const DpiScale scale = Scale();
  const int gap = scale(2);  // the frame's line stops a little before and after the text
  SetWindowPos(caption, nullptr, scale(kGroup.x + 8) - gap, scale(kGroup.y), text.empty() ? 0 : extent.cx + 2 * gap,
               metrics.tmHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormMainWindow::BeginActivation() {
  plan_ = model_->FormActivate();
  if (!plan_) return;  // one is under way
  if (!plan_->showWelcome) {
    FinishActivation();
    return;
  }
  {
    FrmWelcomeWindow welcome(instance_, values_.langOptions, values_.strInstaller,
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
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row++;
    item.pszText = text.data();
    item.iImage = 0;  // the printer picture of ilPrinter
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
  const SelectionDisplay& view = model_->Selection();
  if (ControlText(Item(form_main_id::Group)) != view.groupCaption) {
    SetControlText(Item(form_main_id::Group), view.groupCaption);
    PlaceGroupCaption();
  }
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

LRESULT CALLBACK FormMainWindow::LinkProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR self) {
  if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE) {
    Guarded<int>(control, 0, [&] {
      reinterpret_cast<FormMainWindow*>(self)->OnLinkMouse(control, message);
      return 0;
    });
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, &FormMainWindow::LinkProcedure, 0);
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

// LblMouseMove and LblMouseLeave: the system reports the leave even when the
// mouse goes straight out of the window, where the form hears nothing.
void FormMainWindow::OnLinkMouse(HWND control, UINT message) {
  if (message == WM_MOUSELEAVE) {
    if (hovered_ == control) Hover(nullptr);
    return;
  }
  if (hovered_ == control) return;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, control, 0};
  TrackMouseEvent(&track);
  Hover(control);
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
  if ((code == BN_SETFOCUS || code == BN_KILLFOCUS) && enter_) {
    enter_->OnFocusChange(Item(id), code);
    return;
  }
  switch (id) {
    case IDOK:  // Enter: the focused button, else Install
      if (HWND target = enter_ ? enter_->Target() : nullptr) PressButton(WindowBase::Handle(), target);
      return;
    case form_main_id::Start:
      if (code == BN_CLICKED) StartInstall();
      return;
    case IDCANCEL:  // Esc
    case form_main_id::Exit:
      if (code == BN_CLICKED && model_->CloseAllowed()) PostMessageW(WindowBase::Handle(), WM_CLOSE, 0, 0);
      return;
    case form_main_id::Manager:
      if (code != BN_CLICKED || !showManager_) return;
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
    SetBkColor(dc, GetSysColor(COLOR_INFOBK));
    return reinterpret_cast<LRESULT>(infosBackground_.Get());
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
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlID != form_main_id::Logo) break;
      DrawLogo(item);
      return TRUE;
    }
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
