// libFuzzer target for the test WMI provider's two readers of text it does
// not control: a data file of any bytes, and a WQL query of any bytes over
// the machine that file describes (or a fixed one). Run by hand:
//   build/fuzz/fake_wmi_data_fuzz -max_total_time=60
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/fake_wmi/machine_data.h"
#include "tests/fake_wmi/provider_mode.h"
#include "tests/fake_wmi/wql_query.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  fakewmi::ParseResult parsed = fakewmi::ParseMachineData(input);
  // A refused file serves nothing at all.
  if (parsed.error && (!parsed.data.objects.empty() || !parsed.data.registryKeys.empty())) __builtin_trap();
  if (parsed.error && parsed.error->line < 1) __builtin_trap();

  static const fakewmi::MachineData kFixed = fakewmi::ParseMachineData(
                                                 "[Win32_DiskDrive]\nName=\\\\.\\PHYSICALDRIVE0\nIndex:i4=0\n"
                                                 "MediaLoaded:bool=true\nSerialNumber:null\nT:i4[]=1,2\n")
                                                 .data;
  const fakewmi::MachineData& machine = parsed.error ? kFixed : parsed.data;
  fakewmi::QueryResult result = fakewmi::RunQuery(machine, input);
  if (result.outcome != fakewmi::QueryOutcome::kOk && !result.objects.empty()) __builtin_trap();
  if (result.objects.size() > machine.objects.size()) __builtin_trap();
  fakewmi::IsServedNamespace(input);
  fakewmi::ParseProviderMode(input);
  return 0;
}
