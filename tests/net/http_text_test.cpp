// The header block, the status, the cookies and the charset of a page.
#include "net/http_text.h"

#include <gtest/gtest.h>

#include <string>

namespace ql {
namespace {

const std::string kUa = "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)";
const std::string kAccept = "Accept: text/html, application/xhtml+xml, */*";
const std::string kEnc = "Accept-Encoding: gbk, GB2312";
const std::string kLang = "Accept-Language: zh-cn";
const std::string kType = "Content-Type: application/x-www-form-urlencoded";
const std::string kCache = "Cache-Control: no-cache";

TEST(BuildRequestHeaders, DefaultsAreFiveLinesInOrderWithoutFinalLineEnd) {
  EXPECT_EQ(BuildRequestHeaders("", 0, "", true, true),
            kUa + "\r\n" + kAccept + "\r\n" + kEnc + "\r\n" + kLang + "\r\n" + kCache);
}

TEST(BuildRequestHeaders, CasesOfTheCallersLines) {
  struct Case {
    const char* extra;
    int method;
    const char* cookies;
    bool complete, normalize;
    std::string expected;
  } cases[] = {
      // A lower-case user agent suppresses the default and is capitalised.
      {"user-agent: X", 0, "", true, true,
       "User-Agent: X\r\n" + kAccept + "\r\n" + kEnc + "\r\n" + kLang + "\r\n" + kCache},
      // A line without ":" goes only when names are normalised.
      {"junk\r\nX-a: 1", 0, "", false, true, "X-A: 1"},
      {"junk\r\nX-a: 1", 0, "", false, false, "junk\r\nX-a: 1\r\n"},
      // POST adds the form content type; PUT never; an index out of range is GET.
      {"", 1, "", true, true,
       kUa + "\r\n" + kAccept + "\r\n" + kEnc + "\r\n" + kLang + "\r\n" + kType + "\r\n" + kCache},
      {"", 3, "", true, true, kUa + "\r\n" + kAccept + "\r\n" + kEnc + "\r\n" + kLang + "\r\n" + kCache},
      {"content-type: text/plain", 1, "", true, true,
       "Content-Type: text/plain\r\n" + kUa + "\r\n" + kAccept + "\r\n" + kEnc + "\r\n" + kLang + "\r\n" + kCache},
      // Cookies become a Cookie line, or are sent as the caller wrote the line.
      {"", 0, "a=1", false, true, "\r\nCookie: a=1\r\n"},
      {"", 0, "Cookie: a=1", false, true, "\r\nCookie: a=1\r\n"},
      {"cookie: z=9", 0, "a=1", false, true, "Cookie: z=9"},
      // A keep-alive line followed by others is removed; close is kept.
      {"Connection: keep-alive", 0, "", true, true,
       kUa + "\r\n" + kAccept + "\r\n" + kEnc + "\r\n" + kLang + "\r\n" + kCache},
      {"Connection: close", 0, "", true, true,
       "Connection: close\r\n" + kUa + "\r\n" + kAccept + "\r\n" + kEnc + "\r\n" + kLang + "\r\n" + kCache},
      {"", 0, "", false, true, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildRequestHeaders(c.extra, c.method, c.cookies, c.complete, c.normalize), c.expected)
        << c.extra << " method " << c.method;
  }
}

TEST(NormalizeHeaderNames, CapitalisesEveryWordOfTheNameOnly) {
  EXPECT_EQ(NormalizeHeaderNames("x-my-header: a-b\r\n\r\nno colon\r\n-x-: v"), "X-My-Header: a-b\r\n-X-: v");
  EXPECT_EQ(NormalizeHeaderNames("名字-a: 值"), "名字-A: 值");
  EXPECT_EQ(NormalizeHeaderNames(""), "");
}

TEST(HeaderValue, FirstLineStartingWithTheNameAfterItsLastNameColon) {
  EXPECT_EQ(HeaderValue("A: 1\r\nConnection: keep-alive\r\nConnection: close", "Connection"), "keep-alive");
  EXPECT_EQ(HeaderValue("X: Connection: a\r\nConnection: b", "Connection"), "b");
  EXPECT_EQ(HeaderValue("Connection:x", "Connection"), "");
  EXPECT_EQ(HeaderValue("Conn", "Connection"), "");
  EXPECT_EQ(HeaderValue("", "Connection"), "");
}

TEST(StatusText, CodeAndReasonUpToTheFirstLineEnd) {
  EXPECT_EQ(StatusText("HTTP/1.1 200 OK\r\nA: b\r\n\r\n"), "200 OK");
  EXPECT_EQ(StatusText("HTTP/1.1 302 Found\r\n"), "302 Found");
  EXPECT_EQ(StatusText("HTTP/1.1 200 OK"), "");  // no line end
  EXPECT_EQ(StatusText("HTTP/1.1"), "");
  EXPECT_EQ(StatusText(""), "");
}

TEST(CollectSetCookies, CaseSensitiveNameAndCookieUpToTheFirstSemicolon) {
  SetCookieResult r = CollectSetCookies(
      "HTTP/1.1 302 Found\r\nSet-Cookie: s=2; path=/\r\nset-cookie: a=1\r\nSet-Cookie: t=3\r\nlocation: /x\r\n\r\n",
      "");
  EXPECT_EQ(r.cookiesReceived, "s=2; t=3; ");
  EXPECT_TRUE(r.hasLocation);
  EXPECT_EQ(r.location, "/x");
  EXPECT_EQ(r.lineCount, 7u);
}

TEST(CollectSetCookies, OddLinesNeverReadPastTheText) {
  // Empty cookies, no "=", no ": ", a short Location line.
  SetCookieResult r =
      CollectSetCookies("Set-Cookie: \r\nSet-Cookie: ;\r\nSet-Cookie:x=1\r\nSet-Cookie: =v;\r\nLocation:", "k=1; ");
  EXPECT_EQ(r.cookiesReceived, "k=1; ; ; =v; ");
  EXPECT_FALSE(r.hasLocation);
  EXPECT_EQ(CollectSetCookies("", "").cookiesReceived, "");
}

TEST(MergeCookies, ReceivedFirstThenUnreplacedSentWithoutDeletionsOrRepeats) {
  struct Case {
    const char* cookies;
    const char* received;
    const char* expected;
  } cases[] = {
      {"a=1; s=0", "s=2; b=deleted", "s=2; a=1"},
      {"a=1", "", "a=1"},              // nothing received keeps the sent cookies
      {" a=1; ", "b=2;", "b=2; a=1"},  // a trailing ";" is no empty cookie
      {"a=1; a=1; c", "c=3", "c=3; a=1"},
      {"x=deleted", "", ""},
      {"noequals", "noequals", "noequals"},
  };
  for (const Case& c : cases) EXPECT_EQ(MergeCookies(c.cookies, c.received), c.expected) << c.cookies;
}

TEST(DetectCharset, MetaTagWithinTheFirst1024BytesOnOneLine) {
  struct Case {
    std::string page;
    const char* expected;
  } cases[] = {
      {"<html><META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">", "utf-8"},
      {"<meta charset=\"UTF-8\">", "UTF-8"},
      {"<meta charset=gbk>", "gbk"},
      {"<meta charset=-x>", "x"},
      {"<meta\ncharset=utf-8>", ""},  // the tag's charset on the next line
      {"<meta name=a>\n<meta charset='big5'>", "big5"},
      {std::string(1020, ' ') + "<meta charset=utf-8>", ""},  // only after byte 1024
      {"<meta charset=>", ""},
      {"<metacharset=utf-8>", ""},  // ".+?" needs one character
      {"<meta 中charset=中utf-8>", "utf-8"},
      {"<meta charset=" + std::string(200, 'a') + ">", nullptr},
  };
  for (const Case& c : cases) {
    std::string expected = c.expected ? c.expected : std::string(200, 'a');
    EXPECT_EQ(DetectCharset(c.page), expected) << c.page.substr(0, 60);
  }
}

TEST(HttpVerb, TableAndOutOfRange) {
  EXPECT_EQ(HttpVerb(0), "GET");
  EXPECT_EQ(HttpVerb(3), "PUT");
  EXPECT_EQ(HttpVerb(7), "CONNECT");
  EXPECT_EQ(HttpVerb(8), "GET");
  EXPECT_EQ(HttpVerb(9), "GET");
  EXPECT_EQ(HttpVerb(-1), "GET");
}

TEST(HttpTimeoutMs, SecondsOrThirtyByDefault) {
  EXPECT_EQ(HttpTimeoutMs(5), 5000);
  EXPECT_EQ(HttpTimeoutMs(0), 30000);
  EXPECT_EQ(HttpTimeoutMs(-3), 30000);
  EXPECT_GT(HttpTimeoutMs(2147483647), 0);
}

TEST(HttpProxyName, SecureAsGivenPlainForHttpOnly) {
  EXPECT_EQ(HttpProxyName("p:80", true), "p:80");
  EXPECT_EQ(HttpProxyName("p:80", false), "http=p:80");
  EXPECT_EQ(HttpProxyName("", false), "");
}

}  // namespace
}  // namespace ql
