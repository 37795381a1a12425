#include "support/web_browser_policy.h"

#include "support/gbk_text.h"

namespace ql {
namespace {

// The longest address the engine accepts (INTERNET_MAX_URL_LENGTH).
constexpr size_t kMaxAddress = 2083;

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

bool HasUnsafeByte(std::string_view text) {
  for (char c : text) {
    auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b == 0x7F || c == '"') return true;
  }
  return false;
}

// The leading decimal number of a version text ("11.0.9600.18376" -> 11).
int MajorVersion(std::string_view text) {
  int major = 0;
  size_t i = 0;
  for (; i < text.size() && i < 4 && text[i] >= '0' && text[i] <= '9'; ++i) major = major * 10 + (text[i] - '0');
  return i == 0 ? 0 : major;
}

}  // namespace

bool IsWebAddress(std::string_view address) {
  if (address.size() > kMaxAddress || HasUnsafeByte(address)) return false;
  std::string_view rest;
  if (StartsWithIgnoreCase(address, "http://"))
    rest = address.substr(7);
  else if (StartsWithIgnoreCase(address, "https://"))
    rest = address.substr(8);
  else
    return false;
  // The host part ends at the path, query or fragment; it may not be empty.
  size_t end = rest.find_first_of("/?#\\");
  std::string_view authority = rest.substr(0, end);
  size_t at = authority.rfind('@');
  std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
  return !host.empty() && host[0] != ':';
}

bool MayNavigateInside(std::string_view address) {
  if (IsWebAddress(address)) return true;
  for (std::string_view scheme : {"about:", "res://", "javascript:"})
    if (StartsWithIgnoreCase(address, scheme) && address.size() <= kMaxAddress) return true;
  return false;
}

uint32_t BrowserEmulationValue(std::string_view svcVersion, std::string_view version) {
  int major = MajorVersion(svcVersion);
  if (major == 0) major = MajorVersion(version);
  // The "forced" values: the newest mode even for pages without a doctype.
  if (major >= 11) return 11001;
  if (major == 10) return 10001;
  if (major == 9) return 9999;
  if (major == 8) return 8888;
  return 0;
}

}  // namespace ql
