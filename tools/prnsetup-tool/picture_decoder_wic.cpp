// The Windows build's decoder: the system's imaging component, asked for the
// decoder of the format the name chooses, so that a file whose content is
// another format fails here as it fails in the windows' by-name reading.

#include <windows.h>
#include <wincodec.h>

#include <cstdio>

#include "tools/prnsetup-tool/picture_decoder.h"
#include "sys/win32/com.h"
#include "ui/win32/picture_file.h"

namespace prn::tool {

namespace {

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
    HRESULT result = factory_->CreateDecoder(*container, nullptr, decoder.Receive());
    if (FAILED(result)) return Fault("the system has no decoder for the format", result);
    if (FAILED(result = factory_->CreateStream(stream.Receive())) ||
        FAILED(result = stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                                     static_cast<DWORD>(bytes.size()))) ||
        FAILED(result = decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand))) {
      return Fault("the system decoder refused the file", result);
    }
    DecodedPicture picture;
    const ui::WicFrameCopy copy =
        ui::CopyFirstFrame(*factory_.Get(), *decoder.Get(), GUID_WICPixelFormat32bppBGRA, [&](UINT width, UINT height) {
          picture.width = width;
          picture.height = height;
          picture.bgra.resize(size_t{width} * height * 4);
          return picture.bgra.data();
        });
    switch (copy.outcome) {
      case ui::WicFrameCopy::Outcome::Copied: return {std::move(picture), {}};
      case ui::WicFrameCopy::Outcome::Refused: return Fault("the system decoder refused the file", copy.result);
      case ui::WicFrameCopy::Outcome::SizeRefused:
        return {std::nullopt, "the windows show nothing empty or larger than 8192 pixels on a side"};
      case ui::WicFrameCopy::Outcome::Damaged: return Fault("the file is damaged", copy.result);
    }
    return Fault("the system decoder refused the file", copy.result);
  }

 private:
  win32::ComScope com_;
  win32::ComRef<IWICImagingFactory> factory_;
  ustring unavailable_;
};

}  // namespace

std::unique_ptr<PictureDecoder> MakePictureDecoder() { return std::make_unique<WicPictureDecoder>(); }

}  // namespace prn::tool
