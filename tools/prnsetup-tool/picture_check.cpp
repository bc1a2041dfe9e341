// The pictures the windows show, decoded as the windows choose their
// decoder: by the file's extension.

#include "sys/files.h"
#include "text/ascii.h"
#include "text/format.h"
#include "tools/prnsetup-tool/check_parts.h"
#include "tools/prnsetup-tool/picture_decoder.h"
#include "ui/installer/picture_names.h"

namespace prn::tool {

namespace {

constexpr uint32_t kSkinWidth = 800;
constexpr uint32_t kSkinHeight = 600;

// The skinned window's image buttons by tag: install, its label, manager, links 2 to 5.
constexpr int kButtonTags[] = {1, 10, 0, 2, 3, 4, 5};

}  // namespace

std::optional<PictureCheck::Size> PictureCheck::Decode(const ustring& path) {
  const ustring key = AsciiUpper(path);
  if (auto known = decoded_.find(key); known != decoded_.end()) return known->second;
  std::optional<Size>& result = decoded_[key];
  const Place place{check_.Shown(path)};
  const PictureDecoder& decoder = *check_.environment.pictures;
  const PictureFormat format = PictureFormatOfName(path);
  if (format == PictureFormat::None) {
    check_.findings.Error(place, u"is not named as a PNG, JPEG, GIF, bitmap or icon file, so the window cannot load it.");
    return result;
  }
  if (!decoder.Unavailable().empty()) {
    ++skipped_;
    return result;
  }
  if (!decoder.Reads(format)) {
    check_.findings.Warning(place, Format(u"was not decoded: this build of the checker reads PNG, JPEG and GIF, "
                                          u"not %s files.", {FromAscii(PictureFormatName(format))}));
    return result;
  }
  std::string bytes;
  if (check_.Files().ReadFile(path, bytes) != 0) {
    check_.findings.Error(place, u"cannot be read.");
    return result;
  }
  const PictureDecoding decoding = decoder.Decode(format, bytes);
  if (decoding.picture) {
    result = Size{decoding.picture->width, decoding.picture->height};
    return result;
  }
  const ustring named = FromAscii(PictureFormatName(format));
  const PictureFormat content = PictureFormatOfContent(bytes);
  if (content != PictureFormat::None && content != format) {
    check_.findings.Error(place, Format(u"is a %s file with a %s name; the window decodes it as %s and fails.",
                                        {FromAscii(PictureFormatName(content)), named, named}));
  } else {
    check_.findings.Error(place, Format(u"does not decode as %s (%s); the window cannot show it.",
                                        {named, FromUtf8(decoding.fault)}));
  }
  return result;
}

std::optional<PictureCheck::Size> PictureCheck::Named(const PackageEntry& entry, const ustring& key,
                                                      const ustring& name, const ustring& whenMissing) {
  if (name.empty()) return std::nullopt;
  const ustring path = check_.InPackage(name);
  if (!check_.Files().FileExists(path)) {
    check_.findings.Error(check_.SettingsPlace(entry.section, key),
                          Format(u"names “%s”, which is not in the package; %s", {name, whenMissing}));
    return std::nullopt;
  }
  return Decode(path);
}

void PictureCheck::CheckPackagePictures(const PackageSettings& settings) {
  const ustring& code = settings.language->code;
  for (const PackageEntry& entry : settings.entries) {
    const config::TRInstallInfo& info = entry.info;
    Named(entry, u"Logo", info.Logo, u"the classic window shows the brand's logo instead.");
    const auto background = Named(entry, u"BGImage." + code, info.BGImage,
                                  u"the skinned window shows an error and none of its pictures.");
    if (background && (background->width != kSkinWidth || background->height != kSkinHeight)) {
      check_.findings.Warning({check_.Shown(check_.InPackage(info.BGImage))},
                              Format(u"is %d × %d pixels; the skinned window is 800 × 600, so the background is cut "
                                     u"off or leaves a gap.",
                                     {background->width, background->height}));
    }
    Named(entry, u"PrinterImage." + code, info.PrinterImage,
          u"the skinned window shows an error and none of the pictures after it.");
  }
  CheckButtonPictures(settings);
}

// The skinned window takes its buttons from Resource, named for the
// language; a package that asks for it needs every button it shows, and
// any button picture it ships must decode.
void PictureCheck::CheckButtonPictures(const PackageSettings& settings) {
  if (settings.entries.empty() || settings.entries[0].index != 0) return;
  const config::TRInstallInfo& first = settings.entries[0].info;
  const bool skinned = first.ViewMode == 2;
  const ustring* links[] = {&first.Button2Link, &first.Button3Link, &first.Button4Link, &first.Button5Link};
  std::vector<std::pair<ustring, ustring>> pairs;  // normal, hot
  for (int tag : kButtonTags) {
    const bool shown = tag == 0 ? first.PrinterManager : tag < 2 || tag == 10 || !links[tag - 2]->empty();
    if (skinned && !shown) continue;
    pairs.emplace_back(ui::ButtonPictureName(tag, false, settings.language->code),
                       ui::ButtonPictureName(tag, true, settings.language->code));
  }
  pairs.emplace_back(ui::ClosePictureName(false), ui::ClosePictureName(true));
  pairs.emplace_back(ui::MinimisePictureName(false), ui::MinimisePictureName(true));
  for (const auto& [normal, hot] : pairs) {
    const ustring normalPath = check_.InPackage(u"Resource\\" + normal);
    const ustring hotPath = check_.InPackage(u"Resource\\" + hot);
    const bool hasNormal = check_.Files().FileExists(normalPath), hasHot = check_.Files().FileExists(hotPath);
    if (hasNormal) Decode(normalPath);
    if (hasHot) Decode(hotPath);
    if (skinned && !hasNormal) {
      check_.findings.Error({check_.Shown(normalPath)},
                            u"is missing; the skinned window shows an error instead of this button.");
    } else if (hasNormal && !hasHot) {
      check_.findings.Warning({check_.Shown(normalPath)},
                              Format(u"has no hot twin “%s”; pointing at the button brings up an error box instead of "
                                     u"lighting it.", {hot}));
    }
  }
}

void PictureCheck::ReportSkipped() {
  if (skipped_ == 0) return;
  check_.findings.Warning({}, Format(u"%d pictures were not checked: %s. Check the package on a system that has it, "
                                     u"or with the Linux build.",
                                     {skipped_, check_.environment.pictures->Unavailable()}));
}

}  // namespace prn::tool
