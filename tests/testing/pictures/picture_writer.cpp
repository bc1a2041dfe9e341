#include "pictures/picture_writer.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace prn::testing {

namespace {

constexpr Colour kCorner{255, 255, 255};

std::vector<uint8_t> RgbPixels(uint32_t width, uint32_t height, Colour colour) {
  std::vector<uint8_t> pixels;
  pixels.reserve(size_t{width} * height * 3);
  for (uint32_t i = 0; i < width * height; ++i) {
    const Colour& c = i == 0 ? kCorner : colour;
    pixels.insert(pixels.end(), {c.red, c.green, c.blue});
  }
  return pixels;
}

int WriteGifBytes(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

}  // namespace

std::string PngBytes(uint32_t width, uint32_t height, Colour colour) {
  const std::vector<uint8_t> pixels = RgbPixels(width, height, colour);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, pixels.data(), 0, nullptr)) throw std::runtime_error("png size");
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr))
    throw std::runtime_error(image.message);
  bytes.resize(size);
  return bytes;
}

std::string JpegBytes(uint32_t width, uint32_t height, Colour colour) {
  std::vector<uint8_t> pixels = RgbPixels(width, height, colour);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);  // a test picture never fails to encode
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < height) {
    JSAMPROW row = pixels.data() + size_t{info.next_scanline} * width * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

std::string GifBytes(uint32_t width, uint32_t height, Colour colour) {
  std::string bytes;
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, WriteGifBytes, &error);
  if (!gif) throw std::runtime_error(GifErrorString(error));
  GifColorType colours[2] = {{kCorner.red, kCorner.green, kCorner.blue}, {colour.red, colour.green, colour.blue}};
  ColorMapObject* map = GifMakeMapObject(2, colours);
  EGifPutScreenDesc(gif, static_cast<int>(width), static_cast<int>(height), 1, 0, map);
  EGifPutImageDesc(gif, 0, 0, static_cast<int>(width), static_cast<int>(height), false, nullptr);
  std::vector<GifPixelType> row(width, 1);
  for (uint32_t y = 0; y < height; ++y) {
    row[0] = y == 0 ? 0 : 1;
    EGifPutLine(gif, row.data(), static_cast<int>(width));
  }
  GifFreeMapObject(map);
  EGifCloseFile(gif, &error);
  return bytes;
}

}  // namespace prn::testing
