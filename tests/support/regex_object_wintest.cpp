// The system's VBScript engine answers the same RegexObject cases, and an
// object leaves its thread's COM state as it found it.
#include <windows.h>
#include <objbase.h>

#include <thread>

#include "tests/support/regex_object_cases.h"

namespace ql {
namespace {

TEST(RegexObjectCom, ObjectsLeaveTheThreadUninitialised) {
  HRESULT after = E_FAIL;
  std::thread worker([&] {
    {
      RegexObject re;
      RegexObject copy(re);
      re.Match("a", "a");
    }
    // Nothing is left initialised: the thread can still choose the free-threaded model.
    after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(after)) CoUninitialize();
  });
  worker.join();
  EXPECT_EQ(after, S_OK);
}

TEST(RegexObjectCom, WorksOnAThreadAlreadyInAnotherApartment) {
  int count = -1;
  std::thread worker([&] {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
      RegexObject re;
      re.Match("b", "abcb");
      count = re.MatchCount();
    }
    if (SUCCEEDED(hr)) CoUninitialize();
  });
  worker.join();
  EXPECT_EQ(count, 2);
}

}  // namespace
}  // namespace ql
