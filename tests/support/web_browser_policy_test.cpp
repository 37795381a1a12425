// Which addresses the embedded browser uses, and the document mode it asks for.
#include "support/web_browser_policy.h"

#include <gtest/gtest.h>

#include <string>

namespace ql {
namespace {

struct AddressCase {
  std::string address;
  bool web;     // navigated to and opened
  bool inside;  // may be navigated to by a page inside the control
};

TEST(WebBrowserPolicy, OnlyHttpAndHttpsAddressesAreNavigatedOrOpened) {
  const AddressCase cases[] = {
      {"https://larkmere.example/changelog", true, true},
      {"http://127.0.0.1:8080/", true, true},
      {"HTTPS://Larkmere.Example/", true, true},
      {"https://user@host/", true, true},
      {"https://host?q=1", true, true},
      {"https://", false, false},
      {"https:///path", false, false},
      {"https://@/", false, false},
      {"http://:80/", false, false},
      {"http:/host/", false, false},
      {"https:\\\\host\\x", false, false},
      {"ftp://host/", false, false},
      {"file:///C:/Windows/System32/calc.exe", false, false},
      {"C:\\Windows\\System32\\calc.exe", false, false},
      {"mailto:someone@example.com", false, false},
      {"ms-settings:display", false, false},
      {"", false, false},
      {" https://host/", false, false},
      {"https://host/a b", false, false},
      {"https://host/\"--flag", false, false},
      {"https://host/\r\nx", false, false},
      {std::string("https://host/\0x", 15), false, false},
      {"https://host/" + std::string(2070, 'a'), true, true},
      {"https://host/" + std::string(2071, 'a'), false, false},
      // The control's own pages and scripts stay inside it.
      {"about:blank", false, true},
      {"res://ieframe.dll/dnserror.htm#https://host/", false, true},
      {"javascript:void(0)", false, true},
      {"ABOUT:blank", false, true},
  };
  for (const AddressCase& c : cases) {
    EXPECT_EQ(IsWebAddress(c.address), c.web) << c.address.substr(0, 60);
    EXPECT_EQ(MayNavigateInside(c.address), c.inside) << c.address.substr(0, 60);
  }
}

struct EmulationCase {
  const char* svcVersion;
  const char* version;
  uint32_t value;
};

TEST(WebBrowserPolicy, EmulationAsksForTheNewestModeOfTheInstalledEngine) {
  const EmulationCase cases[] = {
      {"11.0.9600.18376", "9.11.9600.18376", 11001},  // Windows 7 with IE11, Windows 8.1, 10, 11
      {"10.0.9200.16384", "9.10.9200.16384", 10001},  // Windows 8
      {"", "9.0.8112.16421", 9999},                   // Windows 7 with IE9
      {"", "8.0.7601.17514", 8888},                   // Windows 7 as shipped
      {"", "7.0.6000.16386", 0},                      // older than any supported system
      {"", "", 0},
      {"garbage", "x.y", 0},
      {"12.0", "", 11001},  // a newer engine still gets the newest mode we know
  };
  for (const EmulationCase& c : cases)
    EXPECT_EQ(BrowserEmulationValue(c.svcVersion, c.version), c.value) << c.svcVersion << " / " << c.version;
}

}  // namespace
}  // namespace ql
