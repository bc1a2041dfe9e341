#pragma once
// Picture files decoded into 32-bit top-down DIB sections with premultiplied
// alpha, ready for AlphaBlend. PNG, JPEG, GIF, BMP and ICO go through the
// system's imaging component (WIC), created through COM at run time; where it
// is missing (Windows XP without .NET 3.0) through GDI+, which XP has.
// Metafiles (WMF, EMF) are played by GDI, their background left transparent.

#include <windows.h>

#include <functional>
#include <optional>
#include <utility>

#include "text/ustring.h"
#include "ui/installer/picture_names.h"
#include "ui/win32/gdi_owners.h"

struct IWICBitmapDecoder;
struct IWICImagingFactory;

namespace prn::ui {

// Larger pictures are refused rather than risking a huge allocation: the
// windows show nothing near this size.
constexpr UINT kMaxPictureSide = 8192;
bool PictureSizeAllowed(UINT width, UINT height);

class Picture {
 public:
  Picture() = default;
  Picture(GdiBitmap bitmap, SIZE size) : bitmap_(std::move(bitmap)), size_(size) {}

  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  SIZE Size() const { return size_; }

 private:
  GdiBitmap bitmap_;
  SIZE size_{0, 0};
};

struct PictureLoad {
  Picture picture;                    // empty when `fault` is set
  std::optional<PictureFault> fault;
  ustring errorText;                  // names the file; empty on success
};

// Never throws: a missing file, a name that is not a picture's and content
// the decoder refuses are answered as faults.
PictureLoad LoadPictureFile(const ustring& path);

// How far CopyFirstFrame came, and the failing call's answer.
struct WicFrameCopy {
  enum class Outcome { Copied, Refused, SizeRefused, Damaged } outcome = Outcome::Refused;
  HRESULT result = S_OK;
};

// Frame 0 of a picture that WIC has opened, converted to the 32-bit
// `pixelFormat` (premultiplied or straight BGRA) and copied into the rows of
// width × 4 bytes that `pixelsFor` hands out for its size (null when there is
// no memory for them). The windows and the tool's package check read a
// picture through WIC alike: Refused covers the decoder's refusal of the
// file, SizeRefused a size outside PictureSizeAllowed, Damaged a file whose
// pixels cannot all be read.
WicFrameCopy CopyFirstFrame(IWICImagingFactory& factory, IWICBitmapDecoder& decoder, const GUID& pixelFormat,
                            const std::function<BYTE*(UINT width, UINT height)>& pixelsFor);

}  // namespace prn::ui
