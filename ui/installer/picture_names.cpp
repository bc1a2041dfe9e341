#include "ui/installer/picture_names.h"

#include "text/ascii.h"
#include "text/format.h"

namespace prn::ui {

ustring ButtonPictureName(int tag, bool hot, ustring_view languageSuffix) {
  return Format(u"Button%.2d.%s.png", {tag * 10 + (hot ? 2 : 1), languageSuffix});
}

ustring ClosePictureName(bool hot) { return hot ? u"Close2.png" : u"Close1.png"; }
ustring MinimisePictureName(bool hot) { return hot ? u"min2.png" : u"min1.png"; }

bool HasPictureExtension(ustring_view file) {
  ustring name = FileNamePart(file);
  size_t dot = name.rfind(u'.');
  if (dot == ustring::npos) return false;
  ustring_view extension = ustring_view(name).substr(dot + 1);
  for (ustring_view known : {u"png", u"jpg", u"jpeg", u"gif", u"bmp", u"ico"}) {
    if (EqualsNoCase(extension, known)) return true;
  }
  return false;
}

ustring PictureErrorText(ustring_view file, PictureFault fault) {
  switch (fault) {
    case PictureFault::Missing:
      return Format(u"The picture \"%s\" cannot be shown: the file does not exist.", {file});
    case PictureFault::NotPicture:
      return Format(u"The picture \"%s\" cannot be shown: it is not a PNG, JPEG, GIF, bitmap or icon file.", {file});
    case PictureFault::Damaged:
      break;
  }
  return Format(u"The picture \"%s\" cannot be shown: the file is damaged or not a picture.", {file});
}

}  // namespace prn::ui
