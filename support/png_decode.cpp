// Inflate (stored, fixed and dynamic Huffman blocks) and the PNG chunks,
// filters and sample layouts the decoder accepts.
#include "support/png_decode.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace ql {
namespace {

class BitReader {
 public:
  explicit BitReader(std::span<const uint8_t> data) : data_(data) {}
  // The next n bits (n <= 16), least significant first; 0 past the end,
  // which Failed() then reports.
  uint32_t Bits(int n) {
    while (count_ < n) {
      if (pos_ >= data_.size()) {
        failed_ = true;
        return 0;
      }
      buffer_ |= uint32_t(data_[pos_++]) << count_;
      count_ += 8;
    }
    uint32_t v = buffer_ & ((1u << n) - 1);
    buffer_ >>= n;
    count_ -= n;
    return v;
  }
  void AlignToByte() {
    buffer_ = 0;
    count_ = 0;
  }
  bool Failed() const { return failed_; }
  size_t BytePosition() const { return pos_; }
  void Skip(size_t n) { pos_ += n; }
  std::span<const uint8_t> Data() const { return data_; }

 private:
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
  uint32_t buffer_ = 0;
  int count_ = 0;
  bool failed_ = false;
};

// A canonical Huffman code: how many codes of each length, and the symbols
// in code order.
struct Huffman {
  std::array<uint16_t, 16> counts{};
  std::array<uint16_t, 320> symbols{};
};

// False for a set of lengths that no prefix code has (over-subscribed).
bool BuildHuffman(Huffman& h, const uint8_t* lengths, int n) {
  h.counts.fill(0);
  for (int i = 0; i < n; ++i) h.counts[lengths[i]]++;
  h.counts[0] = 0;
  int left = 1;
  for (int len = 1; len < 16; ++len) {
    left = left * 2 - h.counts[size_t(len)];
    if (left < 0) return false;
  }
  std::array<uint16_t, 16> offsets{};
  for (int len = 1; len < 15; ++len) offsets[size_t(len) + 1] = uint16_t(offsets[size_t(len)] + h.counts[size_t(len)]);
  for (int i = 0; i < n; ++i)
    if (lengths[i]) h.symbols[offsets[lengths[i]]++] = uint16_t(i);
  return true;
}

// Reads one symbol bit by bit; -1 for a code the table does not have.
int DecodeSymbol(BitReader& in, const Huffman& h) {
  int code = 0, first = 0, index = 0;
  for (int len = 1; len < 16; ++len) {
    code |= int(in.Bits(1));
    if (in.Failed()) return -1;
    int count = h.counts[size_t(len)];
    if (code - first < count) return h.symbols[size_t(index + code - first)];
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  return -1;
}

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                        33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

bool InflateCodes(BitReader& in, const Huffman& lit, const Huffman& dist, std::vector<uint8_t>& out, size_t limit) {
  for (;;) {
    int sym = DecodeSymbol(in, lit);
    if (sym < 0) return false;
    if (sym < 256) {
      if (out.size() >= limit) return false;
      out.push_back(uint8_t(sym));
      continue;
    }
    if (sym == 256) return true;
    sym -= 257;
    if (sym >= 29) return false;
    size_t length = kLengthBase[sym] + in.Bits(kLengthExtra[sym]);
    int d = DecodeSymbol(in, dist);
    if (d < 0 || d >= 30) return false;
    size_t distance = kDistanceBase[d] + in.Bits(kDistanceExtra[d]);
    if (in.Failed() || distance > out.size() || out.size() + length > limit) return false;
    size_t from = out.size() - distance;
    for (size_t i = 0; i < length; ++i) out.push_back(out[from + i]);  // may overlap what it writes
  }
}

bool InflateDynamicTables(BitReader& in, Huffman& lit, Huffman& dist) {
  int nlen = int(in.Bits(5)) + 257, ndist = int(in.Bits(5)) + 1, ncode = int(in.Bits(4)) + 4;
  if (in.Failed() || nlen > 286 || ndist > 30) return false;
  static constexpr uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  uint8_t lengths[320] = {};
  for (int i = 0; i < ncode; ++i) lengths[kOrder[i]] = uint8_t(in.Bits(3));
  Huffman code;
  if (in.Failed() || !BuildHuffman(code, lengths, 19)) return false;
  for (int i = 0; i < nlen + ndist;) {
    int sym = DecodeSymbol(in, code);
    if (sym < 0) return false;
    if (sym < 16) {
      lengths[i++] = uint8_t(sym);
      continue;
    }
    uint8_t repeat = 0;
    int times;
    if (sym == 16) {
      if (i == 0) return false;
      repeat = lengths[i - 1];
      times = 3 + int(in.Bits(2));
    } else if (sym == 17) {
      times = 3 + int(in.Bits(3));
    } else {
      times = 11 + int(in.Bits(7));
    }
    if (in.Failed() || i + times > nlen + ndist) return false;
    while (times--) lengths[i++] = repeat;
  }
  if (lengths[256] == 0) return false;  // a block must be able to end
  return BuildHuffman(lit, lengths, nlen) && BuildHuffman(dist, lengths + nlen, ndist);
}

uint32_t ReadBigEndian(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

int Paeth(int a, int b, int c) {
  int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// What the chunks say: the picture's size and sample layout (IHDR) and its
// compressed rows (every IDAT, joined).
struct PngChunks {
  uint32_t width = 0, height = 0;
  int channels = 0;
  std::vector<uint8_t> idat;
};

// The chunks up to IEND, each inside the file; nothing for a file whose
// header this decoder does not take, or that has image data before the
// header or no end.
std::optional<PngChunks> ReadChunks(std::span<const uint8_t> png) {
  static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (png.size() < 8 || !std::equal(kSignature, kSignature + 8, png.begin())) return std::nullopt;
  PngChunks chunks;
  bool ended = false;
  for (size_t at = 8; at + 12 <= png.size() && !ended;) {
    uint32_t length = ReadBigEndian(&png[at]);
    if (length > png.size() - at - 12) return std::nullopt;
    const uint8_t* type = &png[at + 4];
    const uint8_t* data = &png[at + 8];
    auto is = [type](const char* t) { return std::equal(t, t + 4, type); };
    if (is("IHDR")) {
      if (length != 13) return std::nullopt;
      chunks.width = ReadBigEndian(data);
      chunks.height = ReadBigEndian(data + 4);
      uint8_t depth = data[8], colour = data[9], interlace = data[12];
      chunks.channels = colour == 0 ? 1 : colour == 4 ? 2 : colour == 2 ? 3 : colour == 6 ? 4 : 0;
      if (depth != 8 || chunks.channels == 0 || data[10] != 0 || data[11] != 0 || interlace != 0) return std::nullopt;
      if (chunks.width == 0 || chunks.height == 0 || chunks.width > 4096 || chunks.height > 4096) return std::nullopt;
    } else if (is("IDAT")) {
      if (chunks.channels == 0) return std::nullopt;  // before IHDR
      chunks.idat.insert(chunks.idat.end(), data, data + length);
    } else if (is("IEND")) {
      ended = true;
    }
    at += 12 + size_t(length);
  }
  if (!ended || chunks.channels == 0) return std::nullopt;
  return chunks;
}

// Undoes each row's filter in place, against the row above (zeros for the
// first). `raw` holds `height` rows of a filter byte and `stride` samples;
// false for an unknown filter.
bool Unfilter(std::vector<uint8_t>& raw, size_t height, size_t stride, size_t channels) {
  std::vector<uint8_t> zero(stride, 0);
  for (size_t y = 0; y < height; ++y) {
    uint8_t* row = raw.data() + y * (stride + 1);
    uint8_t filter = row[0];
    uint8_t* cur = row + 1;
    const uint8_t* up = y ? cur - (stride + 1) : zero.data();
    for (size_t i = 0; i < stride; ++i) {
      int left = i >= channels ? cur[i - channels] : 0;
      int above = up[i];
      int corner = i >= channels ? up[i - channels] : 0;
      int add;
      switch (filter) {
        case 0: add = 0; break;
        case 1: add = left; break;
        case 2: add = above; break;
        case 3: add = (left + above) / 2; break;
        case 4: add = Paeth(left, above, corner); break;
        default: return false;
      }
      cur[i] = uint8_t(cur[i] + add);
    }
  }
  return true;
}

// The unfiltered rows as 0xAARRGGBB pixels: grey spreads to all three
// colours, and a picture without alpha is opaque.
PngPicture ToArgb(const std::vector<uint8_t>& raw, const PngChunks& chunks) {
  const uint32_t width = chunks.width, height = chunks.height;
  const int channels = chunks.channels;
  size_t stride = size_t(width) * size_t(channels);
  PngPicture picture;
  picture.width = int(width);
  picture.height = int(height);
  picture.argb.resize(size_t(width) * height);
  for (size_t y = 0; y < height; ++y) {
    const uint8_t* s = raw.data() + y * (stride + 1) + 1;
    for (size_t x = 0; x < width; ++x, s += channels) {
      uint32_t r, g, b, a = 255;
      if (channels <= 2) {
        r = g = b = s[0];
        if (channels == 2) a = s[1];
      } else {
        r = s[0], g = s[1], b = s[2];
        if (channels == 4) a = s[3];
      }
      picture.argb[y * width + x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  return picture;
}

}  // namespace

std::optional<std::vector<uint8_t>> InflateZlib(std::span<const uint8_t> zlib, size_t limit) {
  if (zlib.size() < 2) return std::nullopt;
  // Method 8 (deflate), window of at most 32 KiB, no preset dictionary.
  if ((zlib[0] & 0x0F) != 8 || (zlib[0] >> 4) > 7 || (zlib[1] & 0x20) || ((zlib[0] << 8) | zlib[1]) % 31)
    return std::nullopt;
  BitReader in(zlib.subspan(2));
  std::vector<uint8_t> out;
  static const std::pair<Huffman, Huffman> kFixed = [] {
    uint8_t lengths[320];
    for (int i = 0; i < 144; ++i) lengths[i] = 8;
    for (int i = 144; i < 256; ++i) lengths[i] = 9;
    for (int i = 256; i < 280; ++i) lengths[i] = 7;
    for (int i = 280; i < 288; ++i) lengths[i] = 8;
    for (int i = 288; i < 318; ++i) lengths[i] = 5;
    std::pair<Huffman, Huffman> t;
    BuildHuffman(t.first, lengths, 288);
    BuildHuffman(t.second, lengths + 288, 30);
    return t;
  }();
  for (bool last = false; !last;) {
    last = in.Bits(1) != 0;
    uint32_t type = in.Bits(2);
    if (in.Failed()) return std::nullopt;
    if (type == 0) {
      in.AlignToByte();
      size_t at = in.BytePosition();
      std::span<const uint8_t> d = in.Data();
      if (at + 4 > d.size()) return std::nullopt;
      size_t len = d[at] | (d[at + 1] << 8), nlen = d[at + 2] | (d[at + 3] << 8);
      if (len != (~nlen & 0xFFFF) || at + 4 + len > d.size() || out.size() + len > limit) return std::nullopt;
      out.insert(out.end(), d.begin() + long(at + 4), d.begin() + long(at + 4 + len));
      in.Skip(4 + len);
    } else if (type == 1) {
      if (!InflateCodes(in, kFixed.first, kFixed.second, out, limit)) return std::nullopt;
    } else if (type == 2) {
      Huffman lit, dist;
      if (!InflateDynamicTables(in, lit, dist) || !InflateCodes(in, lit, dist, out, limit)) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::optional<PngPicture> DecodePng(std::span<const uint8_t> png) {
  std::optional<PngChunks> chunks = ReadChunks(png);
  if (!chunks) return std::nullopt;
  size_t stride = size_t(chunks->width) * size_t(chunks->channels);
  size_t expected = size_t(chunks->height) * (stride + 1);
  std::optional<std::vector<uint8_t>> raw = InflateZlib(chunks->idat, expected);
  if (!raw || raw->size() != expected) return std::nullopt;
  if (!Unfilter(*raw, chunks->height, stride, size_t(chunks->channels))) return std::nullopt;
  return ToArgb(*raw, *chunks);
}

}  // namespace ql
