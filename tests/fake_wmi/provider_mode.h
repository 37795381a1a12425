// How the test WMI provider behaves, from QL_FAKE_WMI_MODE: unset or empty
// serves the data; "hang" never returns from ConnectServer (a hung WMI
// service); "fail" fails ConnectServer with WBEM_E_FAILED; "slow:N" makes
// every ExecQuery wait N milliseconds first.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fakewmi {

enum class ModeKind { kServe, kHang, kFail, kSlow };

struct ProviderMode {
  ModeKind kind = ModeKind::kServe;
  uint32_t queryDelayMs = 0;  // kSlow
};

// nullopt for a text that names no mode (the provider then serves nothing).
// N is a decimal number of milliseconds up to one hour.
std::optional<ProviderMode> ParseProviderMode(std::string_view text);

}  // namespace fakewmi
