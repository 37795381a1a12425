// Builds small, valid PNG files in memory for picture tests (stored deflate
// blocks, no compression library needed).
#pragma once

#include <cstdint>
#include <vector>

namespace qltest {

inline uint32_t Crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// A width x height RGBA picture filled with one colour.
inline std::vector<uint8_t> SolidPng(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b,
                                     uint8_t a = 255) {
  std::vector<uint8_t> raw;
  for (uint32_t y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    for (uint32_t x = 0; x < width; ++x) raw.insert(raw.end(), {r, g, b, a});
  }
  std::vector<uint8_t> z = {0x78, 0x01};
  uint32_t s1 = 1, s2 = 0;
  for (uint8_t c : raw) {
    s1 = (s1 + c) % 65521;
    s2 = (s2 + s1) % 65521;
  }
  for (size_t pos = 0; pos < raw.size() || pos == 0;) {
    size_t len = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
    bool last = pos + len == raw.size();
    z.push_back(last ? 1 : 0);
    z.insert(z.end(), {uint8_t(len), uint8_t(len >> 8), uint8_t(~len), uint8_t(~len >> 8)});
    z.insert(z.end(), raw.begin() + static_cast<long>(pos), raw.begin() + static_cast<long>(pos + len));
    pos += len;
    if (last) break;
  }
  uint32_t adler = (s2 << 16) | s1;
  z.insert(z.end(), {uint8_t(adler >> 24), uint8_t(adler >> 16), uint8_t(adler >> 8), uint8_t(adler)});

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  auto chunk = [&png](const char* type, const std::vector<uint8_t>& data) {
    uint32_t n = static_cast<uint32_t>(data.size());
    png.insert(png.end(), {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    uint32_t crc = Crc32(body.data(), body.size());
    png.insert(png.end(), body.begin(), body.end());
    png.insert(png.end(), {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)});
  };
  chunk("IHDR", {uint8_t(width >> 24), uint8_t(width >> 16), uint8_t(width >> 8), uint8_t(width), uint8_t(height >> 24),
                 uint8_t(height >> 16), uint8_t(height >> 8), uint8_t(height), 8, 6, 0, 0, 0});
  chunk("IDAT", z);
  chunk("IEND", {});
  return png;
}

}  // namespace qltest
