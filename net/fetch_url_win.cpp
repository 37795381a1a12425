// FetchUrlBytes over WinINet, on a worker thread with one deadline.
#include "net/fetch_url_win.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "platform/pumping_wait_win.h"
#include "platform/scoped_win.h"
#include "platform/thread_win.h"
#include "platform/win_text.h"
#include "support/web_address.h"

namespace ql {
namespace {

// WinINet's own timeouts for each step; the deadline of the whole fetch is
// kFetchDeadlineMs, kept by the caller's wait, because the reader's timeouts
// do not cover every step everywhere (name resolution, and some under Wine).
// The worker keeps the same deadline between its reads.
constexpr DWORD kStepTimeoutMs = 9000;

// Shared by the caller and the worker, which may outlive the caller's wait:
// a late page is left here and freed with the last owner, never handed on.
struct FetchSlot {
  ScopedHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<bool> abandoned{false};  // the caller has stopped waiting
  std::vector<uint8_t> body;
};

// Milliseconds to the deadline (compared with wrap-around); 0 once passed.
DWORD LeftUntil(DWORD deadlineTick) {
  auto left = static_cast<int32_t>(deadlineTick - GetTickCount());
  return left > 0 ? static_cast<DWORD>(left) : 0;
}

// The worker's own reads keep the caller's deadline: between reads it stops
// once that has passed or the caller has gone, and each wait for data is
// bounded by what is left, so an abandoned worker lets its handles go soon
// after the caller instead of when the server closes.
std::vector<uint8_t> FetchOnThisThread(const std::wstring& url, DWORD deadlineTick, const FetchSlot& slot) {
  ScopedInternet session(InternetOpenW(L"Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)",
                                       INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.Get()) return {};
  DWORD timeout = kStepTimeoutMs;
  InternetSetOptionW(session.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
  InternetSetOptionW(session.Get(), INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof(timeout));
  InternetSetOptionW(session.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
  ScopedInternet page(InternetOpenUrlW(
      session.Get(), url.c_str(), nullptr, 0,
      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES, 0));
  if (!page.Get()) return {};
  std::vector<uint8_t> body;
  std::vector<uint8_t> buffer(64 * 1024);
  for (;;) {
    DWORD left = LeftUntil(deadlineTick);
    if (left == 0 || slot.abandoned) return {};
    DWORD wait = left < kStepTimeoutMs ? left : kStepTimeoutMs;
    InternetSetOptionW(page.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &wait, sizeof(wait));
    // Only what has arrived: a synchronous read of a whole buffer would wait
    // for all of it, however slowly the server sends.
    DWORD available = 0;
    if (!InternetQueryDataAvailable(page.Get(), &available, 0, 0)) return {};
    if (LeftUntil(deadlineTick) == 0 || slot.abandoned) return {};
    DWORD want = available < buffer.size() ? available : static_cast<DWORD>(buffer.size());
    if (want == 0) want = 1;  // nothing announced: one byte tells data from the end
    DWORD read = 0;
    if (!InternetReadFile(page.Get(), buffer.data(), want, &read)) return {};
    if (read == 0) break;
    if (read > kFetchBodyCeiling - body.size()) return {};  // a page without end
    if (body.size() + read > body.capacity())
      body.reserve(std::min<size_t>(std::max<size_t>(body.capacity() * 2, body.size() + read), kFetchBodyCeiling));
    body.insert(body.end(), buffer.begin(), buffer.begin() + read);
  }
  // A server that closed before the length it announced sent a broken page.
  DWORD length = 0, size = sizeof(length);
  if (HttpQueryInfoW(page.Get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr) &&
      body.size() < length)
    return {};
  return body;
}

}  // namespace

std::vector<uint8_t> FetchUrlBytes(std::string_view url) {
  DWORD deadline = GetTickCount() + kFetchDeadlineMs;
  // Only web addresses: the URL reader would also open file:// and ftp://.
  if (!IsWebAddress(url)) return {};
  std::wstring wide = Wide(url);
  auto slot = std::make_shared<FetchSlot>();
  if (!slot->done) return {};
  bool started = StartDetachedThread([slot, wide, deadline] {
    try {
      slot->body = FetchOnThisThread(wide, deadline, *slot);
    } catch (...) {
      slot->body.clear();  // out of memory: a failed fetch
    }
    SetEvent(slot->done.Get());  // the body is read only after this
  });
  // On the UI thread the window keeps painting and answering meanwhile.
  if (!started) return {};
  if (!WaitForEventPumping(slot->done.Get(), deadline)) {
    slot->abandoned = true;  // the worker stops at its next read
    return {};
  }
  return std::move(slot->body);
}

}  // namespace ql
