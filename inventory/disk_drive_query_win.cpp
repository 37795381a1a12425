// Win32_DiskDrive through IWbemLocator / IWbemServices: one connection per
// call, released at the end of the call.
#include "inventory/disk_drive_query_win.h"

#include <wbemidl.h>

#include "inventory/disk_drive_query.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/dispatch_call_win.h"

namespace ql {
namespace disk_wmi {
namespace {

constexpr long kQueryFlags = WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY;  // 48

}  // namespace

ScopedBstr TextToBstr(std::string_view gbk) {
  std::wstring wide = Wide(gbk);
  return MakeBstr(wide.data(), wide.size());
}

// The services of `nameSpace`, or empty. COM is initialised for the thread;
// a thread already in another apartment keeps it and the call goes on there.
// After a success COM stays initialised on the thread, so the next call
// finds it ready; a failure gives back only an initialisation of our own.
ScopedComPtr<IWbemServices> ConnectWmi(std::string_view nameSpace) {
  // Declared first, so it goes last: after the locator on every failure.
  ScopedComInit com = InitializeCom(COINIT_MULTITHREADED);
  // Security already set earlier in the process makes this fail, harmlessly.
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                       EOAC_NONE, nullptr);
  CLSID clsid{};
  IID iid{};
  std::wstring clsidText = Wide("{4590f811-1d3a-11d0-891f-00aa004b2e24}");
  std::wstring iidText = Wide("{dc12a687-737f-11cf-884d-00aa004b2e24}");
  if (FAILED(CLSIDFromString(clsidText.data(), &clsid)) || FAILED(IIDFromString(iidText.data(), &iid))) return {};

  ScopedComPtr<IWbemLocator> locator;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, PutVoid(locator)))) return {};
  ScopedComPtr<IWbemServices> services;
  {
    ScopedBstr ns = TextToBstr(nameSpace);
    if (FAILED(locator->ConnectServer(ns.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.Put())) ||
        !services)
      return {};
  }
  CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
  (void)com.Release();  // connected: COM stays initialised on the thread
  return services;
}

ScopedComPtr<IEnumWbemClassObject> Query(IWbemServices* services, std::string_view query) {
  ScopedBstr language = TextToBstr("WQL");
  ScopedBstr text = TextToBstr(query);
  ScopedComPtr<IEnumWbemClassObject> objects;
  if (FAILED(services->ExecQuery(language.Get(), text.Get(), kQueryFlags, nullptr, objects.Put()))) objects.Reset();
  return objects;
}

void GetDiskProperty(std::string_view query, std::string_view property, VARIANT* result) {
  VARIANT zero{};
  zero.vt = VT_I4;
  zero.lVal = 0;
  ScopedVariant working(zero);
  {
    ScopedComPtr<IWbemServices> services = ConnectWmi("root\\CIMV2");
    if (services) {
      if (ScopedComPtr<IEnumWbemClassObject> objects = Query(services.Get(), query)) {
        ULONG returned = 0;
        do {
          ScopedComPtr<IWbemClassObject> object;
          returned = 0;
          if (objects->Next(kNextTimeoutMs, 1, object.Put(), &returned) == WBEM_S_NO_ERROR && object) {
            ScopedBstr name = TextToBstr(property);
            // A failed Get leaves the value of an earlier object (or VT_I4 0).
            ScopedVariant value;
            if (SUCCEEDED(object->Get(name.Get(), 0, value.Put(), nullptr, nullptr))) working.Reset(value.Release());
          }
        } while (returned == 1);
      }
    }
  }
  VariantInit(result);
  VariantCopy(result, const_cast<VARIANT*>(&working.Get()));
}

int64_t VariantToInteger(const VARIANT& value) {
  int64_t exact = 0;
  if (value.vt == VT_BSTR && value.bstrVal &&
      ParseDecimalInt64(Gbk(std::wstring_view(value.bstrVal, SysStringLen(value.bstrVal))), exact))
    return exact;
  ScopedVariant number;
  if (FAILED(VariantChangeType(number.Put(), const_cast<VARIANT*>(&value), 0, VT_R8)) || number->vt != VT_R8) return 0;
  return TruncateToInt64(number->dblVal);
}

bool VariantToBool(const VARIANT& value) {
  ScopedVariant flag;
  if (FAILED(VariantChangeType(flag.Put(), const_cast<VARIANT*>(&value), 0, VT_BOOL)) || flag->vt != VT_BOOL)
    return false;
  return flag->boolVal != VARIANT_FALSE;
}

}  // namespace disk_wmi

int DiskDriveQuery::ListDiskDriveNames(std::vector<std::string>& names) const {
  names.clear();
  ScopedComPtr<IWbemServices> services = disk_wmi::ConnectWmi("root\\CIMV2");
  if (!services) return 0;
  if (ScopedComPtr<IEnumWbemClassObject> objects =
          disk_wmi::Query(services.Get(), "Select Name From Win32_DiskDrive")) {
    ULONG returned = 0;
    do {
      ScopedComPtr<IWbemClassObject> object;
      returned = 0;
      if (objects->Next(disk_wmi::kNextTimeoutMs, 1, object.Put(), &returned) == WBEM_S_NO_ERROR && object) {
        ScopedBstr name = disk_wmi::TextToBstr("Name");
        ScopedVariant value;
        if (object->Get(name.Get(), 0, value.Put(), nullptr, nullptr) == WBEM_S_NO_ERROR)
          names.push_back(VariantToGbk(value.Get()));
      }
    } while (returned == 1);
  }
  return static_cast<int>(names.size());
}

namespace {

// One getter: its own query for the disk, one property, one conversion.
struct DiskProperty {
  ScopedVariant value;
  DiskProperty(const DiskDriveQuery& q, std::string_view driveName, std::string_view property) {
    disk_wmi::GetDiskProperty(q.BuildDiskQuery(driveName), property, value.Put());
  }
  std::string Text() const { return VariantToGbk(value.Get()); }
  int64_t Integer() const { return disk_wmi::VariantToInteger(value.Get()); }
  bool Flag() const { return disk_wmi::VariantToBool(value.Get()); }
};

}  // namespace

#define QL_TEXT_GETTER(Getter, property) \
  std::string DiskDriveQuery::Getter(std::string_view d) const { return DiskProperty(*this, d, property).Text(); }
#define QL_INTEGER_GETTER(Getter, property) \
  int64_t DiskDriveQuery::Getter(std::string_view d) const { return DiskProperty(*this, d, property).Integer(); }

QL_TEXT_GETTER(Description, "Description")
QL_TEXT_GETTER(FirmwareRevision, "FirmwareRevision")
QL_INTEGER_GETTER(Index, "index")
QL_TEXT_GETTER(InterfaceType, "InterfaceType")
QL_TEXT_GETTER(Manufacturer, "Manufacturer")
bool DiskDriveQuery::MediaLoaded(std::string_view d) const { return DiskProperty(*this, d, "MediaLoaded").Flag(); }
QL_TEXT_GETTER(MediaType, "MediaType")
QL_TEXT_GETTER(Model, "Model")
QL_INTEGER_GETTER(Partitions, "Partitions")
QL_TEXT_GETTER(PNPDeviceID, "PNPDeviceID")
QL_TEXT_GETTER(SCSIBus, "SCSIBus")
QL_TEXT_GETTER(SCSILogicalUnit, "SCSILogicalUnit")
QL_TEXT_GETTER(SCSIPort, "scsiport")
QL_TEXT_GETTER(SCSITargetId, "SCSITargetId")
QL_INTEGER_GETTER(SectorsPerTrack, "SectorsPerTrack")
std::string DiskDriveQuery::SerialNumber(std::string_view d) const {
  return TrimSerialNumber(DiskProperty(*this, d, "SerialNumber").Text());
}
QL_INTEGER_GETTER(Signature, "Signature")
QL_INTEGER_GETTER(Size, "Size")
QL_INTEGER_GETTER(TotalCylinders, "TotalCylinders")
QL_INTEGER_GETTER(TotalHeads, "TotalHeads")
QL_INTEGER_GETTER(TotalSectors, "TotalSectors")
QL_INTEGER_GETTER(TotalTracks, "TotalTracks")
QL_INTEGER_GETTER(BytesPerSector, "BytesPerSector")

#undef QL_TEXT_GETTER
#undef QL_INTEGER_GETTER

}  // namespace ql
