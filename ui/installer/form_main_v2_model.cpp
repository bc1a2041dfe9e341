#include "ui/installer/form_main_v2_model.h"

#include "sys/dialogs.h"
#include "sys/files.h"
#include "ui/installer/picture_names.h"

namespace prn::ui {

namespace {

constexpr int kDragStripHeight = 94;

// The tag of an image button: its number in "Button%.2d".
std::optional<int> ButtonTag(SkinPicture control) {
  switch (control) {
    case SkinPicture::Image0: return 0;
    case SkinPicture::Image1: return 1;
    case SkinPicture::Image10: return 10;
    case SkinPicture::Image2: return 2;
    case SkinPicture::Image3: return 3;
    case SkinPicture::Image4: return 4;
    case SkinPicture::Image5: return 5;
    default: return std::nullopt;
  }
}

constexpr SkinPicture kLinkButtons[] = {SkinPicture::Image2, SkinPicture::Image3, SkinPicture::Image4,
                                        SkinPicture::Image5};

}  // namespace

bool DragHitTest(int y) { return y <= kDragStripHeight; }

FormMainV2Model::FormMainV2Model(const app::ProcessValues& values, const sys::Platform& platform, SkinView& view)
    : values_(values),
      files_(*platform.files),
      dialogs_(*platform.dialogs),
      view_(view),
      links_(*platform.files, *platform.shell, *platform.dialogs, values.strInstaller) {}

void FormMainV2Model::FormCreate(sys::WindowHandle owner) {
  entry_ = values_.installInfos.GetInfoItem(0);
  if (!Load(SkinPicture::Background, entry_.BGImage, owner)) return;
  if (!Load(SkinPicture::Printer, entry_.PrinterImage, owner)) return;
  if (!Load(SkinPicture::Minimise, values_.g_strResourceDir + MinimisePictureName(false), owner)) return;
  if (!Load(SkinPicture::Close, values_.g_strResourceDir + ClosePictureName(false), owner)) return;
  // Image10 has no designed picture of its own here: it shows its normal one.
  for (SkinPicture button : {SkinPicture::Image0, SkinPicture::Image1, SkinPicture::Image10}) {
    if (!LoadButton(button, false, owner)) return;
  }
  for (int n = 2; n <= 5; ++n) {
    SkinPicture button = kLinkButtons[n - 2];
    if (LinkOf(n).empty()) view_.HidePicture(button);
    else if (!LoadButton(button, false, owner)) return;
  }
}

bool FormMainV2Model::ShowsManagerButton() const { return values_.installInfos.GetInfoItem(0).PrinterManager; }

void FormMainV2Model::Hover(SkinPicture button, bool hot, sys::WindowHandle owner) {
  switch (button) {
    case SkinPicture::Minimise:
      Load(button, values_.g_strResourceDir + MinimisePictureName(hot), owner);
      return;
    case SkinPicture::Close:
      Load(button, values_.g_strResourceDir + ClosePictureName(hot), owner);
      return;
    case SkinPicture::Image1:
      if (LoadButton(button, hot, owner)) LoadButton(SkinPicture::Image10, hot, owner);
      return;
    default:
      if (ButtonTag(button) && button != SkinPicture::Image10) LoadButton(button, hot, owner);
  }
}

void FormMainV2Model::LinkClick(int button, sys::WindowHandle owner) {
  const ustring& target = LinkOf(button);
  if (!target.empty()) links_.OpenLink(target, entry_.PDFReader, owner);
}

bool FormMainV2Model::LoadButton(SkinPicture control, bool hot, sys::WindowHandle owner) {
  // The suffix follows the system language at each call, not the command line's.
  ustring suffix = config::SettingsLanguageSuffix(values_.g_wSystemLangId);
  return Load(control, values_.g_strResourceDir + ButtonPictureName(*ButtonTag(control), hot, suffix), owner);
}

bool FormMainV2Model::Load(SkinPicture control, const ustring& file, sys::WindowHandle owner) {
  ustring path = file.empty() ? file : files_.FullPath(file);
  std::optional<PictureFault> fault;
  if (!files_.FileExists(path)) fault = PictureFault::Missing;
  else if (!HasPictureExtension(path)) fault = PictureFault::NotPicture;
  else if (!view_.ShowPicture(control, path)) fault = PictureFault::Damaged;
  if (!fault) return true;
  dialogs_.ShowMessage(owner, PictureErrorText(path, *fault), values_.strInstaller.ErrorTitle,
                       sys::mb::Ok | sys::mb::IconError);
  return false;
}

const ustring& FormMainV2Model::LinkOf(int button) const {
  static const ustring kNone;
  switch (button) {
    case 2: return entry_.Button2Link;
    case 3: return entry_.Button3Link;
    case 4: return entry_.Button4Link;
    case 5: return entry_.Button5Link;
    default: return kNone;
  }
}

}  // namespace prn::ui
