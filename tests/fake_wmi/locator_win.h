// The provider's entry object: IWbemLocator::ConnectServer, which reads the
// mode (QL_FAKE_WMI_MODE) and the machine (QL_FAKE_WMI) afresh on every
// connection, so a test may switch either between two connections.
#pragma once

#include <windows.h>
#include <wbemcli.h>

#include <memory>

#include "tests/fake_wmi/com_object_win.h"
#include "tests/fake_wmi/machine_data.h"

namespace fakewmi {

// The machine named by QL_FAKE_WMI, or null when the variable is unset, the
// file cannot be read or a line is malformed. Each such problem is written
// once to standard error, naming the file (and line); the same unchanged
// file is not reported again.
std::shared_ptr<const MachineData> LoadServedMachine();

class Locator final : public ComObject<Locator, IWbemLocator> {
 public:
  HRESULT STDMETHODCALLTYPE ConnectServer(const BSTR resource, const BSTR user, const BSTR password, const BSTR locale,
                                          LONG securityFlags, const BSTR authority, IWbemContext* context,
                                          IWbemServices** services) override;

 private:
  friend class ql::ComObject<Locator, IWbemLocator>;
  ~Locator() = default;
};

}  // namespace fakewmi
