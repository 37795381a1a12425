// QL_FAKE_WMI_MODE read strictly: a mistyped mode is reported, not ignored.
#include "tests/fake_wmi/provider_mode.h"

#include <charconv>

namespace fakewmi {

std::optional<ProviderMode> ParseProviderMode(std::string_view text) {
  if (text.empty()) return ProviderMode{};
  if (text == "hang") return ProviderMode{ModeKind::kHang, 0};
  if (text == "fail") return ProviderMode{ModeKind::kFail, 0};
  constexpr std::string_view kSlow = "slow:";
  if (text.substr(0, kSlow.size()) != kSlow) return std::nullopt;
  std::string_view digits = text.substr(kSlow.size());
  uint32_t ms = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), ms);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || ms > 3600000) return std::nullopt;
  return ProviderMode{ModeKind::kSlow, ms};
}

}  // namespace fakewmi
