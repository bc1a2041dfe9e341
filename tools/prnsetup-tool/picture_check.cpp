// The pictures the windows show, decoded as the windows choose their
// decoder: by the file's extension.

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>

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

// One file to decode, and what came of it.
struct Decoding {
  ustring path;
  PictureFormat format;
  std::string bytes;
  std::optional<DecodedPicture> picture;  // its pixels dropped once decoded
  std::string fault;
};

// Decodes every file, on as many threads as the machine has when the decoder
// allows it; each thread takes the next file until none is left.
void DecodeAll(const PictureDecoder& decoder, std::vector<Decoding>& decodings) {
  std::atomic<size_t> next{0};
  auto work = [&]() {
    for (size_t i = next++; i < decodings.size(); i = next++) {
      Decoding& decoding = decodings[i];
      PictureDecoding result = decoder.Decode(decoding.format, decoding.bytes);
      decoding.fault = std::move(result.fault);
      if (result.picture) decoding.picture = DecodedPicture{result.picture->width, result.picture->height, {}};
    }
  };
  const unsigned threads =
      decoder.DecodesOnAnyThread() ? std::clamp(std::thread::hardware_concurrency(), 1u, 8u) : 1u;
  std::vector<std::thread> helpers;
  for (unsigned i = 1; i < threads && i < decodings.size(); ++i) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
}

}  // namespace

void PictureCheck::Named(const PackageEntry& entry, const ustring& key, const ustring& name,
                         const ustring& whenMissing, bool background) {
  if (name.empty()) return;
  const ustring path = check_.InPackage(name);
  if (!check_.Files().FileExists(path)) {
    check_.findings.Error(check_.SettingsPlace(entry.section, key),
                          Format(u"names “%s”, which is not in the package; %s", {name, whenMissing}));
    return;
  }
  kept_.push_back({path, background});
}

void PictureCheck::CheckPackagePictures(const PackageSettings& settings) {
  const ustring& code = settings.language->code;
  for (const PackageEntry& entry : settings.entries) {
    const config::TRInstallInfo& info = entry.info;
    Named(entry, u"Logo", info.Logo, u"the classic window shows the brand's logo instead.");
    Named(entry, u"BGImage." + code, info.BGImage, u"the skinned window shows an error and none of its pictures.",
          true);
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
    if (hasNormal) kept_.push_back({normalPath, false});
    if (hasHot) kept_.push_back({hotPath, false});
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

void PictureCheck::Finish() {
  const PictureDecoder& decoder = *check_.environment.pictures;
  std::vector<Decoding> decodings;
  std::set<ustring> seen;
  int skipped = 0;
  for (const Kept& kept : kept_) {
    if (!seen.insert(AsciiUpper(kept.path)).second) continue;
    const Place place{check_.Shown(kept.path)};
    const PictureFormat format = PictureFormatOfName(kept.path);
    std::string bytes;
    if (format == PictureFormat::None) {
      check_.findings.Error(place, u"is not named as a PNG, JPEG, GIF, bitmap or icon file, so the window cannot "
                                   u"load it.");
    } else if (!decoder.Unavailable().empty()) {
      ++skipped;
    } else if (!decoder.Reads(format)) {
      check_.findings.Warning(place, Format(u"was not decoded: this build of the checker reads PNG, JPEG and GIF, "
                                            u"not %s files.", {FromAscii(PictureFormatName(format))}));
    } else if (check_.Files().ReadFile(kept.path, bytes) != 0) {
      check_.findings.Error(place, u"cannot be read.");
    } else {
      decodings.push_back({kept.path, format, std::move(bytes), std::nullopt, {}});
    }
  }
  DecodeAll(decoder, decodings);

  for (const Decoding& decoding : decodings) {
    const Place place{check_.Shown(decoding.path)};
    const ustring named = FromAscii(PictureFormatName(decoding.format));
    const PictureFormat content = PictureFormatOfContent(decoding.bytes);
    if (decoding.picture) {
      const bool background = std::any_of(kept_.begin(), kept_.end(), [&](const Kept& kept) {
        return kept.background && EqualsNoCase(kept.path, decoding.path);
      });
      if (background && (decoding.picture->width != kSkinWidth || decoding.picture->height != kSkinHeight)) {
        check_.findings.Warning(place, Format(u"is %d × %d pixels; the skinned window is 800 × 600, so the background "
                                              u"is cut off or leaves a gap.",
                                              {decoding.picture->width, decoding.picture->height}));
      }
    } else if (content != PictureFormat::None && content != decoding.format) {
      check_.findings.Error(place, Format(u"is a %s file with a %s name; the window decodes it as %s and fails.",
                                          {FromAscii(PictureFormatName(content)), named, named}));
    } else {
      check_.findings.Error(place, Format(u"does not decode as %s (%s); the window cannot show it.",
                                          {named, FromUtf8(decoding.fault)}));
    }
  }
  if (skipped > 0) {
    check_.findings.Warning({}, Format(u"%d pictures were not checked: %s. Check the package on a system that has "
                                       u"it, or with the Linux build.",
                                       {skipped, decoder.Unavailable()}));
  }
}

}  // namespace prn::tool
