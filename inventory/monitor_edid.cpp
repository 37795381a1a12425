// EDID fields as texts. Every read is checked against the block's length:
// the block comes from the registry and may be of any size.
#include "inventory/monitor_edid.h"

#include <array>
#include <cmath>

#include "support/gbk_text.h"

namespace ql {

const std::string_view ManufacturerLetterTable =
    "00001=1=A\r\n00010=2=B\r\n00011=3=C\r\n00100=4=D\r\n00101=5=E\r\n00110=6=F\r\n00111=7=G\r\n"
    "01000=8=H\r\n01001=9=I\r\n01010=10=J\r\n01011=11=K\r\n01100=12=L\r\n01101=13=M\r\n"
    "01110=14=N\r\n01111=15=O\r\n10000=16=P\r\n10001=17=Q\r\n10010=18=R\r\n10011=19=S\r\n"
    "10100=20=T\r\n10101=21=U\r\n10110=22=V\r\n10111=23=W\r\n11000=24=X\r\n11001=25=Y\r\n"
    "11010=26=Z";

namespace {

std::string BinaryDigits(unsigned group) {
  std::string digits;
  for (int bit = 4; bit >= 0; --bit) digits.push_back((group >> bit) & 1u ? '1' : '0');
  return digits;
}

// The letter table by 5-bit value, read from its text once: the table is a
// constant, and walking its lines for each of a block's three groups cost
// more than the rest of the decoding together. The first line of a value wins.
const std::array<std::string, 32>& LettersByValue() {
  static const std::array<std::string, 32> letters = [] {
    std::array<std::string, 32> byValue;
    for (const std::string& line : SplitText(ManufacturerLetterTable, "\r\n")) {
      std::vector<std::string> parts = SplitText(line, "=");
      if (parts.size() != 3) continue;
      for (unsigned v = 0; v < byValue.size(); ++v)
        if (parts[0] == BinaryDigits(v) && byValue[v].empty()) byValue[v] = parts[2];
    }
    return byValue;
  }();
  return letters;
}

// A 5-bit group as its letter from the table, or as its five binary digits.
std::string GroupText(unsigned group) {
  const std::string& letter = LettersByValue()[group & 31];
  return letter.empty() ? BinaryDigits(group & 31) : letter;
}

std::string ManufacturerCodeText(uint8_t hi, uint8_t lo) {
  unsigned v = static_cast<unsigned>(hi) * 256 + lo;
  std::string code = GroupText((v >> 10) & 31) + GroupText((v >> 5) & 31) + GroupText(v & 31);
  if (code.find_first_of("01") != std::string::npos) return std::string(kUnknownManufacturerText);
  return code;
}

// Bytes [from, from+count) with the zero bytes dropped.
std::string DescriptorText(const std::vector<uint8_t>& b, size_t from, size_t count) {
  std::string text;
  for (size_t i = from; i < from + count; ++i)
    if (b[i] != 0) text.push_back(static_cast<char>(b[i]));
  return text;
}

// CR LF pairs, then lone CRs, then the surrounding spaces; byte by byte, so
// a line feed the spaces padded survives at the end.
std::string CleanModelText(std::string text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    out.push_back(text[i]);
  }
  std::erase(out, '\r');
  size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  size_t last = out.find_last_not_of(' ');
  return out.substr(first, last - first + 1);
}

std::string DiagonalText(uint8_t widthCm, uint8_t heightCm) {
  double inches = std::sqrt(double(widthCm) * widthCm + double(heightCm) * heightCm) * 0.393700787;
  double tenths = inches * 10.0;
  double whole = std::floor(tenths);
  if (tenths - whole + 1e-12 >= 0.5) whole += 1.0;  // halves away from zero
  float rounded = static_cast<float>(whole / 10.0);
  return FormatText("%.6g", static_cast<double>(rounded));
}

}  // namespace

std::vector<uint8_t> ReadEdidBlock(std::string_view pnpDeviceId, const EdidValueReader& readValue) {
  static constexpr const char* kControlSets[] = {"SYSTEM\\ControlSet001\\Enum\\", "SYSTEM\\ControlSet002\\Enum\\",
                                                 "SYSTEM\\ControlSet003\\Enum\\"};
  std::vector<uint8_t> block;
  for (const char* set : kControlSets) {
    block = readValue(set + std::string(pnpDeviceId) + "\\Device Parameters");
    if (block.size() >= 10) break;
  }
  return block;
}

MonitorInfo DecodeEdidBlock(std::string_view pnpDeviceId, std::vector<uint8_t> block,
                            const VendorLookup& lookupVendor) {
  MonitorInfo info;
  if (block.empty()) return info;
  const std::vector<uint8_t>& b = block;
  auto has = [&](size_t lastOffset) { return lastOffset < b.size(); };

  if (has(9)) {
    info.ManufacturerCode = ManufacturerCodeText(b[8], b[9]);
    info.ManufacturerIdHex = FormatText("%02X %02X", b[8], b[9]);
  }
  if (has(107)) info.ModelText = CleanModelText(DescriptorText(b, 95, 13));
  if (has(22)) {
    info.DiagonalInches = DiagonalText(b[21], b[22]);
    info.HeightCm = DecimalText(b[22]);
    info.WidthCm = DecimalText(b[21]);
  }
  if (has(125)) info.ExtraText = DescriptorText(b, 113, 13);
  if (has(17)) info.ManufactureDate = DecimalText(b[17] + 1990) + "年第" + DecimalText(b[16]) + "周";
  if (has(19)) info.EdidVersion = DecimalText(b[18]) + "." + DecimalText(b[19]);

  std::vector<std::string> parts = SplitText(pnpDeviceId, "\\");
  if (parts.size() == 3) info.VendorDisplay = lookupVendor(parts[1]);
  info.RawEdid = std::move(block);
  return info;
}

MonitorInfo DecodeMonitorEdid(std::string_view pnpDeviceId, const EdidValueReader& readValue,
                              const VendorLookup& lookupVendor) {
  return DecodeEdidBlock(pnpDeviceId, ReadEdidBlock(pnpDeviceId, readValue), lookupVendor);
}

}  // namespace ql
