// The native decoders, on real files of each format made by the libraries:
// every pixel is read (a cut-off file fails), in place and colour, and the
// format is the one the name says.

#include "tools/prnsetup-tool/picture_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "pictures/picture_writer.h"

namespace prn::tool {
namespace {

using testing::Colour;

struct Format {
  PictureFormat format;
  std::string (*make)(uint32_t, uint32_t, Colour);
  int tolerance;  // JPEG is lossy
};

const Format kFormats[] = {
    {PictureFormat::Png, testing::PngBytes, 0},
    {PictureFormat::Jpeg, testing::JpegBytes, 8},
    {PictureFormat::Gif, testing::GifBytes, 0},
};

void ExpectPixel(const DecodedPicture& picture, uint32_t x, uint32_t y, Colour colour, int tolerance) {
  const uint8_t* bgra = picture.bgra.data() + (size_t{y} * picture.width + x) * 4;
  EXPECT_LE(std::abs(bgra[0] - colour.blue), tolerance) << x << "," << y;
  EXPECT_LE(std::abs(bgra[1] - colour.green), tolerance) << x << "," << y;
  EXPECT_LE(std::abs(bgra[2] - colour.red), tolerance) << x << "," << y;
  EXPECT_EQ(bgra[3], 255);
}

TEST(PictureDecoder, DecodesEachFormatIntoTopDownBgraRows) {
  const auto decoder = MakePictureDecoder();
  for (const Format& format : kFormats) {
    SCOPED_TRACE(PictureFormatName(format.format));
    const std::string bytes = format.make(37, 21, {200, 40, 90});
    EXPECT_EQ(PictureFormatOfContent(bytes), format.format);
    const PictureDecoding decoding = decoder->Decode(format.format, bytes);
    ASSERT_TRUE(decoding.picture) << decoding.fault;
    EXPECT_EQ(decoding.picture->width, 37u);
    EXPECT_EQ(decoding.picture->height, 21u);
    ExpectPixel(*decoding.picture, 36, 20, {200, 40, 90}, format.tolerance);
    if (format.tolerance == 0) {
      ExpectPixel(*decoding.picture, 0, 0, {255, 255, 255}, 0);  // the white corner, where a top-down picture has it
    } else {
      EXPECT_GT(decoding.picture->bgra[1], 120);  // green of the white corner, blurred by the lossy format
    }
  }
}

TEST(PictureDecoder, ACutOffFileOrAnotherFormatDoesNotDecode) {
  const auto decoder = MakePictureDecoder();
  for (const Format& format : kFormats) {
    SCOPED_TRACE(PictureFormatName(format.format));
    const std::string bytes = format.make(64, 64, {1, 2, 3});
    const PictureDecoding cut = decoder->Decode(format.format, bytes.substr(0, bytes.size() / 2));
    EXPECT_FALSE(cut.picture);
    EXPECT_FALSE(cut.fault.empty());
    for (const Format& other : kFormats) {
      if (other.format != format.format) {
        EXPECT_FALSE(decoder->Decode(other.format, bytes).picture);
      }
    }
  }
}

// libjpeg only warns about a file cut off in its picture data and fills in
// grey; the windows would show a damaged picture.
TEST(PictureDecoder, AJpegCutOffInItsPictureDataIsDamaged) {
  const std::string bytes = testing::JpegBytes(256, 256, {200, 40, 90});
  const PictureDecoding cut = MakePictureDecoder()->Decode(PictureFormat::Jpeg, bytes.substr(0, bytes.size() * 3 / 4));
  EXPECT_FALSE(cut.picture);
  EXPECT_NE(cut.fault.find("Premature end"), std::string::npos) << cut.fault;
}

TEST(PictureDecoder, RefusesWhatTheWindowsRefuse) {
  const auto decoder = MakePictureDecoder();
  const PictureDecoding wide = decoder->Decode(PictureFormat::Png, testing::PngBytes(8193, 1, {0, 0, 0}));
  EXPECT_FALSE(wide.picture);
  EXPECT_NE(wide.fault.find("8192"), std::string::npos) << wide.fault;
  EXPECT_FALSE(decoder->Reads(PictureFormat::Bitmap));
  EXPECT_EQ(PictureFormatOfName(u"Resource\\Button11.EN.PNG"), PictureFormat::Png);
  EXPECT_EQ(PictureFormatOfName(u"logo.jpeg"), PictureFormat::Jpeg);
  EXPECT_EQ(PictureFormatOfName(u"logo.png.txt"), PictureFormat::None);
}

}  // namespace
}  // namespace prn::tool
