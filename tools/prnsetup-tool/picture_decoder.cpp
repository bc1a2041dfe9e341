#include "tools/prnsetup-tool/picture_decoder.h"

#include "text/ascii.h"

namespace prn::tool {

PictureFormat PictureFormatOfName(ustring_view file) {
  const ustring name = FileNamePart(file);
  const size_t dot = name.rfind(u'.');
  if (dot == ustring::npos) return PictureFormat::None;
  const ustring_view extension = ustring_view(name).substr(dot + 1);
  if (EqualsNoCase(extension, u"png")) return PictureFormat::Png;
  if (EqualsNoCase(extension, u"jpg") || EqualsNoCase(extension, u"jpeg")) return PictureFormat::Jpeg;
  if (EqualsNoCase(extension, u"gif")) return PictureFormat::Gif;
  if (EqualsNoCase(extension, u"bmp")) return PictureFormat::Bitmap;
  if (EqualsNoCase(extension, u"ico")) return PictureFormat::Icon;
  return PictureFormat::None;
}

PictureFormat PictureFormatOfContent(const std::string& bytes) {
  auto startsWith = [&](std::string_view signature) { return bytes.compare(0, signature.size(), signature) == 0; };
  if (startsWith("\x89PNG\r\n\x1a\n")) return PictureFormat::Png;
  if (startsWith("\xFF\xD8\xFF")) return PictureFormat::Jpeg;
  if (startsWith("GIF87a") || startsWith("GIF89a")) return PictureFormat::Gif;
  if (startsWith("BM")) return PictureFormat::Bitmap;
  if (startsWith(std::string_view("\0\0\1\0", 4))) return PictureFormat::Icon;
  return PictureFormat::None;
}

const char* PictureFormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::Png: return "PNG";
    case PictureFormat::Jpeg: return "JPEG";
    case PictureFormat::Gif: return "GIF";
    case PictureFormat::Bitmap: return "bitmap";
    case PictureFormat::Icon: return "icon";
    case PictureFormat::None: break;
  }
  return "no picture";
}

}  // namespace prn::tool
