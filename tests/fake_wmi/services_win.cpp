// ExecQuery over the served machine and the enumerator of its results. The
// objects are all there at once, so no call ever waits for its timeout.
#include "tests/fake_wmi/services_win.h"

#include "tests/fake_wmi/class_object_win.h"
#include "tests/fake_wmi/wql_query.h"

namespace fakewmi {
namespace {

bool ValidTimeout(LONG timeout) { return timeout >= 0 || timeout == static_cast<LONG>(WBEM_INFINITE); }

template <class... Out>
HRESULT NotSupported(Out**... out) {
  ((out ? (*out = nullptr, 0) : 0), ...);
  return WBEM_E_NOT_SUPPORTED;
}

}  // namespace

ObjectEnumerator::ObjectEnumerator(ObjectList objects, size_t position)
    : objects_(std::move(objects)), position_(position) {}

HRESULT ObjectEnumerator::Reset() {
  LockHold hold(lock_);
  position_ = 0;
  return WBEM_S_NO_ERROR;
}

HRESULT ObjectEnumerator::Next(LONG timeout, ULONG count, IWbemClassObject** objects, ULONG* returned) {
  return Guarded([&]() -> HRESULT {
    if (returned) *returned = 0;
    if (!objects || !returned || !ValidTimeout(timeout)) return WBEM_E_INVALID_PARAMETER;
    LockHold hold(lock_);
    ULONG n = 0;
    try {
      for (; n < count && position_ < objects_->size(); ++n, ++position_)
        objects[n] = new ClassObject((*objects_)[position_]);
    } catch (...) {
      // Nothing half-handed out: the objects made so far go back.
      for (; n > 0; --n, --position_) {
        objects[n - 1]->Release();
        objects[n - 1] = nullptr;
      }
      throw;
    }
    *returned = n;
    return n == count ? WBEM_S_NO_ERROR : WBEM_S_FALSE;
  });
}

HRESULT ObjectEnumerator::NextAsync(ULONG, IWbemObjectSink*) { return WBEM_E_NOT_SUPPORTED; }

// The copy starts where this one stands and moves on its own.
HRESULT ObjectEnumerator::Clone(IEnumWbemClassObject** copy) {
  return Guarded([&]() -> HRESULT {
    if (!copy) return WBEM_E_INVALID_PARAMETER;
    *copy = nullptr;
    LockHold hold(lock_);
    *copy = new ObjectEnumerator(objects_, position_);
    return WBEM_S_NO_ERROR;
  });
}

HRESULT ObjectEnumerator::Skip(LONG timeout, ULONG count) {
  if (!ValidTimeout(timeout)) return WBEM_E_INVALID_PARAMETER;
  LockHold hold(lock_);
  size_t left = objects_->size() - position_;
  size_t skipped = count < left ? count : left;
  position_ += skipped;
  return skipped == count ? WBEM_S_NO_ERROR : WBEM_S_FALSE;
}

Services::Services(std::shared_ptr<const MachineData> machine, DWORD queryDelayMs)
    : machine_(std::move(machine)), queryDelayMs_(queryDelayMs) {}

HRESULT Services::ExecQuery(const BSTR language, const BSTR query, LONG, IWbemContext*, IEnumWbemClassObject** result) {
  return Guarded([&]() -> HRESULT {
    if (!result) return WBEM_E_INVALID_PARAMETER;
    *result = nullptr;
    if (queryDelayMs_) Sleep(queryDelayMs_);
    if (!language || !EqualsIgnoringAsciiCase(ArgumentUtf8(language), "WQL")) return WBEM_E_INVALID_QUERY_TYPE;
    if (!query) return WBEM_E_INVALID_PARAMETER;
    QueryResult found = RunQuery(*machine_, ArgumentUtf8(query));
    switch (found.outcome) {
      case QueryOutcome::kInvalidQuery: return WBEM_E_INVALID_QUERY;
      case QueryOutcome::kInvalidClass: return WBEM_E_INVALID_CLASS;
      case QueryOutcome::kOk: break;
    }
    auto objects = std::make_shared<const std::vector<WmiObject>>(std::move(found.objects));
    *result = new ObjectEnumerator(std::move(objects), 0);
    return WBEM_S_NO_ERROR;
  });
}

HRESULT Services::OpenNamespace(const BSTR, LONG, IWbemContext*, IWbemServices** working, IWbemCallResult** call) {
  return NotSupported(working, call);
}
HRESULT Services::CancelAsyncCall(IWbemObjectSink*) { return NotSupported(); }
HRESULT Services::QueryObjectSink(LONG, IWbemObjectSink** sink) { return NotSupported(sink); }
HRESULT Services::GetObject(const BSTR, LONG, IWbemContext*, IWbemClassObject** object, IWbemCallResult** call) {
  return NotSupported(object, call);
}
HRESULT Services::GetObjectAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) { return NotSupported(); }
HRESULT Services::PutClass(IWbemClassObject*, LONG, IWbemContext*, IWbemCallResult** call) {
  return NotSupported(call);
}
HRESULT Services::PutClassAsync(IWbemClassObject*, LONG, IWbemContext*, IWbemObjectSink*) { return NotSupported(); }
HRESULT Services::DeleteClass(const BSTR, LONG, IWbemContext*, IWbemCallResult** call) { return NotSupported(call); }
HRESULT Services::DeleteClassAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) { return NotSupported(); }
HRESULT Services::CreateClassEnum(const BSTR, LONG, IWbemContext*, IEnumWbemClassObject** result) {
  return NotSupported(result);
}
HRESULT Services::CreateClassEnumAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) { return NotSupported(); }
HRESULT Services::PutInstance(IWbemClassObject*, LONG, IWbemContext*, IWbemCallResult** call) {
  return NotSupported(call);
}
HRESULT Services::PutInstanceAsync(IWbemClassObject*, LONG, IWbemContext*, IWbemObjectSink*) { return NotSupported(); }
HRESULT Services::DeleteInstance(const BSTR, LONG, IWbemContext*, IWbemCallResult** call) { return NotSupported(call); }
HRESULT Services::DeleteInstanceAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) { return NotSupported(); }
HRESULT Services::CreateInstanceEnum(const BSTR, LONG, IWbemContext*, IEnumWbemClassObject** result) {
  return NotSupported(result);
}
HRESULT Services::CreateInstanceEnumAsync(const BSTR, LONG, IWbemContext*, IWbemObjectSink*) { return NotSupported(); }
HRESULT Services::ExecQueryAsync(const BSTR, const BSTR, LONG, IWbemContext*, IWbemObjectSink*) {
  return NotSupported();
}
HRESULT Services::ExecNotificationQuery(const BSTR, const BSTR, LONG, IWbemContext*, IEnumWbemClassObject** result) {
  return NotSupported(result);
}
HRESULT Services::ExecNotificationQueryAsync(const BSTR, const BSTR, LONG, IWbemContext*, IWbemObjectSink*) {
  return NotSupported();
}
HRESULT Services::ExecMethod(const BSTR, const BSTR, LONG, IWbemContext*, IWbemClassObject*, IWbemClassObject** out,
                             IWbemCallResult** call) {
  return NotSupported(out, call);
}
HRESULT Services::ExecMethodAsync(const BSTR, const BSTR, LONG, IWbemContext*, IWbemClassObject*, IWbemObjectSink*) {
  return NotSupported();
}

}  // namespace fakewmi
