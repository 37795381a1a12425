#include "support/web_browser_policy.h"

namespace ql {
namespace {

// The leading decimal number of a version text ("11.0.9600.18376" -> 11).
int MajorVersion(std::string_view text) {
  int major = 0;
  size_t i = 0;
  for (; i < text.size() && i < 4 && text[i] >= '0' && text[i] <= '9'; ++i) major = major * 10 + (text[i] - '0');
  return i == 0 ? 0 : major;
}

}  // namespace

bool MayNavigateInside(std::string_view address) {
  if (IsWebAddress(address)) return true;
  for (std::string_view scheme : {"about:", "res://", "javascript:"})
    if (StartsWithAsciiNoCase(address, scheme) && address.size() <= kMaxWebAddress) return true;
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
