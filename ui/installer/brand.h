#pragma once
// The OEM brand as the classic window wears it: logo source, colour, and
// whether the maker's own welcome and fade-in play.

#include <array>
#include <cstdint>

#include "text/ustring.h"

namespace prn::sys {
class FileSystem;
}

namespace prn::ui {

// Purple, for a colour text that is not hexadecimal.
constexpr uint32_t kDefaultBrandColour = 0x800080;

// "$" + text read as hexadecimal: a Windows colour value (blue, green, red
// bytes). Anything else, or a value wider than three bytes, gives purple.
uint32_t ParseBrandColour(ustring_view oemColor);

struct LogoSource {
  enum class Kind { File, BitmapResource } kind = Kind::BitmapResource;
  ustring name;  // full path of the file, or the resource name
};

// The settings' `Logo` below the program folder when that file exists,
// otherwise the brand's bitmap resource.
LogoSource ResolveLogo(ustring_view logo, ustring_view programFolder, ustring_view bitmapResource,
                       const sys::FileSystem& files);

// The maker's own brands (the name contains "Pellnor", any case) get the
// welcome window and the fade-in.
bool IsWelcomeBrand(ustring_view manufactor);

// Alpha values of the fade-in, one every kFadeStepMs; then fully opaque.
inline constexpr std::array<uint8_t, 12> kFadeAlphas = {40, 70, 100, 130, 150, 170, 190, 200, 210, 230, 240, 250};
constexpr uint32_t kFadeStepMs = 60;

}  // namespace prn::ui
