// The PNG decoder: every row filter and sample layout it accepts, the three
// kinds of deflate block, and damaged or oversized input refused unharmed.
#include "support/png_decode.h"

#include <gtest/gtest.h>

#include <string>

#include "support/window_shadow_pixels.h"
#include "tests/png_fixture.h"

namespace ql {
namespace {

std::vector<uint8_t> Bytes(const std::string& hex) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

// A PNG whose rows are written with filter `filter` (stored deflate blocks).
std::vector<uint8_t> FilteredPng(uint32_t width, uint32_t height, uint8_t colourType, int channels, uint8_t filter,
                                 const std::vector<uint8_t>& samples) {
  size_t stride = size_t(width) * size_t(channels);
  std::vector<uint8_t> raw;
  auto at = [&](size_t y, size_t i) -> int { return samples[y * stride + i]; };
  for (size_t y = 0; y < height; ++y) {
    raw.push_back(filter);
    for (size_t i = 0; i < stride; ++i) {
      int left = i >= size_t(channels) ? at(y, i - size_t(channels)) : 0;
      int up = y ? at(y - 1, i) : 0;
      int corner = y && i >= size_t(channels) ? at(y - 1, i - size_t(channels)) : 0;
      int predicted = 0;
      if (filter == 1) predicted = left;
      if (filter == 2) predicted = up;
      if (filter == 3) predicted = (left + up) / 2;
      if (filter == 4) {
        int p = left + up - corner, pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - corner);
        predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
      }
      raw.push_back(uint8_t(at(y, i) - predicted));
    }
  }
  std::vector<uint8_t> z = {0x78, 0x01};
  uint32_t s1 = 1, s2 = 0;
  for (uint8_t c : raw) s1 = (s1 + c) % 65521, s2 = (s2 + s1) % 65521;
  z.push_back(1);  // one final stored block
  size_t len = raw.size();
  z.insert(z.end(), {uint8_t(len), uint8_t(len >> 8), uint8_t(~len), uint8_t(~len >> 8)});
  z.insert(z.end(), raw.begin(), raw.end());
  uint32_t adler = (s2 << 16) | s1;
  z.insert(z.end(), {uint8_t(adler >> 24), uint8_t(adler >> 16), uint8_t(adler >> 8), uint8_t(adler)});

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  auto chunk = [&png](const char* type, const std::vector<uint8_t>& data) {
    uint32_t n = uint32_t(data.size());
    png.insert(png.end(), {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    uint32_t crc = qltest::Crc32(body.data(), body.size());
    png.insert(png.end(), body.begin(), body.end());
    png.insert(png.end(), {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)});
  };
  chunk("IHDR", {uint8_t(width >> 24), uint8_t(width >> 16), uint8_t(width >> 8), uint8_t(width), uint8_t(height >> 24),
                 uint8_t(height >> 16), uint8_t(height >> 8), uint8_t(height), 8, colourType, 0, 0, 0});
  chunk("IDAT", z);
  chunk("IEND", {});
  return png;
}

TEST(PngDecode, EveryFilterAndSampleLayoutGivesThePixelsBack) {
  const struct {
    uint8_t colourType;
    int channels;
  } layouts[] = {{0, 1}, {4, 2}, {2, 3}, {6, 4}};
  const uint32_t width = 7, height = 5;
  for (auto layout : layouts)
    for (uint8_t filter = 0; filter <= 4; ++filter) {
      std::vector<uint8_t> samples;
      for (uint32_t i = 0; i < width * height * uint32_t(layout.channels); ++i) samples.push_back(uint8_t(i * 37 + 11));
      auto picture = DecodePng(FilteredPng(width, height, layout.colourType, layout.channels, filter, samples));
      ASSERT_TRUE(picture) << "colour type " << int(layout.colourType) << ", filter " << int(filter);
      ASSERT_EQ(picture->width, int(width));
      ASSERT_EQ(picture->height, int(height));
      for (uint32_t p = 0; p < width * height; ++p) {
        const uint8_t* s = &samples[p * uint32_t(layout.channels)];
        uint32_t r, g, b, a = 255;
        if (layout.channels <= 2) {
          r = g = b = s[0];
          if (layout.channels == 2) a = s[1];
        } else {
          r = s[0], g = s[1], b = s[2];
          if (layout.channels == 4) a = s[3];
        }
        ASSERT_EQ(picture->argb[p], (a << 24) | (r << 16) | (g << 8) | b)
            << "pixel " << p << ", colour type " << int(layout.colourType) << ", filter " << int(filter);
      }
    }
}

TEST(PngDecode, InflatesFixedCodesWithBackReferences) {
  // zlib streams of one fixed-code block each: a single literal, and "abc"
  // 24 times, which is three literals and back-references.
  auto one = InflateZlib(Bytes("78da4b040000620062"), 100);
  ASSERT_TRUE(one);
  EXPECT_EQ(std::string(one->begin(), one->end()), "a");
  std::string abc;
  for (int i = 0; i < 24; ++i) abc += "abc";
  auto repeated = InflateZlib(Bytes("78014b4c4a4ea4060200ee4d1b91"), 100);
  ASSERT_TRUE(repeated);
  EXPECT_EQ(std::string(repeated->begin(), repeated->end()), abc);
  // More than the caller allows is refused rather than cut.
  EXPECT_FALSE(InflateZlib(Bytes("78014b4c4a4ea4060200ee4d1b91"), 71));
  // A header that is not zlib's (the check bits do not add up).
  EXPECT_FALSE(InflateZlib(Bytes("78db4b040000620062"), 100));
}

TEST(PngDecode, TheBuiltInFramesDecode) {
  // Both hold one block of dynamic codes: the third kind of block.
  for (bool large : {false, true}) {
    auto picture = DecodePng(ShadowFramePng(large));
    ASSERT_TRUE(picture) << large;
    EXPECT_EQ(picture->width, 100);
    EXPECT_EQ(picture->height, 100);
  }
}

TEST(PngDecode, DamagedOrOversizedInputIsRefusedUnharmed) {
  std::span<const uint8_t> frame = ShadowFramePng(false);
  // Every cut of a real picture: nothing read past the end, nothing decoded.
  for (size_t n = 0; n < frame.size(); ++n) EXPECT_FALSE(DecodePng(frame.first(n))) << "cut at " << n << " bytes";
  // Bytes changed anywhere: refused, or a picture of the declared size.
  std::vector<uint8_t> copy(frame.begin(), frame.end());
  for (size_t i = 8; i < copy.size(); ++i)
    for (uint8_t flip : {uint8_t(0x01), uint8_t(0x80), uint8_t(0xFF)}) {
      copy[i] ^= flip;
      if (auto p = DecodePng(copy)) {
        EXPECT_EQ(p->argb.size(), size_t(p->width) * size_t(p->height));
      }
      copy[i] ^= flip;
    }
  // A declared size above the limit is refused before anything is inflated.
  std::vector<uint8_t> huge = qltest::SolidPng(1, 1, 0, 0, 0);
  huge[16] = 0, huge[17] = 0, huge[18] = 0x13, huge[19] = 0x88;  // width 5000
  EXPECT_FALSE(DecodePng(huge));
  EXPECT_FALSE(DecodePng(std::vector<uint8_t>{0x89, 'P', 'N', 'G'}));
  // Rows that inflate to fewer bytes than the picture needs.
  std::vector<uint8_t> solid = qltest::SolidPng(4, 4, 1, 2, 3);
  solid[23] = 5;  // height 5, but only four rows stored
  EXPECT_FALSE(DecodePng(solid));
}

TEST(PngDecode, SolidPictureOfTheTestFixture) {
  auto p = DecodePng(qltest::SolidPng(3, 2, 0x12, 0x34, 0x56, 0x78));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 3);
  EXPECT_EQ(p->height, 2);
  for (uint32_t c : p->argb) EXPECT_EQ(c, 0x78123456u);
}

}  // namespace
}  // namespace ql
