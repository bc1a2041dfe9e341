// The native build's decoders: libpng, libjpeg(-turbo) and giflib, each
// reading from memory into top-down BGRA.

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include "tools/prnsetup-tool/picture_decoder.h"

namespace prn::tool {

namespace {

// The windows refuse larger pictures rather than risk a huge allocation.
constexpr uint32_t kMaxSide = 8192;

PictureDecoding Fault(std::string text) { return {std::nullopt, std::move(text)}; }

bool TooLarge(uint32_t width, uint32_t height) { return width == 0 || height == 0 || width > kMaxSide || height > kMaxSide; }

PictureDecoding TooLargeFault(uint32_t width, uint32_t height) {
  return Fault(std::to_string(width) + " x " + std::to_string(height) +
               " pixels: the windows show nothing empty or larger than 8192 pixels on a side");
}

PictureDecoding DecodePng(const std::string& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return Fault(image.message);
  if (TooLarge(image.width, image.height)) {
    png_image_free(&image);
    return TooLargeFault(image.width, image.height);
  }
  image.format = PNG_FORMAT_BGRA;
  DecodedPicture picture{image.width, image.height, std::vector<uint8_t>(PNG_IMAGE_SIZE(image))};
  // Reading every row is what finds a damaged or cut-off file.
  if (!png_image_finish_read(&image, nullptr, picture.bgra.data(), 0, nullptr)) return Fault(image.message);
  return {std::move(picture), {}};
}

// libjpeg reports a fatal error through error_exit, which must not return;
// it leaves the reading frame by longjmp, so that frame holds nothing that a
// destructor would have to release.
struct JpegErrors {
  jpeg_error_mgr manager;  // first: libjpeg hands out a pointer to it
  std::jmp_buf jump;
  char first[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->first);
  std::longjmp(errors->jump, 1);
}

// A warning (a cut-off file, corrupt data) is kept: the picture is damaged.
void OnJpegMessage(j_common_ptr info, int level) {
  if (level >= 0) return;
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  if (info->err->num_warnings++ == 0) (*info->err->format_message)(info, errors->first);
}

// Adobe's CMYK JPEGs store the inks inverted.
void CmykRowToBgra(const uint8_t* cmyk, uint8_t* bgra, uint32_t width) {
  for (uint32_t x = 0; x < width; ++x, cmyk += 4, bgra += 4) {
    const unsigned k = cmyk[3];
    bgra[0] = static_cast<uint8_t>(cmyk[2] * k / 255);
    bgra[1] = static_cast<uint8_t>(cmyk[1] * k / 255);
    bgra[2] = static_cast<uint8_t>(cmyk[0] * k / 255);
    bgra[3] = 255;
  }
}

bool ReadJpeg(jpeg_decompress_struct* info, JpegErrors* errors, const std::string& bytes, DecodedPicture* picture,
              std::vector<uint8_t>* cmykRow) {
  if (setjmp(errors->jump)) {
    jpeg_destroy_decompress(info);
    return false;
  }
  jpeg_create_decompress(info);
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(info, TRUE);
  const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
  info->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_calc_output_dimensions(info);
  if (TooLarge(info->output_width, info->output_height)) {
    picture->width = info->output_width;
    picture->height = info->output_height;
    jpeg_destroy_decompress(info);
    return false;
  }
  jpeg_start_decompress(info);
  picture->width = info->output_width;
  picture->height = info->output_height;
  picture->bgra.resize(size_t{picture->width} * picture->height * 4);
  cmykRow->resize(size_t{picture->width} * 4);
  while (info->output_scanline < info->output_height) {
    uint8_t* row = picture->bgra.data() + size_t{info->output_scanline} * picture->width * 4;
    JSAMPROW target = cmyk ? cmykRow->data() : row;
    if (jpeg_read_scanlines(info, &target, 1) != 1) break;
    if (cmyk) CmykRowToBgra(cmykRow->data(), row, picture->width);
  }
  jpeg_finish_decompress(info);
  jpeg_destroy_decompress(info);
  return true;
}

PictureDecoding DecodeJpeg(const std::string& bytes) {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = OnJpegError;
  errors.manager.emit_message = OnJpegMessage;
  DecodedPicture picture;
  std::vector<uint8_t> cmykRow;
  const bool read = ReadJpeg(&info, &errors, bytes, &picture, &cmykRow);
  if (!read && TooLarge(picture.width, picture.height) && errors.first[0] == '\0') {
    return TooLargeFault(picture.width, picture.height);
  }
  if (!read || errors.manager.num_warnings > 0) return Fault(errors.first);
  return {std::move(picture), {}};
}

struct GifSource {
  const std::string* bytes;
  size_t offset;
};

int ReadGifBytes(GifFileType* gif, GifByteType* buffer, int length) {
  auto* source = static_cast<GifSource*>(gif->UserData);
  const size_t count = std::min(static_cast<size_t>(length), source->bytes->size() - source->offset);
  std::memcpy(buffer, source->bytes->data() + source->offset, count);
  source->offset += count;
  return static_cast<int>(count);
}

// Frame 0 on the logical screen; what the frame leaves uncovered is transparent.
PictureDecoding FirstFrame(GifFileType* gif) {
  if (gif->ImageCount < 1) return Fault("the file holds no picture");
  if (TooLarge(gif->SWidth, gif->SHeight)) return TooLargeFault(gif->SWidth, gif->SHeight);
  const SavedImage& frame = gif->SavedImages[0];
  const ColorMapObject* colours = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
  if (!colours) return Fault("the picture has no colour table");
  GraphicsControlBlock control{};
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  DGifSavedExtensionToGCB(gif, 0, &control);

  DecodedPicture picture{static_cast<uint32_t>(gif->SWidth), static_cast<uint32_t>(gif->SHeight), {}};
  picture.bgra.assign(size_t{picture.width} * picture.height * 4, 0);
  const GifImageDesc& place = frame.ImageDesc;
  for (int y = 0; y < place.Height; ++y) {
    for (int x = 0; x < place.Width; ++x) {
      const int index = frame.RasterBits[size_t(y) * place.Width + x];
      const int left = place.Left + x, top = place.Top + y;
      if (index == control.TransparentColor || left >= gif->SWidth || top >= gif->SHeight) continue;
      if (index >= colours->ColorCount) continue;
      const GifColorType& colour = colours->Colors[index];
      uint8_t* pixel = picture.bgra.data() + (size_t(top) * picture.width + left) * 4;
      pixel[0] = colour.Blue;
      pixel[1] = colour.Green;
      pixel[2] = colour.Red;
      pixel[3] = 255;
    }
  }
  return {std::move(picture), {}};
}

PictureDecoding DecodeGif(const std::string& bytes) {
  GifSource source{&bytes, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&source, ReadGifBytes, &error);
  if (!gif) return Fault(GifErrorString(error));
  PictureDecoding decoding = DGifSlurp(gif) == GIF_OK ? FirstFrame(gif) : Fault(GifErrorString(gif->Error));
  DGifCloseFile(gif, &error);
  return decoding;
}

class LibraryPictureDecoder : public PictureDecoder {
 public:
  bool Reads(PictureFormat format) const override {
    return format == PictureFormat::Png || format == PictureFormat::Jpeg || format == PictureFormat::Gif;
  }
  // Each decoding keeps its state to itself.
  bool DecodesOnAnyThread() const override { return true; }
  PictureDecoding Decode(PictureFormat format, const std::string& bytes) const override {
    switch (format) {
      case PictureFormat::Png: return DecodePng(bytes);
      case PictureFormat::Jpeg: return DecodeJpeg(bytes);
      case PictureFormat::Gif: return DecodeGif(bytes);
      default: return Fault("this build does not decode the format");
    }
  }
};

}  // namespace

std::unique_ptr<PictureDecoder> MakePictureDecoder() { return std::make_unique<LibraryPictureDecoder>(); }

}  // namespace prn::tool
