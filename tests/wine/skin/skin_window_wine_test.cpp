// The skinned installer window under Wine, driven by messages in this
// process with the example package's pictures: what it draws, the hot
// picture under the mouse, the drag strip, link buttons by mouse and
// keyboard, and a picture that is missing. Also the picture decoder.
#include <windows.h>

#include <gtest/gtest.h>

#include "wine/window_pump.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "config/process_values.h"
#include "config/profile_file.h"
#include "sys/shell.h"
#include "sim/dialogs.h"
#include "sys/win32/platform.h"
#include "ui/win32/form_main_v2_window.h"
#include "sys/win32/com.h"
#include "ui/win32/picture_file.h"
#include "wine/staging/wine_paths.h"

namespace prn::ui {
namespace {

using prn::testing::Pump;
using prn::testing::PumpUntil;

using testing::WinePath;


// What the example package's pictures hold at a few places (0xRRGGBB).
constexpr uint32_t kTitleBand = 0x24384C;     // Background.EN.png at 300,20
constexpr uint32_t kButtonPanel = 0xEEF2F5;   // Background.EN.png at 780,300
constexpr uint32_t kInstallNormal = 0x2E7D4F;  // Button11.EN.png at 5,18
constexpr uint32_t kInstallHot = 0x3FA66A;     // Button12.EN.png at 5,18
constexpr uint32_t kLink3Normal = 0x1F6FA8;    // Button31.EN.png at 5,18
constexpr uint32_t kLink3Hot = 0x3A92D0;       // Button32.EN.png at 5,18
constexpr POINT kOnInstall{545 + 5, 139 + 18};
constexpr POINT kOnButton3{545 + 5, 356 + 18};

const ustring kPackage = WinePath(PRN_SOURCE_DIR "/examples/package/");

class RecordingShell : public sys::Shell {
 public:
  std::optional<ustring> ProgramFilesFolder(sys::WindowHandle) override { return std::nullopt; }
  int DeleteWithShell(const ustring&, uint32_t, sys::WindowHandle) override { return 0; }
  intptr_t Execute(sys::WindowHandle, const ustring& verb, const ustring& file, const ustring&, const ustring&,
                   int showCommand) override {
    opened.push_back({verb, file, showCommand});
    return 42;
  }
  intptr_t OpenAsDesktopUser(sys::WindowHandle owner, const ustring& target) override {
    return Execute(owner, u"open as the desktop's user", target, u"", u"", sys::kSwShow);
  }
  struct Opened {
    ustring verb, file;
    int showCommand;
  };
  std::vector<Opened> opened;
};

// The client area as the window paints it for PrintWindow, in 96-dpi units.
class Photo {
 public:
  explicit Photo(const FormMainV2Window& window) : scale_(window.Scale()) {
    RECT client{};
    GetClientRect(window.Handle(), &client);
    width_ = client.right;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc dc(nullptr);
    HGDIOBJ old = SelectObject(dc.Get(), bitmap.Get());
    PrintWindow(window.Handle(), dc.Get(), PW_CLIENTONLY);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    pixels_.assign(first, first + client.right * client.bottom);
    SelectObject(dc.Get(), old);
  }
  uint32_t At(POINT design) const {
    return pixels_.at(static_cast<size_t>(scale_(design.y)) * width_ + scale_(design.x)) & 0xFFFFFF;
  }

 private:
  DpiScale scale_;
  int width_ = 0;
  std::vector<uint32_t> pixels_;
};

LPARAM At(const FormMainV2Window& window, POINT design) {
  const DpiScale scale = window.Scale();
  return MAKELPARAM(scale(design.x), scale(design.y));
}

// The background and the install button as the package's pictures hold
// them, and the button's highlighted picture under the mouse.
void ExpectPicturesDrawn(FormMainV2Window& skin) {
  const Photo drawn(skin);
  EXPECT_EQ(drawn.At({300, 20}), kTitleBand);
  EXPECT_EQ(drawn.At({780, 300}), kButtonPanel);
  EXPECT_EQ(drawn.At(kOnInstall), kInstallNormal);
  SendMessageW(skin.Handle(), WM_MOUSEMOVE, 0, At(skin, kOnInstall));
  EXPECT_EQ(Photo(skin).At(kOnInstall), kInstallHot);
}

class SkinWindowUnderWine : public ::testing::Test {
 protected:
  SkinWindowUnderWine() {
    platform = machine.Platform();
    platform.dialogs = &dialogs;
    platform.shell = &shell;
    values.g_wSystemLangId = 0x0409;
    values.g_strResourceDir = kPackage + u"Resource\\";
  }

  FormMainV2Window& Open(const ustring& background) {
    const ustring settings = u"[QX1]\nViewMode = 20\nPrinterName = Quillon QX1\nPrinterHWID = QuillonQX17A3F\n"
                             u"DriverDir = QX1\nINF.2K = QX1.INF\nINF.X64 = QX1.INF\n"
                             u"PrinterManager = 1\nBGImage.EN = " + background +
                             u"\nPrinterImage.EN = " + kPackage +
                             u"Resource\\Printer.png\nButton3Link.EN = https://www.quillon.example/qx1\n";
    config::SettingsEnvironment env;
    env.files = &machine.files;
    env.codePage = &machine.codePage;
    env.programFolder = kPackage;
    env.systemLangId = values.g_wSystemLangId;
    env.winVer = 61;
    const config::ProfileFile ini = config::ProfileFile::Parse(ToUtf8(settings), machine.codePage);
    values.installInfos.LoadSettings(&ini, env);
    window.emplace(GetModuleHandleW(nullptr), platform, values, false, [] {}, [](HWND) {});
    return *window;
  }

  win32::Win32Platform machine;
  sim::SimDialogs dialogs;
  RecordingShell shell;
  sys::Platform platform;
  config::ProcessValues values;
  std::optional<FormMainV2Window> window;
};

TEST_F(SkinWindowUnderWine, DrawsThePicturesShapedByTheColourKeyAndLightsTheButtonUnderTheMouse) {
  FormMainV2Window& skin = Open(kPackage + u"Resource\\Background.EN.png");
  EXPECT_TRUE(dialogs.Boxes().empty()) << win32::Wide(dialogs.Boxes().front().text).c_str();
  COLORREF key = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(skin.Handle(), &key, nullptr, &flags));
  EXPECT_EQ(key, 7740594u);
  EXPECT_TRUE(flags & LWA_COLORKEY);
  RECT client{};
  GetClientRect(skin.Handle(), &client);
  EXPECT_EQ(client.right, skin.Scale()(800));
  EXPECT_EQ(client.bottom, skin.Scale()(600));

  ExpectPicturesDrawn(skin);
  SendMessageW(skin.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Photo(skin).At(kOnInstall), kInstallNormal);
}

// Records the system's move request instead of letting it start a move loop.
WNDPROC g_original = nullptr;
std::vector<WPARAM> g_captionPresses;
LRESULT CALLBACK RecordCaptionPresses(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCLBUTTONDOWN) {
    g_captionPresses.push_back(wParam);
    return 0;
  }
  return CallWindowProcW(g_original, window, message, wParam, lParam);
}

TEST_F(SkinWindowUnderWine, OnlyAPressOnTheTopStripOutsideTheButtonsDragsTheWindow) {
  FormMainV2Window& skin = Open(kPackage + u"Resource\\Background.EN.png");
  g_captionPresses.clear();
  g_original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(skin.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordCaptionPresses)));
  auto press = [&](POINT design) {
    SendMessageW(skin.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(skin, design));
    SendMessageW(skin.Handle(), WM_LBUTTONUP, 0, At(skin, design));
  };
  press({300, 95});
  EXPECT_TRUE(g_captionPresses.empty());
  press({750, 30});  // the close button lies in the strip
  EXPECT_TRUE(g_captionPresses.empty());
  press({300, 94});
  ASSERT_EQ(g_captionPresses.size(), 1u);
  EXPECT_EQ(g_captionPresses[0], static_cast<WPARAM>(HTCAPTION));
  SetWindowLongPtrW(skin.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original));
}

TEST_F(SkinWindowUnderWine, LinkButtonOpensItsTargetByMouseAndByKeyboardAndEscCloses) {
  FormMainV2Window& skin = Open(kPackage + u"Resource\\Background.EN.png");
  SendMessageW(skin.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(skin, kOnButton3));
  SendMessageW(skin.Handle(), WM_LBUTTONUP, 0, At(skin, kOnButton3));
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].file, u"https://www.quillon.example/qx1");
  EXPECT_EQ(shell.opened[0].verb, u"open as the desktop's user");  // no elevated browser
  EXPECT_EQ(shell.opened[0].showCommand, sys::kSwShow);

  // Install, manager, link 3: the third Tab lands on the link, which lights up.
  SendMessageW(skin.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Photo(skin).At(kOnButton3), kLink3Normal);
  for (int i = 0; i < 3; ++i) SendMessageW(skin.Handle(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(Photo(skin).At(kOnButton3), kLink3Hot);
  SendMessageW(skin.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(shell.opened.size(), 2u);

  ShowWindow(skin.Handle(), SW_SHOWNA);
  SendMessageW(skin.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_FALSE(IsWindowVisible(skin.Handle()));
}

TEST_F(SkinWindowUnderWine, AMissingBackgroundIsNamedInABoxAndTheWindowIsStillDrawn) {
  const ustring missing = kPackage + u"Resource\\Background.XX.png";
  FormMainV2Window& skin = Open(missing);
  ASSERT_EQ(dialogs.Boxes().size(), 1u);
  EXPECT_NE(dialogs.Boxes()[0].text.find(missing), ustring::npos);
  EXPECT_NE(dialogs.Boxes()[0].text.find(u"does not exist"), ustring::npos);
  // Not the colour key, which would leave the window invisible.
  EXPECT_NE(Photo(skin).At({300, 300}), 0xB21B76u);
}

std::string ReadBytes(const std::string& unixPath) {
  std::ifstream in(unixPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

ustring WriteTemp(const char16_t* name, const std::string& bytes) {
  const ustring path = testing::TempFolder(name);
  win32::FileHandle file(CreateFileW(win32::W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return path;
}

TEST(PictureFileUnderWine, DecodesJpegAndNamesTheFileOfEachFault) {
  const PictureLoad logo = LoadPictureFile(kPackage + u"QX1Logo.jpg");
  ASSERT_TRUE(logo.picture) << win32::Wide(logo.errorText).c_str();
  EXPECT_EQ(logo.picture.Size().cx, 200);
  EXPECT_EQ(logo.picture.Size().cy, 60);
  BITMAP bitmap{};
  GetObjectW(logo.picture.Bitmap(), sizeof(bitmap), &bitmap);
  EXPECT_EQ(bitmap.bmBitsPixel, 32);
  EXPECT_EQ(static_cast<const uint8_t*>(bitmap.bmBits)[3], 0xFF) << "an opaque picture keeps full alpha";

  const std::string png = ReadBytes(PRN_SOURCE_DIR "/examples/package/Resource/Background.EN.png");
  const ustring cut = WriteTemp(u"prn-cut.png", png.substr(0, png.size() / 2));
  const PictureLoad damaged = LoadPictureFile(cut);
  EXPECT_EQ(damaged.fault, PictureFault::Damaged);
  EXPECT_FALSE(damaged.picture);
  EXPECT_NE(damaged.errorText.find(cut), ustring::npos);

  const ustring text = WriteTemp(u"prn-notes.txt", "not a picture");
  EXPECT_EQ(LoadPictureFile(text).fault, PictureFault::NotPicture);
  EXPECT_EQ(LoadPictureFile(kPackage + u"Resource\\none.png").fault, PictureFault::Missing);
  DeleteFileW(win32::W(cut));
  DeleteFileW(win32::W(text));
}

// A one-row 32-bit BMP file `width` pixels wide.
std::string RowBitmap(LONG width) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = 1;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const DWORD pixelBytes = static_cast<DWORD>(width) * 4;
  const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(info);
  const BITMAPFILEHEADER file{0x4D42, headers + pixelBytes, 0, 0, headers};
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
  bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
  bytes.append(pixelBytes, '\x7f');
  return bytes;
}

// The windows show nothing wider than 8192 pixels; a wider picture is
// refused as damaged rather than decoded into a huge bitmap.
TEST(PictureFileUnderWine, RefusesAPictureWiderThanTheWindowsShow) {
  const ustring widest = WriteTemp(u"prn-widest.bmp", RowBitmap(8192));
  const ustring tooWide = WriteTemp(u"prn-too-wide.bmp", RowBitmap(8193));
  const PictureLoad shown = LoadPictureFile(widest);
  ASSERT_TRUE(shown.picture) << win32::Wide(shown.errorText).c_str();
  EXPECT_EQ(shown.picture.Size().cx, 8192);
  const PictureLoad refused = LoadPictureFile(tooWide);
  EXPECT_EQ(refused.fault, PictureFault::Damaged);
  EXPECT_FALSE(refused.picture);
  DeleteFileW(win32::W(widest));
  DeleteFileW(win32::W(tooWide));
}

// A metafile with a red square in its left half and nothing on the right.
ustring WriteMetafile(const char16_t* name) {
  const ustring path = testing::TempFolder(name);
  // 200 × 100 pixels at 96 dpi, in 0.01 mm.
  const RECT frame{0, 0, MulDiv(200, 2540, 96), MulDiv(100, 2540, 96)};
  HDC recorder = CreateEnhMetaFileW(nullptr, win32::W(path), &frame, nullptr);
  // The recorder draws in the reference device's pixels.
  const int across = MulDiv(frame.right, GetDeviceCaps(recorder, HORZRES), GetDeviceCaps(recorder, HORZSIZE) * 100);
  const int down = MulDiv(frame.bottom, GetDeviceCaps(recorder, VERTRES), GetDeviceCaps(recorder, VERTSIZE) * 100);
  const RECT red{0, 0, across / 2, down};
  GdiBrush brush(CreateSolidBrush(RGB(220, 0, 0)));
  FillRect(recorder, &red, brush.Get());
  DeleteEnhMetaFile(CloseEnhMetaFile(recorder));
  return path;
}

// The same picture as a placeable Windows metafile: 200 × 100 units at 96 an inch.
ustring WritePlaceableMetafile(const char16_t* name) {
  HDC recorder = CreateMetaFileW(nullptr);
  SetWindowOrgEx(recorder, 0, 0, nullptr);
  SetWindowExtEx(recorder, 200, 100, nullptr);
  const RECT red{0, 0, 100, 100};
  GdiBrush brush(CreateSolidBrush(RGB(220, 0, 0)));
  FillRect(recorder, &red, brush.Get());
  HMETAFILE metafile = CloseMetaFile(recorder);
  std::string bytes(GetMetaFileBitsEx(metafile, 0, nullptr), '\0');
  GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
  DeleteMetaFile(metafile);
  const uint16_t header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 200, 100, 96, 0, 0, 0};
  std::string placeable(reinterpret_cast<const char*>(header), sizeof(header));
  uint16_t checksum = 0;
  for (int word = 0; word < 10; ++word) checksum ^= header[word];
  std::memcpy(&placeable[20], &checksum, sizeof(checksum));
  return WriteTemp(name, placeable + bytes);
}

uint32_t PixelOf(const Picture& picture, int x, int y) {
  BITMAP bitmap{};
  GetObjectW(picture.Bitmap(), sizeof(bitmap), &bitmap);
  return static_cast<const uint32_t*>(bitmap.bmBits)[y * bitmap.bmWidth + x];
}

TEST(PictureFileUnderWine, MetafilesAreDrawnAtTheirOwnSizeWithTheirBackgroundLeftTransparent) {
  for (const ustring& path : {WriteMetafile(u"prn-logo.emf"), WritePlaceableMetafile(u"prn-logo.wmf")}) {
    SCOPED_TRACE(ToUtf8(path));
    const PictureLoad logo = LoadPictureFile(path);
    ASSERT_TRUE(logo.picture) << win32::Wide(logo.errorText).c_str();
    EXPECT_NEAR(logo.picture.Size().cx, 200, 2);
    EXPECT_NEAR(logo.picture.Size().cy, 100, 2);
    EXPECT_EQ(PixelOf(logo.picture, 20, 20), 0xFFDC0000u) << "opaque red";
    EXPECT_EQ(PixelOf(logo.picture, 180, 80), 0u) << "transparent where nothing was drawn";
    DeleteFileW(win32::W(path));
  }
}

// Run in a Wine prefix where the imaging component's class is not
// registered, as on Windows XP without .NET 3.0 (scripts/wine-without-wic).
// The override windowscodecs=d cannot stand for that: Wine's GDI+ decodes
// through that very DLL and ends the process when it is refused.
class WithoutWic : public SkinWindowUnderWine {};

TEST_F(WithoutWic, TheLogoAndTheSkinnedWindowsPicturesStillShowThroughGdiPlus) {
  win32::ComScope com;
  win32::ComRef<IUnknown> factory;
  const CLSID imagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
  ASSERT_FALSE(SUCCEEDED(CoCreateInstance(imagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                          factory.ReceiveVoid())))
      << "WIC is registered in this prefix: the test would not show the fallback";

  const PictureLoad logo = LoadPictureFile(kPackage + u"QX1Logo.jpg");
  ASSERT_TRUE(logo.picture) << win32::Wide(logo.errorText).c_str();
  EXPECT_EQ(logo.picture.Size().cx, 200);
  EXPECT_EQ(logo.picture.Size().cy, 60);

  FormMainV2Window& skin = Open(kPackage + u"Resource\\Background.EN.png");
  EXPECT_TRUE(dialogs.Boxes().empty()) << win32::Wide(dialogs.Boxes().front().text).c_str();
  ExpectPicturesDrawn(skin);
}

}  // namespace
}  // namespace prn::ui
