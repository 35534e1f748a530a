#include "HttpFixture.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

namespace quirel::test {
namespace {

struct WinsockStartup {
  WinsockStartup() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
  }
};

SOCKET BoundLoopbackSocket(uint16_t& port) {
  static WinsockStartup startup;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) throw std::runtime_error("socket failed");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  int len = sizeof addr;
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    closesocket(s);
    throw std::runtime_error("bind failed");
  }
  port = ntohs(addr.sin_port);
  return s;
}

const char* Reason(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    default:
      return "Status";
  }
}

}  // namespace

HttpFixture::HttpFixture(int status, std::string body, std::string contentType)
    : status_(status), body_(std::move(body)), contentType_(std::move(contentType)) {
  SOCKET s = BoundLoopbackSocket(port_);
  if (listen(s, 8) != 0) {
    closesocket(s);
    throw std::runtime_error("listen failed");
  }
  listener_ = s;
  thread_ = std::thread([this] { Serve(); });
}

HttpFixture::~HttpFixture() {
  stop_ = true;
  thread_.join();
  closesocket(static_cast<SOCKET>(listener_));
}

std::wstring HttpFixture::Url(const std::wstring& pathAndQuery) const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + pathAndQuery;
}

std::vector<std::string> HttpFixture::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::vector<std::string> HttpFixture::RequestLines() const {
  std::vector<std::string> lines;
  for (const std::string& head : Requests()) lines.push_back(head.substr(0, head.find("\r\n")));
  return lines;
}

void HttpFixture::Serve() {
  const SOCKET listener = static_cast<SOCKET>(listener_);
  while (!stop_) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener, &ready);
    timeval wait{0, 50 * 1000};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET c = accept(listener, nullptr, nullptr);
    if (c == INVALID_SOCKET) continue;
    DWORD timeout = 5000;  // a client that never finishes its request cannot hang the test
    setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    std::string head;
    char buf[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
      const int n = recv(c, buf, sizeof buf, 0);
      if (n <= 0) break;
      head.append(buf, static_cast<size_t>(n));
    }
    if (const size_t end = head.find("\r\n\r\n"); end != std::string::npos) {
      head.resize(end + 2);
      {
        std::lock_guard lock(mutex_);
        requests_.push_back(head);
      }
      const std::string answer = "HTTP/1.1 " + std::to_string(status_) + " " + Reason(status_) +
                                 "\r\nContent-Type: " + contentType_ +
                                 "\r\nContent-Length: " + std::to_string(body_.size()) +
                                 "\r\nConnection: close\r\n\r\n" + body_;
      for (size_t sent = 0; sent < answer.size();) {
        const int n = send(c, answer.data() + sent, static_cast<int>(answer.size() - sent), 0);
        if (n <= 0) break;
        sent += static_cast<size_t>(n);
      }
    }
    shutdown(c, SD_SEND);
    closesocket(c);
  }
}

uint16_t ClosedPort() {
  uint16_t port = 0;
  closesocket(BoundLoopbackSocket(port));  // bound, never listening, then released
  return port;
}

std::string HeaderValue(const std::string& head, const std::string& name) {
  auto lower = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
  };
  const std::string lowered = lower(head);
  const std::string key = "\r\n" + lower(name) + ":";
  const size_t at = lowered.find(key);
  if (at == std::string::npos) return {};
  size_t start = at + key.size();
  while (start < head.size() && head[start] == ' ') ++start;
  return head.substr(start, head.find("\r\n", start) - start);
}

}  // namespace quirel::test
