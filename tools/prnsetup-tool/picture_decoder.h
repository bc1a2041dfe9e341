#pragma once
// Decoding the pictures a package names, to prove that the installer's
// windows can show them. The format is chosen by the file's extension, as the
// windows choose it; a file whose content is another format is damaged for
// them. The native build decodes with libpng, libjpeg and giflib, the
// Windows build with the system's imaging component.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "text/ustring.h"

namespace prn::tool {

enum class PictureFormat { Png, Jpeg, Gif, Bitmap, Icon, None };

// By extension: .png, .jpg/.jpeg, .gif, .bmp, .ico (any case); None otherwise.
PictureFormat PictureFormatOfName(ustring_view file);
// By the first bytes (signature), for telling the author what a file really is.
PictureFormat PictureFormatOfContent(const std::string& bytes);
const char* PictureFormatName(PictureFormat format);  // "PNG", "JPEG", …

struct DecodedPicture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> bgra;  // top-down rows, 4 bytes a pixel, straight alpha
};

struct PictureDecoding {
  std::optional<DecodedPicture> picture;
  std::string fault;  // the decoder's own words when `picture` is empty
};

class PictureDecoder {
 public:
  virtual ~PictureDecoder() = default;
  // Empty when the decoder can work; else why it decodes nothing on this system.
  virtual ustring Unavailable() const { return {}; }
  // Whether this decoder reads the format at all.
  virtual bool Reads(PictureFormat format) const = 0;
  // Whether Decode may run on several threads at once.
  virtual bool DecodesOnAnyThread() const { return false; }
  // Frame 0 of the bytes read as `format`. Never throws.
  virtual PictureDecoding Decode(PictureFormat format, const std::string& bytes) const = 0;
};

// libpng, libjpeg and giflib (native build), or the Windows Imaging Component
// (Windows build; unavailable where the system has none, as on XP without it).
std::unique_ptr<PictureDecoder> MakePictureDecoder();

}  // namespace prn::tool
