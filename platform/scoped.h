// One owner for every kind of resource: it holds a value of Traits::Type and
// closes it with Traits::Close when it goes, unless the value is invalid
// (Traits::IsValid). Moves hand the value over; copies are refused. Traits
// may carry state (the DC a selection belongs to), kept beside the value.
// Portable, so portable code can own handles of an abstract transport too;
// the Windows kinds are one-line aliases in platform/scoped_win.h.
#pragma once

#include <type_traits>
#include <utility>

namespace ql {

template <class Traits>
class Unique : private Traits {
 public:
  using Type = typename Traits::Type;

  Unique() = default;
  explicit Unique(Type value, Traits traits = Traits()) : Traits(traits), value_(value) {}
  Unique(Unique&& other) noexcept : Traits(static_cast<const Traits&>(other)), value_(other.Release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) {
      Reset(other.Release());  // the old value closes with the old traits
      static_cast<Traits&>(*this) = static_cast<const Traits&>(other);
    }
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { Reset(); }

  const Type& Get() const { return value_; }
  explicit operator bool() const { return Traits::IsValid(value_); }
  auto operator->() const {
    if constexpr (std::is_pointer_v<Type>)
      return value_;
    else
      return &value_;
  }
  // Closes what is held and takes `value`.
  void Reset(Type value = Traits::Invalid()) {
    Type old = std::exchange(value_, value);
    if (Traits::IsValid(old)) Traits::Close(old);
  }
  // Hands the value to the caller, who closes it from then on.
  [[nodiscard]] Type Release() { return std::exchange(value_, Traits::Invalid()); }
  // For out-parameters: closes what is held first.
  Type* Put() {
    Reset();
    return &value_;
  }

 private:
  Type value_ = Traits::Invalid();
};

// Traits for a pointer-like value whose invalid value is nullptr.
template <class T, auto CloseFunction>
struct NullTraits {
  using Type = T;
  static constexpr T Invalid() { return nullptr; }
  static bool IsValid(T value) { return value != nullptr; }
  static void Close(T value) { CloseFunction(value); }
};

}  // namespace ql
