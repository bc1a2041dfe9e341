#include "ui/win32/picture_file.h"

#include <wincodec.h>

#include "sys/win32/win32_text.h"
#include "ui/win32/com_owners.h"

namespace prn::ui {

namespace {

// Larger pictures are refused rather than risking a huge allocation: the
// windows show nothing near this size.
constexpr UINT kMaxSide = 8192;

PictureLoad Fault(const ustring& path, PictureFault fault) {
  PictureLoad load;
  load.fault = fault;
  load.errorText = PictureErrorText(path, fault);
  return load;
}

// Frame 0 converted to premultiplied BGRA and copied into a new DIB section.
Picture Decode(const ustring& path) {
  ComScope com;
  if (!com.Usable()) return {};
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.ReceiveVoid()))) {
    return {};
  }
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  ComRef<IWICFormatConverter> converter;
  if (FAILED(factory->CreateDecoderFromFilename(win32::W(path), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.Receive())) ||
      FAILED(decoder->GetFrame(0, frame.Receive())) || FAILED(factory->CreateFormatConverter(converter.Receive())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                   0.0, WICBitmapPaletteTypeCustom))) {
    return {};
  }
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxSide ||
      height > kMaxSide) {
    return {};
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return {};
  const UINT stride = width * 4;
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) return {};
  GdiFlush();
  return Picture(std::move(bitmap), SIZE{static_cast<LONG>(width), static_cast<LONG>(height)});
}

}  // namespace

PictureLoad LoadPictureFile(const ustring& path) {
  const DWORD attributes = GetFileAttributesW(win32::W(path));
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return Fault(path, PictureFault::Missing);
  }
  if (!HasPictureExtension(path)) return Fault(path, PictureFault::NotPicture);
  Picture picture = Decode(path);
  if (!picture) return Fault(path, PictureFault::Damaged);
  PictureLoad load;
  load.picture = std::move(picture);
  return load;
}

}  // namespace prn::ui
