// The text side of the HTTP client (see http_text.h).
#include "net/http_text.h"

#include <array>
#include <vector>

#include "support/gbk_text.h"

namespace ql {
namespace {

constexpr std::string_view kCrLf = "\r\n";

struct DefaultLine {
  std::string_view probe;
  std::string_view line;
  bool postOnly;
};

// The browser-like lines, in the order they are added.
constexpr std::array<DefaultLine, 6> kDefaultLines{{
    {"User-Agent: ", "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)", false},
    {"Accept: ", "Accept: text/html, application/xhtml+xml, */*", false},
    {"Accept-Encoding: ", "Accept-Encoding: gbk, GB2312", false},
    {"Accept-Language: ", "Accept-Language: zh-cn", false},
    {"Content-Type:", "Content-Type: application/x-www-form-urlencoded", true},
    {"Cache-Control: ", "Cache-Control: no-cache", false},
}};

constexpr int kPostMethod = 1;

std::string TrimSpaces(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return std::string(text.substr(b, e - b));
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The name of a cookie item: before its first "=", spaces trimmed.
std::string CookieName(std::string_view item) {
  size_t eq = item.find('=');
  return TrimSpaces(eq == std::string_view::npos ? item : item.substr(0, eq));
}

std::vector<std::string> CookieItems(std::string_view cookies) {
  std::string text = TrimSpaces(cookies);
  if (!text.empty() && text.back() == ';') text += ' ';
  std::vector<std::string> items;
  for (std::string& item : SplitText(text, "; ")) {
    // An empty item (nothing received, a trailing ";") is no cookie.
    if (!TrimSpaces(item).empty()) items.push_back(std::move(item));
  }
  return items;
}

std::string RemoveAllIgnoreCase(std::string_view text, std::string_view what) {
  std::string out;
  size_t from = 0;
  for (;;) {
    size_t at = FindText(text, what, from, true);
    if (at == std::string_view::npos) break;
    out.append(text.substr(from, at - from));
    from = at + what.size();
  }
  out.append(text.substr(from));
  return out;
}

bool IsWordByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

size_t CharLength(std::string_view text, size_t at) { return IsLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1; }

// [-\w]+ from `at`: the run's length in bytes (0 when none).
size_t CharsetNameLength(std::string_view text, size_t at) {
  size_t e = at;
  while (e < text.size() && (IsWordByte(text[e]) || text[e] == '-')) ++e;
  return e - at;
}

}  // namespace

std::string_view HttpVerb(int method) {
  static constexpr std::array<std::string_view, 8> kVerbs{"GET",     "POST",   "HEAD",  "PUT",
                                                          "OPTIONS", "DELETE", "TRACE", "CONNECT"};
  return method >= 0 && method < static_cast<int>(kVerbs.size()) ? kVerbs[static_cast<size_t>(method)] : kVerbs[0];
}

int HttpTimeoutMs(int timeoutSeconds) {
  // Above 2147483 s the product would overflow: such a wait is "forever".
  if (timeoutSeconds <= 0) return 30000;
  if (timeoutSeconds > 2147483) return 2147483000;
  return timeoutSeconds * 1000;
}

std::string HttpProxyName(std::string_view proxy, bool secure) {
  if (proxy.empty()) return {};
  std::string name = secure ? std::string() : std::string("http=");
  return name.append(proxy);
}

std::string NormalizeHeaderNames(std::string_view headers) {
  std::vector<std::string> kept;
  for (const std::string& line : SplitText(headers, kCrLf)) {
    size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::vector<std::string> words = SplitText(std::string_view(line).substr(0, colon), "-");
    for (std::string& w : words) {
      if (!w.empty() && w[0] >= 'a' && w[0] <= 'z') w[0] = static_cast<char>(w[0] - 'a' + 'A');
    }
    kept.push_back(JoinText(words, "-") + line.substr(colon));
  }
  return JoinText(kept, kCrLf);
}

std::string HeaderValue(std::string_view headers, std::string_view name) {
  std::string key = std::string(name) + ": ";
  for (const std::string& line : SplitText(headers, kCrLf)) {
    if (line.compare(0, name.size(), name) != 0 || line.size() < name.size()) continue;
    size_t at = FindTextReverse(line, key);
    if (at == std::string::npos) return {};
    return line.substr(at + key.size());
  }
  return {};
}

std::string BuildRequestHeaders(std::string_view extraHeaders, int method, std::string_view cookies,
                                bool completeHeaders, bool normalizeHeaderNames) {
  std::string block(extraHeaders);
  if (!block.empty()) block += kCrLf;
  if (completeHeaders) {
    for (const DefaultLine& d : kDefaultLines) {
      if (d.postOnly && method != kPostMethod) continue;
      if (ContainsText(block, d.probe, true)) continue;
      block.append(d.line).append(kCrLf);
    }
  }
  if (normalizeHeaderNames) block = NormalizeHeaderNames(block);
  // The transport keeps the connection itself; a caller's keep-alive line
  // would only duplicate it.
  if (ContainsText(block, "Connection") && HeaderValue(block, "Connection") == "keep-alive") {
    block = ReplaceAll(block, "Connection: keep-alive\r\n", "");
  }
  if (!cookies.empty() && !ContainsText(block, "Cookie:", true)) {
    block += kCrLf;
    if (!ContainsText(cookies, "Cookie:", true)) block += "Cookie: ";
    block.append(cookies).append(kCrLf);
  }
  return block;
}

std::string StatusText(std::string_view responseHeaders) {
  constexpr size_t kFrom = 9;  // "HTTP/1.1 " precedes the code
  if (responseHeaders.size() <= kFrom) return {};
  size_t end = responseHeaders.find(kCrLf, kFrom);
  if (end == std::string_view::npos) return {};
  return std::string(responseHeaders.substr(kFrom, end - kFrom));
}

SetCookieResult CollectSetCookies(std::string_view responseHeaders, std::string_view cookiesReceived) {
  SetCookieResult r;
  r.cookiesReceived = std::string(cookiesReceived);
  for (const std::string& line : SplitText(responseHeaders, kCrLf)) {
    ++r.lineCount;
    size_t sep = line.find(": ");
    std::string_view name = sep == std::string::npos ? std::string_view() : std::string_view(line).substr(0, sep);
    if (name == "Set-Cookie") {
      std::string cookie;
      if (line.find(';') != std::string::npos) {
        size_t start = line.find("Set-Cookie:") + 11;  // the line begins with it
        size_t semi = line.find(';', start);
        cookie = line.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
      } else {
        cookie = RemoveAllIgnoreCase(line, "Set-Cookie:");
      }
      r.cookiesReceived += TrimSpaces(cookie) + "; ";
    }
    if (line.size() >= 10 && EqualsIgnoreAsciiCase(std::string_view(line).substr(0, 10), "Location: ")) {
      r.location = line.substr(10);
      r.hasLocation = true;
    }
  }
  return r;
}

std::string MergeCookies(std::string_view cookies, std::string_view cookiesReceived) {
  std::vector<std::string> oldItems = CookieItems(cookies);
  std::vector<std::string> newItems = CookieItems(cookiesReceived);
  std::vector<std::string> merged = newItems;
  for (const std::string& item : oldItems) {
    std::string name = CookieName(item);
    bool received = false;
    for (const std::string& n : newItems) received = received || CookieName(n) == name;
    if (!received) merged.push_back(item);
  }
  std::vector<std::string> result;
  for (std::string& item : merged) {
    if (EndsWith(item, "=deleted")) continue;
    bool repeated = false;
    for (const std::string& r : result) repeated = repeated || r == item;
    if (!repeated) result.push_back(std::move(item));
  }
  return JoinText(result, "; ");
}

std::string DetectCharset(std::string_view pageText) {
  // The pattern <meta.+?charset=[^\w]?([-\w]+), case-insensitive, its dot
  // stopping at line breaks, over the first 1024 bytes.
  std::string_view text = pageText.substr(0, 1024);
  for (size_t meta = FindText(text, "<meta", 0, true); meta != std::string_view::npos;
       meta = FindText(text, "<meta", meta + 1, true)) {
    size_t bodyStart = meta + 5;
    if (bodyStart >= text.size() || IsLineBreak(text[bodyStart])) continue;
    size_t from = bodyStart + CharLength(text, bodyStart);  // ".+?" takes at least one character
    for (size_t cs = FindText(text, "charset=", from, true); cs != std::string_view::npos;
         cs = FindText(text, "charset=", cs + 1, true)) {
      bool broken = false;
      for (size_t i = bodyStart; i < cs && !broken; ++i) broken = IsLineBreak(text[i]);
      if (broken) break;
      size_t p = cs + 8;
      if (p < text.size() && !IsWordByte(text[p])) {
        size_t q = p + CharLength(text, p);
        if (size_t n = CharsetNameLength(text, q)) return std::string(text.substr(q, n));
      }
      if (size_t n = CharsetNameLength(text, p)) return std::string(text.substr(p, n));
    }
  }
  return {};
}

}  // namespace ql
