// The owner template over a fake resource: every value is closed exactly
// once, by the owner that holds it last, with that owner's traits.
#include "platform/scoped.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql {
namespace {

std::vector<std::string> g_closed;

struct NumberTraits {
  using Type = int;
  static constexpr int Invalid() { return -1; }
  static bool IsValid(int v) { return v >= 0; }
  static void Close(int v) { g_closed.push_back(std::to_string(v)); }
};
using Number = Unique<NumberTraits>;

// Traits with state: the closing log names the owner's pool.
struct PooledTraits {
  using Type = int;
  const char* pool = "none";
  static constexpr int Invalid() { return 0; }
  static bool IsValid(int v) { return v != 0; }
  void Close(int v) const { g_closed.push_back(std::string(pool) + ":" + std::to_string(v)); }
};
using Pooled = Unique<PooledTraits>;

class UniqueOwner : public ::testing::Test {
 protected:
  void SetUp() override { g_closed.clear(); }
};

TEST_F(UniqueOwner, ClosesOnceAtTheEndAndNeverTheInvalidValue) {
  {
    Number empty;
    Number none(-1);
    Number one(1);
    EXPECT_FALSE(empty);
    EXPECT_FALSE(none);
    EXPECT_TRUE(one);
    EXPECT_EQ(one.Get(), 1);
  }
  EXPECT_EQ(g_closed, std::vector<std::string>{"1"});
}

TEST_F(UniqueOwner, ResetReleaseAndPut) {
  Number n(3);
  n.Reset(4);  // closes 3, holds 4
  EXPECT_EQ(g_closed, std::vector<std::string>{"3"});
  int handed = n.Release();  // nothing closed, nothing held
  EXPECT_EQ(handed, 4);
  EXPECT_FALSE(n);
  n.Reset(5);
  int* out = n.Put();  // closes 5 before the out-parameter is written
  EXPECT_EQ(g_closed, (std::vector<std::string>{"3", "5"}));
  EXPECT_EQ(*out, -1);
  *out = 6;
  EXPECT_EQ(n.Get(), 6);
  n.Reset();
  EXPECT_EQ(g_closed, (std::vector<std::string>{"3", "5", "6"}));
}

TEST_F(UniqueOwner, MovesHandTheValueAndTheTraitsOver) {
  Pooled a(1, {"a"});
  Pooled b(2, {"b"});
  b = std::move(a);  // b's own value closes in b's pool; then b holds a's
  EXPECT_EQ(g_closed, std::vector<std::string>{"b:2"});
  EXPECT_FALSE(a);
  Pooled c(std::move(b));
  EXPECT_FALSE(b);
  auto& self = c;
  c = std::move(self);  // a move onto itself keeps the value
  EXPECT_EQ(c.Get(), 1);
  c.Reset();
  EXPECT_EQ(g_closed, (std::vector<std::string>{"b:2", "a:1"}));
  static_assert(!std::is_copy_constructible_v<Pooled> && !std::is_copy_assignable_v<Pooled>);
}

}  // namespace
}  // namespace ql
