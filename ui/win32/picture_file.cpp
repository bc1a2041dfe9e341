#include "ui/win32/picture_file.h"

#include <wincodec.h>

#include <algorithm>
#include <vector>

#include "sys/win32/handle.h"
#include "sys/win32/hardening.h"
#include "sys/win32/text.h"
#include "sys/win32/com.h"

namespace prn::ui {

namespace {

PictureLoad Fault(const ustring& path, PictureFault fault) {
  PictureLoad load;
  load.fault = fault;
  load.errorText = PictureErrorText(path, fault);
  return load;
}

// A new top-down 32-bit DIB section and its pixels.
GdiBitmap NewPixels(UINT width, UINT height, void*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bits = nullptr;
  GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  return bits ? std::move(bitmap) : GdiBitmap();
}

// --- WIC: every Windows since Vista, and XP with .NET 3.0 ---

enum class Decoded { Done, Failed, NoDecoder };

// Frame 0 converted to premultiplied BGRA.
Decoded DecodeWithWic(const ustring& path, Picture& picture) {
  win32::ComScope com;
  if (!com.Usable()) return Decoded::NoDecoder;
  win32::ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.ReceiveVoid()))) {
    return Decoded::NoDecoder;
  }
  win32::ComRef<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(win32::W(path), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                decoder.Receive()))) {
    return Decoded::Failed;
  }
  GdiBitmap bitmap;
  SIZE size{};
  const WicFrameCopy copy =
      CopyFirstFrame(*factory.Get(), *decoder.Get(), GUID_WICPixelFormat32bppPBGRA, [&](UINT width, UINT height) {
        void* bits = nullptr;
        bitmap = NewPixels(width, height, bits);
        size = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
        return static_cast<BYTE*>(bits);
      });
  if (copy.outcome != WicFrameCopy::Outcome::Copied) return Decoded::Failed;
  GdiFlush();
  picture = Picture(std::move(bitmap), size);
  return Decoded::Done;
}

// --- GDI+: present since XP, used where WIC is missing ---

// The flat API's few types (gdiplusflat.h), declared here so that nothing
// else of GDI+ comes along.
namespace gdiplus {
struct StartupInput {
  UINT32 version = 1;
  void* debugCallback = nullptr;
  BOOL suppressBackgroundThread = FALSE;
  BOOL suppressExternalCodecs = FALSE;
};
struct Rect {
  INT x, y, width, height;
};
struct BitmapData {
  UINT width, height;
  INT stride;
  INT format;
  void* scan0;
  UINT_PTR reserved;
};
constexpr INT kFormat32bppPARGB = 0x000E200B;
constexpr UINT kLockRead = 1;
using Startup = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
using Shutdown = void(WINAPI*)(ULONG_PTR);
using CreateBitmapFromFile = int(WINAPI*)(const WCHAR*, void**);
using GetImageSize = int(WINAPI*)(void*, UINT*);
using LockBits = int(WINAPI*)(void*, const Rect*, UINT, INT, BitmapData*);
using UnlockBits = int(WINAPI*)(void*, BitmapData*);
using DisposeImage = int(WINAPI*)(void*);
}  // namespace gdiplus

// gdiplus.dll of System32, or where the program's manifest sends it (on XP
// it lives among the side-by-side assemblies only); never found by a search
// that reaches the package folder.
HMODULE LoadGdiPlus() {
  if (HMODULE module = win32::LoadSystemLibrary(L"gdiplus.dll")) return module;
  ACTCTX_SECTION_KEYED_DATA redirection{};
  redirection.cbSize = sizeof(redirection);
  if (!FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"gdiplus.dll",
                                &redirection)) {
    return nullptr;
  }
  return LoadLibraryW(L"gdiplus.dll");
}

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

Decoded DecodeWithGdiPlus(const ustring& path, Picture& picture) {
  win32::Module library(LoadGdiPlus());
  if (!library) return Decoded::NoDecoder;
  HMODULE module = library.Get();
  const auto startup = Export<gdiplus::Startup>(module, "GdiplusStartup");
  const auto shutdown = Export<gdiplus::Shutdown>(module, "GdiplusShutdown");
  const auto fromFile = Export<gdiplus::CreateBitmapFromFile>(module, "GdipCreateBitmapFromFile");
  const auto widthOf = Export<gdiplus::GetImageSize>(module, "GdipGetImageWidth");
  const auto heightOf = Export<gdiplus::GetImageSize>(module, "GdipGetImageHeight");
  const auto lock = Export<gdiplus::LockBits>(module, "GdipBitmapLockBits");
  const auto unlock = Export<gdiplus::UnlockBits>(module, "GdipBitmapUnlockBits");
  const auto dispose = Export<gdiplus::DisposeImage>(module, "GdipDisposeImage");
  if (!startup || !shutdown || !fromFile || !widthOf || !heightOf || !lock || !unlock || !dispose) {
    return Decoded::NoDecoder;
  }
  ULONG_PTR token = 0;
  const gdiplus::StartupInput input;
  if (startup(&token, &input, nullptr) != 0) return Decoded::NoDecoder;
  Decoded result = Decoded::Failed;
  void* image = nullptr;
  UINT width = 0;
  UINT height = 0;
  if (fromFile(win32::W(path), &image) == 0 && image && widthOf(image, &width) == 0 &&
      heightOf(image, &height) == 0 && PictureSizeAllowed(width, height)) {
    const gdiplus::Rect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
    gdiplus::BitmapData data{};
    void* bits = nullptr;
    GdiBitmap bitmap = NewPixels(width, height, bits);
    if (bitmap && lock(image, &all, gdiplus::kLockRead, gdiplus::kFormat32bppPARGB, &data) == 0) {
      for (UINT row = 0; row < height; ++row) {
        std::copy_n(static_cast<const BYTE*>(data.scan0) + static_cast<ptrdiff_t>(row) * data.stride, width * 4,
                    static_cast<BYTE*>(bits) + static_cast<size_t>(row) * width * 4);
      }
      unlock(image, &data);
      picture = Picture(std::move(bitmap), SIZE{static_cast<LONG>(width), static_cast<LONG>(height)});
      result = Decoded::Done;
    }
  }
  if (image) dispose(image);
  shutdown(token);
  return result;
}

// --- Metafiles (.emf, .wmf): played by GDI itself ---

struct EnhMetaFileTraits {
  using Handle = HENHMETAFILE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteEnhMetaFile(h); }
};
using EnhMetaFile = win32::UniqueHandle<EnhMetaFileTraits>;

constexpr DWORD kMaxMetafileBytes = 16 * 1024 * 1024;
constexpr DWORD kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeader = 22;

std::vector<BYTE> ReadWholeFile(const ustring& path) {
  win32::FileHandle file(CreateFileW(win32::W(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxMetafileBytes) return {};
  std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
    return {};
  }
  return bytes;
}

// A Windows metafile, with or without the placeable header that gives its
// size, as an enhanced one.
EnhMetaFile OpenWindowsMetafile(const ustring& path) {
  const std::vector<BYTE> bytes = ReadWholeFile(path);
  if (bytes.size() <= kPlaceableHeader) return EnhMetaFile();
  DWORD key = 0;
  std::copy_n(bytes.data(), sizeof(key), reinterpret_cast<BYTE*>(&key));
  if (key != kPlaceableKey) {
    return EnhMetaFile(SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, nullptr));
  }
  SHORT box[4] = {};  // left, top, right, bottom in the header's units
  WORD unitsPerInch = 0;
  std::copy_n(bytes.data() + 6, sizeof(box), reinterpret_cast<BYTE*>(box));
  std::copy_n(bytes.data() + 14, sizeof(unitsPerInch), reinterpret_cast<BYTE*>(&unitsPerInch));
  if (unitsPerInch == 0) return EnhMetaFile();
  METAFILEPICT picture{};
  picture.mm = MM_ANISOTROPIC;
  picture.xExt = MulDiv(std::abs(box[2] - box[0]), 2540, unitsPerInch);  // 0.01 mm
  picture.yExt = MulDiv(std::abs(box[3] - box[1]), 2540, unitsPerInch);
  return EnhMetaFile(SetWinMetaFileBits(static_cast<UINT>(bytes.size() - kPlaceableHeader),
                                        bytes.data() + kPlaceableHeader, nullptr, &picture));
}

// Played twice, on black and on white: where the two differ the picture
// left the background showing, which gives each pixel its alpha.
Decoded DecodeMetafile(const ustring& path, Picture& picture) {
  EnhMetaFile metafile(IsEnhancedMetafileName(path) ? GetEnhMetaFileW(win32::W(path))
                                                    : OpenWindowsMetafile(path).Release());
  if (!metafile) return Decoded::Failed;
  ENHMETAHEADER header{};
  if (!GetEnhMetaFileHeader(metafile.Get(), sizeof(header), &header)) return Decoded::Failed;
  // The frame is in 0.01 mm; shown at 96 pixels an inch.
  const LONG frameWidth = header.rclFrame.right - header.rclFrame.left;
  const LONG frameHeight = header.rclFrame.bottom - header.rclFrame.top;
  const UINT width = static_cast<UINT>(std::max<LONG>(0, MulDiv(frameWidth, 96, 2540)));
  const UINT height = static_cast<UINT>(std::max<LONG>(0, MulDiv(frameHeight, 96, 2540)));
  if (!PictureSizeAllowed(width, height)) return Decoded::Failed;
  void* onWhiteBits = nullptr;
  void* onBlackBits = nullptr;
  GdiBitmap onWhite = NewPixels(width, height, onWhiteBits);
  GdiBitmap onBlack = NewPixels(width, height, onBlackBits);
  MemoryDc dc(nullptr);
  if (!onWhite || !onBlack || !dc.Get()) return Decoded::Failed;
  const RECT all{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
  for (HBITMAP target : {onWhite.Get(), onBlack.Get()}) {
    HGDIOBJ previous = SelectObject(dc.Get(), target);
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(target == onWhite.Get() ? WHITE_BRUSH : BLACK_BRUSH)));
    PlayEnhMetaFile(dc.Get(), metafile.Get(), &all);
    SelectObject(dc.Get(), previous);
  }
  GdiFlush();
  auto* black = static_cast<BYTE*>(onBlackBits);
  const auto* white = static_cast<const BYTE*>(onWhiteBits);
  for (size_t pixel = 0; pixel < static_cast<size_t>(width) * height; ++pixel) {
    BYTE* out = black + pixel * 4;
    const BYTE* light = white + pixel * 4;
    // On black a pixel is its colour times its alpha: premultiplied already.
    const BYTE alpha = static_cast<BYTE>(255 - std::max(0, light[1] - out[1]));
    for (int channel = 0; channel < 3; ++channel) out[channel] = std::min(out[channel], alpha);
    out[3] = alpha;
  }
  picture = Picture(std::move(onBlack), SIZE{static_cast<LONG>(width), static_cast<LONG>(height)});
  return Decoded::Done;
}

}  // namespace

bool PictureSizeAllowed(UINT width, UINT height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

WicFrameCopy CopyFirstFrame(IWICImagingFactory& factory, IWICBitmapDecoder& decoder, const GUID& pixelFormat,
                            const std::function<BYTE*(UINT width, UINT height)>& pixelsFor) {
  using Outcome = WicFrameCopy::Outcome;
  win32::ComRef<IWICBitmapFrameDecode> frame;
  win32::ComRef<IWICFormatConverter> converter;
  UINT width = 0;
  UINT height = 0;
  HRESULT result = S_OK;
  if (FAILED(result = decoder.GetFrame(0, frame.Receive())) ||
      FAILED(result = factory.CreateFormatConverter(converter.Receive())) ||
      FAILED(result = converter->Initialize(frame.Get(), pixelFormat, WICBitmapDitherTypeNone, nullptr, 0.0,
                                            WICBitmapPaletteTypeCustom)) ||
      FAILED(result = converter->GetSize(&width, &height))) {
    return {Outcome::Refused, result};
  }
  if (!PictureSizeAllowed(width, height)) return {Outcome::SizeRefused, S_OK};
  BYTE* pixels = pixelsFor(width, height);
  if (!pixels) return {Outcome::Refused, E_OUTOFMEMORY};
  const UINT stride = width * 4;
  // Copying every pixel is what finds a damaged or cut-off file.
  if (FAILED(result = converter->CopyPixels(nullptr, stride, stride * height, pixels))) {
    return {Outcome::Damaged, result};
  }
  return {Outcome::Copied, S_OK};
}

PictureLoad LoadPictureFile(const ustring& path) {
  const DWORD attributes = GetFileAttributesW(win32::W(path));
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return Fault(path, PictureFault::Missing);
  }
  if (!HasPictureExtension(path)) return Fault(path, PictureFault::NotPicture);
  Picture picture;
  Decoded decoded = IsMetafileName(path) ? DecodeMetafile(path, picture) : DecodeWithWic(path, picture);
  if (decoded == Decoded::NoDecoder) decoded = DecodeWithGdiPlus(path, picture);
  if (decoded != Decoded::Done) return Fault(path, PictureFault::Damaged);
  PictureLoad load;
  load.picture = std::move(picture);
  return load;
}

}  // namespace prn::ui
