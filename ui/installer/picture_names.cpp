#include "ui/installer/picture_names.h"

#include "text/ascii.h"
#include "text/format.h"

namespace prn::ui {

ustring ButtonPictureName(int tag, bool hot, ustring_view languageSuffix) {
  return Format(u"Button%.2d.%s.png", {tag * 10 + (hot ? 2 : 1), languageSuffix});
}

ustring ClosePictureName(bool hot) { return hot ? u"Close2.png" : u"Close1.png"; }
ustring MinimisePictureName(bool hot) { return hot ? u"min2.png" : u"min1.png"; }

namespace {

ustring Extension(ustring_view file) {
  ustring name = FileNamePart(file);
  const size_t dot = name.rfind(u'.');
  return dot == ustring::npos ? ustring() : name.substr(dot + 1);
}

}  // namespace

bool HasPictureExtension(ustring_view file) {
  const ustring extension = Extension(file);
  for (ustring_view known : {u"png", u"jpg", u"jpeg", u"gif", u"bmp", u"ico"}) {
    if (EqualsNoCase(extension, known)) return true;
  }
  return IsMetafileName(file);
}

bool IsMetafileName(ustring_view file) {
  return EqualsNoCase(Extension(file), u"wmf") || IsEnhancedMetafileName(file);
}

bool IsEnhancedMetafileName(ustring_view file) { return EqualsNoCase(Extension(file), u"emf"); }

ustring PictureErrorText(ustring_view file, PictureFault fault) {
  switch (fault) {
    case PictureFault::Missing:
      return Format(u"The picture \"%s\" cannot be shown: the file does not exist.", {file});
    case PictureFault::NotPicture:
      return Format(u"The picture \"%s\" cannot be shown: it is not a PNG, JPEG, GIF, bitmap, icon or metafile.", {file});
    case PictureFault::Damaged:
      break;
  }
  return Format(u"The picture \"%s\" cannot be shown: the file is damaged or not a picture.", {file});
}

}  // namespace prn::ui
