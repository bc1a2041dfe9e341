#pragma once
// Picture files decoded into 32-bit top-down DIB sections with premultiplied
// alpha, ready for AlphaBlend. PNG, JPEG, GIF, BMP and ICO go through the
// system's imaging component (WIC), created through COM at run time; where it
// is missing (Windows XP without .NET 3.0) through GDI+, which XP has.
// Metafiles (WMF, EMF) are played by GDI, their background left transparent.

#include <windows.h>

#include <optional>
#include <utility>

#include "text/ustring.h"
#include "ui/installer/picture_names.h"
#include "ui/win32/gdi_owners.h"

namespace prn::ui {

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

}  // namespace prn::ui
