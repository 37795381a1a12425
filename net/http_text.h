// The text side of the HTTP client: the request header block, the response
// status, the cookies and the page's declared charset. Pure functions over
// GBK texts, so every rule here is tested without a network.
#pragma once

#include <string>
#include <string_view>

namespace ql {

// Verb index 0..7 (GET POST HEAD PUT OPTIONS DELETE TRACE CONNECT); any
// other index is GET.
std::string_view HttpVerb(int method);
// One timeout for resolve, connect, send and receive; 0 or less is 30 s.
int HttpTimeoutMs(int timeoutSeconds);
// The proxy name handed to the session: empty for a direct connection; a
// plain HTTP URL names it for the http scheme only.
std::string HttpProxyName(std::string_view proxy, bool secure);

// The block of request header lines to send: the caller's lines, the default
// browser-like lines the caller did not give, the names capitalised, a
// keep-alive connection line removed and the cookies added.
std::string BuildRequestHeaders(std::string_view extraHeaders, int method, std::string_view cookies,
                                bool completeHeaders, bool normalizeHeaderNames);
// Lines without ":" are dropped; every dash-separated word of a name gets a
// capital first letter; lines joined by CR LF with none after the last.
std::string NormalizeHeaderNames(std::string_view headers);
// The value of the first line that begins with `name`: the text after the
// last "name: " in that line; "" when there is none.
std::string HeaderValue(std::string_view headers, std::string_view name);

// "200 OK" from a raw response header block: from the tenth byte up to the
// first CR LF; "" when the block has no such line end.
std::string StatusText(std::string_view responseHeaders);

struct SetCookieResult {
  std::string cookiesReceived;  // the input extended by "name=value; " per cookie
  std::string location;         // the value of a "Location: " line
  bool hasLocation = false;
  size_t lineCount = 0;  // lines looked at (the caller pumps messages per line)
};
SetCookieResult CollectSetCookies(std::string_view responseHeaders, std::string_view cookiesReceived);
// The received cookies first, then every sent cookie whose name was not
// received; deletions ("=deleted") and repeats dropped.
std::string MergeCookies(std::string_view cookies, std::string_view cookiesReceived);

// The charset named by a meta tag within the first 1024 bytes of the page;
// "" when none. The tag and its charset must stand on one line.
std::string DetectCharset(std::string_view pageText);

}  // namespace ql
