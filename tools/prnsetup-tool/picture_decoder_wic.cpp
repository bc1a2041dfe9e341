// The Windows build's decoder: the system's imaging component, asked for the
// decoder of the format the name chooses, so that a file whose content is
// another format fails here as it fails in the windows' by-name reading.

#include <windows.h>
#include <wincodec.h>

#include <cstdio>

#include "tools/prnsetup-tool/picture_decoder.h"
#include "sys/win32/com.h"

namespace prn::tool {

namespace {

constexpr UINT kMaxSide = 8192;

PictureDecoding Fault(const char* what, HRESULT result) {
  char text[96];
  std::snprintf(text, sizeof text, "%s (0x%08lX)", what, static_cast<unsigned long>(result));
  return {std::nullopt, text};
}

const GUID* ContainerOf(PictureFormat format) {
  switch (format) {
    case PictureFormat::Png: return &GUID_ContainerFormatPng;
    case PictureFormat::Jpeg: return &GUID_ContainerFormatJpeg;
    case PictureFormat::Gif: return &GUID_ContainerFormatGif;
    case PictureFormat::Bitmap: return &GUID_ContainerFormatBmp;
    case PictureFormat::Icon: return &GUID_ContainerFormatIco;
    case PictureFormat::None: break;
  }
  return nullptr;
}

class WicPictureDecoder : public PictureDecoder {
 public:
  WicPictureDecoder() {
    if (!com_.Usable() || FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IWICImagingFactory, factory_.ReceiveVoid()))) {
      unavailable_ = u"this system has no Windows Imaging Component";
    }
  }

  ustring Unavailable() const override { return unavailable_; }
  bool Reads(PictureFormat format) const override { return factory_ && ContainerOf(format); }

  PictureDecoding Decode(PictureFormat format, const std::string& bytes) const override {
    const GUID* container = ContainerOf(format);
    if (!factory_ || !container) return {std::nullopt, "this build does not decode the format"};
    win32::ComRef<IWICBitmapDecoder> decoder;
    win32::ComRef<IWICStream> stream;
    win32::ComRef<IWICBitmapFrameDecode> frame;
    win32::ComRef<IWICFormatConverter> converter;
    HRESULT result = factory_->CreateDecoder(*container, nullptr, decoder.Receive());
    if (FAILED(result)) return Fault("the system has no decoder for the format", result);
    if (FAILED(result = factory_->CreateStream(stream.Receive())) ||
        FAILED(result = stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                                     static_cast<DWORD>(bytes.size()))) ||
        FAILED(result = decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(result = decoder->GetFrame(0, frame.Receive())) ||
        FAILED(result = factory_->CreateFormatConverter(converter.Receive())) ||
        FAILED(result = converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                              nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
      return Fault("the system decoder refused the file", result);
    }
    DecodedPicture picture;
    if (FAILED(result = converter->GetSize(&picture.width, &picture.height))) {
      return Fault("the system decoder refused the file", result);
    }
    if (picture.width == 0 || picture.height == 0 || picture.width > kMaxSide || picture.height > kMaxSide) {
      return {std::nullopt, "the windows show nothing empty or larger than 8192 pixels on a side"};
    }
    picture.bgra.resize(size_t{picture.width} * picture.height * 4);
    const UINT stride = picture.width * 4;
    // Copying every pixel is what finds a damaged or cut-off file.
    if (FAILED(result = converter->CopyPixels(nullptr, stride, static_cast<UINT>(picture.bgra.size()),
                                              picture.bgra.data()))) {
      return Fault("the file is damaged", result);
    }
    return {std::move(picture), {}};
  }

 private:
  win32::ComScope com_;
  win32::ComRef<IWICImagingFactory> factory_;
  ustring unavailable_;
};

}  // namespace

std::unique_ptr<PictureDecoder> MakePictureDecoder() { return std::make_unique<WicPictureDecoder>(); }

}  // namespace prn::tool
