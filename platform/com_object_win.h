// IUnknown written once: a reference-counted base that implements the COM
// interfaces it lists and answers QueryInterface for each of them and for
// IUnknown. One line declares an object:
//   class Site final : public ComObject<Site, IOleClientSite, ComAlso<IOleInPlaceSite, IOleWindow>> {...};
// ComAlso<I, Parents...> implements I and answers the parents' identifiers
// with it too (a parent interface, or a dispinterface served by I's Invoke).
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>

namespace ql {

template <class Interface, class... AlsoAnswered>
struct ComAlso {};

namespace com_detail {

template <class Entry>
struct Listed {
  using Interface = Entry;
  static bool Answers(REFIID iid) { return IsEqualIID(iid, __uuidof(Entry)); }
};

template <class Interface_, class... AlsoAnswered>
struct Listed<ComAlso<Interface_, AlsoAnswered...>> {
  using Interface = Interface_;
  static bool Answers(REFIID iid) {
    return IsEqualIID(iid, __uuidof(Interface_)) || (IsEqualIID(iid, __uuidof(AlsoAnswered)) || ...);
  }
};

template <class First, class...>
struct FirstOf {
  using Type = First;
};

}  // namespace com_detail

// COM objects end through Release, never through a pointer to an interface,
// whose destructors are not virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// Derived is the final class, deleted as such by the last Release: its
// destructor may stay private with this base as a friend. Each object starts
// with one reference, held by whoever created it.
template <class Derived, class... Entries>
class ComObject : public com_detail::Listed<Entries>::Interface... {
  using Primary = typename com_detail::Listed<typename com_detail::FirstOf<Entries...>::Type>::Interface;

 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = IsEqualIID(iid, IID_IUnknown) ? static_cast<Primary*>(this) : nullptr;
    // The first listed entry that answers wins, as in the list's order.
    ((*out == nullptr && com_detail::Listed<Entries>::Answers(iid)
          ? void(*out = static_cast<typename com_detail::Listed<Entries>::Interface*>(this))
          : void()),
     ...);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

 protected:
  ~ComObject() = default;

 private:
  std::atomic<ULONG> refs_{1};
};

#pragma GCC diagnostic pop

}  // namespace ql
