#include "ui/installer/brand.h"

#include "config/profile_file.h"
#include "sys/files.h"
#include "text/ascii.h"

namespace prn::ui {

uint32_t ParseBrandColour(ustring_view oemColor) {
  auto value = config::ParseProfileInteger(u"$" + ustring(oemColor));
  if (!value) return kDefaultBrandColour;
  uint32_t colour = static_cast<uint32_t>(*value);
  return colour <= 0xFFFFFF ? colour : kDefaultBrandColour;
}

LogoSource ResolveLogo(ustring_view logo, ustring_view programFolder, ustring_view bitmapResource,
                       const sys::FileSystem& files) {
  if (!logo.empty()) {
    ustring path = ustring(programFolder) + ustring(logo);
    if (files.FileExists(path)) return {LogoSource::Kind::File, path};
  }
  return {LogoSource::Kind::BitmapResource, ustring(bitmapResource)};
}

bool IsWelcomeBrand(ustring_view manufactor) { return ContainsNoCase(manufactor, u"Pellnor"); }

}  // namespace prn::ui
