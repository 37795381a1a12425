// The one address check of every opener, and the check of the addresses that
// command scripts carry.
#include "support/web_address.h"

#include <gtest/gtest.h>

#include <string>

#include "support/web_addresses.h"

namespace ql {
namespace {

TEST(WebAddress, EveryRefusedByteIsRefusedWhereverItStands) {
  // Each byte that may end or redirect a command line, and the control bytes
  // around the space, in the host, the path and the query of an address that
  // is accepted without it.
  const std::string refused[] = {"\"",   "<",    ">",   "^", "|", " ", "\t", "\r", "\n", std::string(1, '\0'),
                                 "\x01", "\x1f", "\x7f"};
  const std::string plain = "https://dl.example/p.zip?a=1";
  ASSERT_TRUE(IsWebAddress(plain));
  for (const std::string& bad : refused) {
    for (size_t at : {size_t{9}, size_t{19}, plain.size()}) {
      std::string address = plain;
      address.insert(at, bad);
      EXPECT_FALSE(IsWebAddress(address))
          << "byte " << static_cast<int>(static_cast<unsigned char>(bad[0])) << " at " << at;
    }
  }
}

TEST(WebAddress, SchemeHostAndLength) {
  struct Case {
    std::string address;
    bool web;
  } cases[] = {
      {"https://larkmere.example/changelog", true},
      {"HTTP://Larkmere.Example/", true},
      {"http://127.0.0.1:8080/a&b=%20#top", true},  // & and % are ordinary in a link
      {"https://host/\xc7\xe0\xe1\xb0", true},      // GBK bytes in the path
      {"https://user@host/", true},
      {"https://", false},
      {"https:///path", false},
      {"http://:80/", false},
      {"http:/host/", false},
      {"ftp://host/", false},
      {"file:///C:/Windows/System32/calc.exe", false},
      {"C:\\Windows\\System32\\calc.exe", false},
      {"", false},
      {"https://host/" + std::string(kMaxWebAddress - 13, 'a'), true},
      {"https://host/" + std::string(kMaxWebAddress - 12, 'a'), false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsWebAddress(c.address), c.web) << c.address.substr(0, 60);
}

TEST(WebAddress, CommandSpecialCharacters) {
  for (char c : std::string("&|<>^%\"")) {
    std::string text = std::string("https://host/a") + c + "b";
    EXPECT_TRUE(HasCommandSpecialCharacter(text)) << c;
  }
  EXPECT_FALSE(HasCommandSpecialCharacter("https://larkmere.example/a-b_c.d~e?f=g#h"));
  // The built-in addresses are checked by the compiler; the same check holds
  // when it runs.
  for (std::string_view address : web::kAllAddresses) {
    EXPECT_TRUE(IsWebAddress(address)) << address;
    EXPECT_FALSE(HasCommandSpecialCharacter(address)) << address;
  }
}

}  // namespace
}  // namespace ql
