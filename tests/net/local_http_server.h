// A tiny HTTP server on 127.0.0.1 inside the test program: each connection
// gets one canned response from the handler, and the raw requests are kept
// for the test to read. In-process, so the test needs nothing but Winsock
// and nothing outlives it.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qltest {

class LocalHttpServer {
 public:
  // Returns the raw bytes to send back for one raw request.
  using Handler = std::function<std::string(const std::string& request)>;

  explicit LocalHttpServer(Handler handler) : handler_(std::move(handler)) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    listen_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof(a));
    int len = sizeof(a);
    getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    listen(listen_, 16);
    thread_ = std::thread([this] { Serve(); });
  }
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;
  ~LocalHttpServer() {
    stop_ = true;
    closesocket(listen_);
    thread_.join();
    WSACleanup();
  }

  int Port() const { return port_; }
  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> hold(lock_);
    return requests_;
  }

  // A port on which nothing listens (bound, then released).
  static int DeadPort() {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof(a));
    int len = sizeof(a);
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    closesocket(s);
    WSACleanup();
    return ntohs(a.sin_port);
  }

  // A complete response with the given status line, extra header lines and body.
  static std::string Response(const std::string& status, const std::string& headers, const std::string& body) {
    return "HTTP/1.1 " + status + "\r\n" + headers + "Content-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
  }

 private:
  void Serve() {
    while (!stop_) {
      SOCKET c = accept(listen_, nullptr, nullptr);
      if (c == INVALID_SOCKET) return;
      DWORD timeout = 10000;
      setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
      std::string request = ReadRequest(c);
      {
        std::lock_guard<std::mutex> hold(lock_);
        requests_.push_back(request);
      }
      std::string reply = handler_(request);
      size_t sent = 0;
      while (sent < reply.size()) {
        int n = send(c, reply.data() + sent, static_cast<int>(reply.size() - sent), 0);
        if (n <= 0) break;
        sent += static_cast<size_t>(n);
      }
      shutdown(c, SD_SEND);
      closesocket(c);
    }
  }

  static std::string ReadRequest(SOCKET c) {
    std::string data;
    char buf[4096];
    size_t headerEnd = std::string::npos;
    size_t want = 0;
    for (;;) {
      if (headerEnd == std::string::npos) {
        headerEnd = data.find("\r\n\r\n");
        if (headerEnd != std::string::npos) {
          size_t cl = data.find("Content-Length: ");
          want = cl != std::string::npos && cl < headerEnd ? std::stoul(data.substr(cl + 16)) : 0;
        }
      }
      if (headerEnd != std::string::npos && data.size() >= headerEnd + 4 + want) return data;
      int n = recv(c, buf, sizeof(buf), 0);
      if (n <= 0) return data;
      data.append(buf, static_cast<size_t>(n));
    }
  }

  Handler handler_;
  SOCKET listen_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex lock_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A server on 127.0.0.1 that accepts every connection and never answers:
// the request goes out, the reply never comes (a dead server behind a live
// network). Connections stay open until the object goes.
class SilentServer {
 public:
  SilentServer() {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    listen_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof(a));
    int len = sizeof(a);
    getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    listen(listen_, 16);
    thread_ = std::thread([this] {
      for (;;) {
        SOCKET c = accept(listen_, nullptr, nullptr);
        if (c == INVALID_SOCKET) return;
        std::lock_guard<std::mutex> hold(lock_);
        held_.push_back(c);
      }
    });
  }
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;
  ~SilentServer() {
    closesocket(listen_);
    thread_.join();
    for (SOCKET c : held_) closesocket(c);
    WSACleanup();
  }

  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  size_t Accepted() {
    std::lock_guard<std::mutex> hold(lock_);
    return held_.size();
  }

 private:
  SOCKET listen_ = INVALID_SOCKET;
  int port_ = 0;
  std::mutex lock_;
  std::vector<SOCKET> held_;
  std::thread thread_;
};

// A server on 127.0.0.1 whose answer is 200 and a body that never ends
// (no length, no close): either as fast as the client reads (a broken proxy,
// a captive portal) or one byte every `trickleMs` (a server that holds a
// reader with a step timeout per read). Each connection has its own thread;
// the server notes when the client let its connection go.
class StreamingServer {
 public:
  enum class Mode { Endless, Trickle };

  explicit StreamingServer(Mode mode, DWORD trickleMs = 2000) : mode_(mode), trickleMs_(trickleMs) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    listen_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof(a));
    int len = sizeof(a);
    getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    listen(listen_, 16);
    accepter_ = std::thread([this] {
      for (;;) {
        SOCKET c = accept(listen_, nullptr, nullptr);
        if (c == INVALID_SOCKET) return;
        std::lock_guard<std::mutex> hold(lock_);
        ++accepted_;
        streams_.emplace_back([this, c] { Stream(c); });
      }
    });
  }
  StreamingServer(const StreamingServer&) = delete;
  StreamingServer& operator=(const StreamingServer&) = delete;
  ~StreamingServer() {
    stop_ = true;
    closesocket(listen_);
    accepter_.join();
    for (std::thread& t : streams_) t.join();
    WSACleanup();
  }

  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  size_t Accepted() {
    std::lock_guard<std::mutex> hold(lock_);
    return accepted_;
  }
  long long BytesSent() const { return sent_; }
  // Connections the client has closed (its side gone: read end or reset).
  size_t ClosedByClient() const { return closedByClient_; }

 private:
  void Stream(SOCKET c) {
    DWORD timeout = 5000;
    setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    char buf[4096];
    std::string request;
    while (request.find("\r\n\r\n") == std::string::npos) {
      int n = recv(c, buf, sizeof(buf), 0);
      if (n <= 0) break;
      request.append(buf, static_cast<size_t>(n));
    }
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n";
    bool ok = send(c, head.data(), static_cast<int>(head.size()), 0) > 0;
    const std::string block(mode_ == Mode::Endless ? 64 * 1024 : 1, 'a');
    while (ok && !stop_) {
      // The client's side: readable means it closed (or sent what we ignore).
      fd_set readable, writable;
      FD_ZERO(&readable);
      FD_ZERO(&writable);
      FD_SET(c, &readable);
      FD_SET(c, &writable);
      DWORD ms = mode_ == Mode::Endless ? 200 : trickleMs_;
      timeval wait{static_cast<long>(ms / 1000), static_cast<long>(ms % 1000) * 1000};
      int ready = select(0, &readable, mode_ == Mode::Endless ? &writable : nullptr, nullptr, &wait);
      if (ready < 0) break;
      if (FD_ISSET(c, &readable)) {
        int n = recv(c, buf, sizeof(buf), 0);
        if (n <= 0) {
          ++closedByClient_;
          break;
        }
        continue;
      }
      if (mode_ == Mode::Endless && !FD_ISSET(c, &writable)) continue;
      int n = send(c, block.data(), static_cast<int>(block.size()), 0);
      if (n <= 0) {
        ++closedByClient_;
        break;
      }
      sent_ += n;
    }
    closesocket(c);
  }

  Mode mode_;
  DWORD trickleMs_;
  SOCKET listen_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<long long> sent_{0};
  std::atomic<size_t> closedByClient_{0};
  std::mutex lock_;
  size_t accepted_ = 0;
  std::vector<std::thread> streams_;
  std::thread accepter_;
};

}  // namespace qltest
