// Pictures in memory: BMP decoding, premultiplying, resizing, the disabled look, the choice
// of a density variant, and the program's own pictures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/Errors.h"
#include "ui/kit/Picture.h"
#include "ui/kit/Pixels.h"

namespace quirel::kit {
namespace {

uint32_t Alpha(uint32_t p) { return p >> 24; }
uint32_t Red(uint32_t p) { return (p >> 16) & 0xFF; }
uint32_t Blue(uint32_t p) { return p & 0xFF; }

void Put16(std::string& s, uint16_t v) { s.append(reinterpret_cast<const char*>(&v), 2); }
void Put32(std::string& s, uint32_t v) { s.append(reinterpret_cast<const char*>(&v), 4); }

// A BMP file of `bits` per pixel; `rows` top to bottom as (b, g, r, a) bytes.
std::string Bmp(int width, int height, int bits, const std::string& topDownPixels, bool storeTopDown) {
  const size_t stride = ((size_t(width) * bits + 31) / 32) * 4;
  std::string data;
  for (int y = 0; y < height; ++y) {
    const int row = storeTopDown ? y : height - 1 - y;
    std::string line = topDownPixels.substr(size_t(row) * width * (bits / 8), size_t(width) * (bits / 8));
    line.resize(stride, '\0');
    data += line;
  }
  std::string file = "BM";
  Put32(file, uint32_t(54 + data.size()));
  Put32(file, 0);
  Put32(file, 54);
  Put32(file, 40);
  Put32(file, uint32_t(width));
  Put32(file, uint32_t(storeTopDown ? -height : height));
  Put16(file, 1);
  Put16(file, uint16_t(bits));
  for (int i = 0; i < 6; ++i) Put32(file, 0);
  return file + data;
}

TEST(Pixels, DecodesBottomUpAndTopDownWithStraightAlpha) {
  // Row 0: opaque red, half-transparent blue; row 1: transparent, opaque white.
  const std::string px = std::string("\x00\x00\xFF\xFF", 4) + std::string("\xFF\x00\x00\x80", 4) +
                         std::string("\x00\x00\x00\x00", 4) + std::string("\xFF\xFF\xFF\xFF", 4);
  for (bool topDown : {false, true}) {
    const TPixels p = DecodeBmp(Bmp(2, 2, 32, px, topDown));
    ASSERT_EQ(p.Width, 2);
    ASSERT_EQ(p.Height, 2);
    EXPECT_EQ(p.At(0, 0), 0xFFFF0000u) << topDown;
    EXPECT_EQ(Alpha(p.At(1, 0)), 0x80u);
    EXPECT_EQ(Blue(p.At(1, 0)), 0x80u) << "colour is premultiplied";
    EXPECT_EQ(p.At(0, 1), 0u);
    EXPECT_EQ(p.At(1, 1), 0xFFFFFFFFu);
  }
}

TEST(Pixels, DecodesTwentyFourBitsAsOpaque) {
  const std::string px = std::string("\x10\x20\x30", 3) + std::string("\x40\x50\x60", 3) + std::string("\x70\x80\x90", 3);
  const TPixels p = DecodeBmp(Bmp(3, 1, 24, px, false));
  EXPECT_EQ(p.At(0, 0), 0xFF302010u);
  EXPECT_EQ(p.At(2, 0), 0xFF908070u);
}

TEST(Pixels, RefusesWhatIsNoUsableBmp) {
  const std::string good = Bmp(2, 2, 32, std::string(16, '\x7F'), false);
  std::string badBits = good;
  badBits[28] = 8;
  for (const std::string& bytes : {std::string("PNG"), std::string(60, 'B'), good.substr(0, good.size() - 3), badBits})
    EXPECT_THROW(DecodeBmp(bytes), quirel::Exception);
}

TEST(Pixels, ResampleKeepsFlatColourAndAveragesEdges) {
  TPixels p(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) p.At(x, y) = x < 2 ? 0xFFFF0000u : 0u;  // left half opaque red
  const TPixels half = Resample(p, 2, 2);
  EXPECT_EQ(half.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(half.At(1, 1), 0u);
  const TPixels odd = Resample(p, 3, 3);
  // The middle column straddles the edge: half covered.
  EXPECT_NEAR(double(Alpha(odd.At(1, 1))), 128.0, 1.0);
  EXPECT_EQ(Alpha(odd.At(1, 1)), Red(odd.At(1, 1))) << "stays premultiplied";
  const TPixels big = Resample(p, 6, 6);
  EXPECT_EQ(big.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(big.At(5, 5), 0u);
  EXPECT_GT(Alpha(big.At(3, 2)), 0u);
  EXPECT_LT(Alpha(big.At(3, 2)), 255u);
}

TEST(Pixels, DisabledIsGreyAndFaded) {
  TPixels p(1, 1);
  p.At(0, 0) = 0xFF0079BAu;
  const uint32_t d = Disabled(p).At(0, 0);
  EXPECT_LT(Alpha(d), 255u);
  EXPECT_EQ(Red(d), Blue(d));
  EXPECT_LE(Red(d), Alpha(d));
}

TEST(Pixels, BlendPixelIsSourceOver) {
  TPixels p(1, 1);
  p.At(0, 0) = 0xFFFFFFFFu;
  BlendPixel(p, 0, 0, Premultiply(0x0079BA, 0.5));
  EXPECT_EQ(Alpha(p.At(0, 0)), 255u);
  EXPECT_NEAR(double(Red(p.At(0, 0))), 128.0, 1.0);
  EXPECT_NEAR(double(Blue(p.At(0, 0))), (0xBA + 255) / 2.0, 1.0);
  BlendPixel(p, 5, 5, 0xFFFFFFFFu);  // outside: ignored
}

TEST(Picture, ChoosesTheVariantForTheDensity) {
  const std::vector<PictureVariant> both{{96, 16, 16}, {144, 24, 24}};
  EXPECT_EQ(ChoosePictureVariant(both, 96), 0);
  EXPECT_EQ(ChoosePictureVariant(both, 144), 1);
  EXPECT_EQ(ChoosePictureVariant(both, 120), 1) << "the nearest denser one is reduced";
  EXPECT_EQ(ChoosePictureVariant(both, 192), 1) << "else the densest";
  EXPECT_EQ(ChoosePictureVariant(both, 72), 0);
  EXPECT_EQ(ChoosePictureVariant({{144, 24, 24}}, 96), 0);
  EXPECT_EQ(ChoosePictureVariant({}, 96), -1);
}

TEST(Picture, ProgramPicturesHaveBothDensities) {
  for (const wchar_t* name : {L"BACK", L"FORWARD", L"RELOAD", L"HOME", L"DEVTOOLS", L"MENU"}) {
    const TPixels at96 = LoadPicture(name, 96), at144 = LoadPicture(name, 144), at120 = LoadPicture(name, 120);
    EXPECT_EQ(at96.Width, 16) << name;
    EXPECT_EQ(at144.Width, 24) << name;
    EXPECT_EQ(at120.Width, 20) << name;
    // Drawn, not empty: some opaque pixels of the product blue, and transparent corners.
    int solid = 0;
    for (uint32_t p : at144.Data) solid += Alpha(p) == 255 && Blue(p) == 0xBA && Red(p) == 0;
    EXPECT_GT(solid, 20) << name;
    EXPECT_EQ(Alpha(at96.At(0, 0)), 0u) << name;
  }
  const TPixels logo96 = LoadPicture(L"LOGO", 96), logo144 = LoadPicture(L"LOGO", 144);
  EXPECT_EQ(logo96.Height, 56);
  EXPECT_EQ(logo144.Height, 84);
  EXPECT_EQ(logo144.Width, MulDiv(logo96.Width, 3, 2));
  EXPECT_THROW(LoadPicture(L"NO_SUCH_PICTURE", 96), quirel::Exception);
}

TEST(Picture, PicturesMadeInCodeAreScaledSmoothly) {
  TPixels square(10, 10);
  for (uint32_t& p : square.Data) p = 0xFF0079BAu;
  const TPixels big = ScalePicture(square, 144);
  EXPECT_EQ(big.Width, 15);
  EXPECT_EQ(big.At(7, 7), 0xFF0079BAu);
}

}  // namespace
}  // namespace quirel::kit
