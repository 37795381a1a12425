// ConnectServer: the mode first (hang, fail), then the machine, then the
// namespace. A bad mode or a bad machine serves nothing: the connection
// fails, and WMI looks unavailable to the caller.
#include "tests/fake_wmi/locator_win.h"

#include <optional>
#include <string>

#include "tests/fake_wmi/data_file_win.h"
#include "tests/fake_wmi/provider_mode.h"
#include "tests/fake_wmi/services_win.h"
#include "tests/fake_wmi/wql_query.h"

namespace fakewmi {
namespace {

std::optional<std::wstring> Environment(const wchar_t* name) {
  DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return std::nullopt;
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(name, value.data(), n);
  value.resize(n);
  return value;
}

// What the last connection found, so that an unchanged bad file or mode is
// reported once, not once per query of a detection run.
struct LastLook {
  SRWLOCK lock = SRWLOCK_INIT;
  bool looked = false;
  std::wstring path;
  std::optional<std::string> text;
  std::shared_ptr<const MachineData> machine;
  std::optional<std::wstring> reportedMode;
};

LastLook& Last() {
  static LastLook last;
  return last;
}

// The mode, or nullopt (reported once per distinct text) for a bad one.
std::optional<ProviderMode> ReadMode() {
  std::wstring text = Environment(L"QL_FAKE_WMI_MODE").value_or(L"");
  std::optional<ProviderMode> mode = ParseProviderMode(Utf8(text));
  if (!mode) {
    LastLook& last = Last();
    LockHold hold(last.lock);
    if (last.reportedMode != text) {
      last.reportedMode = text;
      WriteErrorLine("fake wmi: QL_FAKE_WMI_MODE=" + Utf8(text) + " is no mode (hang, fail, slow:N); serving nothing");
    }
  }
  return mode;
}

}  // namespace

std::shared_ptr<const MachineData> LoadServedMachine() {
  std::optional<std::wstring> path = Environment(L"QL_FAKE_WMI");
  std::optional<std::string> text;
  if (path && !path->empty()) text = ReadDataFile(*path);
  std::wstring name = path.value_or(L"");

  LastLook& last = Last();
  LockHold hold(last.lock);
  if (last.looked && last.path == name && last.text == text) return last.machine;
  last.looked = true;
  last.path = name;
  last.text = text;
  last.machine.reset();
  if (name.empty()) {
    WriteErrorLine("fake wmi: QL_FAKE_WMI names no data file; serving nothing");
  } else if (!text) {
    WriteErrorLine("fake wmi: " + Utf8(name) + " cannot be read; serving nothing");
  } else {
    ParseResult parsed = ParseMachineData(*text);
    if (parsed.error)
      WriteErrorLine(DescribeParseError(Utf8(name), *parsed.error) + "; serving nothing");
    else
      last.machine = std::make_shared<const MachineData>(std::move(parsed.data));
  }
  return last.machine;
}

HRESULT Locator::ConnectServer(const BSTR resource, const BSTR, const BSTR, const BSTR, LONG, const BSTR, IWbemContext*,
                               IWbemServices** services) {
  return Guarded([&]() -> HRESULT {
    if (!services) return WBEM_E_INVALID_PARAMETER;
    *services = nullptr;
    std::optional<ProviderMode> mode = ReadMode();
    if (!mode) return WBEM_E_INITIALIZATION_FAILURE;
    if (mode->kind == ModeKind::kHang)
      for (;;) Sleep(INFINITE);  // a WMI service that never answers
    if (mode->kind == ModeKind::kFail) return WBEM_E_FAILED;
    std::shared_ptr<const MachineData> machine = LoadServedMachine();
    if (!machine) return WBEM_E_INITIALIZATION_FAILURE;
    if (!resource || !IsServedNamespace(ArgumentUtf8(resource))) return WBEM_E_INVALID_NAMESPACE;
    *services = new Services(std::move(machine), mode->kind == ModeKind::kSlow ? mode->queryDelayMs : 0);
    return WBEM_S_NO_ERROR;
  });
}

}  // namespace fakewmi
