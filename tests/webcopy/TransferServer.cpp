#include "TransferServer.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace quirel::test {
namespace {

struct WinsockStartup {
  WinsockStartup() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
  }
};

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

bool SendAll(SOCKET s, const std::string& data) {
  for (size_t sent = 0; sent < data.size();) {
    const int n = send(s, data.data() + sent, static_cast<int>(data.size() - sent), 0);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

std::string Hex(size_t n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%zx", n);
  return buf;
}

}  // namespace

std::string PatternBody(size_t size) {
  std::string body(size, '\0');
  for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>((i * 7 + i / 251) % 256);
  return body;
}

TransferReply Reply(std::string body) {
  TransferReply r;
  r.Body = std::move(body);
  return r;
}

TransferReply TransferReply::WithStatus(int status) const {
  TransferReply r = *this;
  r.Status = status;
  return r;
}

TransferReply TransferReply::WithoutLength() const {
  TransferReply r = *this;
  r.ContentLength = false;
  return r;
}

TransferReply TransferReply::WithChunks(size_t step, DWORD ms) const {
  TransferReply r = WithPace(step, ms);
  r.Chunked = true;
  return r;
}

TransferReply TransferReply::WithLength(size_t announced) const {
  TransferReply r = *this;
  r.AnnouncedLength = announced;
  return r;
}

TransferReply TransferReply::WithCut(size_t after) const {
  TransferReply r = *this;
  r.CutAfter = after;
  return r;
}

TransferReply TransferReply::WithPace(size_t step, DWORD ms) const {
  TransferReply r = *this;
  r.StepBytes = step;
  r.StepMs = ms;
  return r;
}

TransferReply TransferReply::WithHeadDelay(DWORD ms) const {
  TransferReply r = *this;
  r.HeadDelayMs = ms;
  return r;
}

TransferReply TransferReply::WithHold(DWORD ms) const {
  TransferReply r = *this;
  r.HoldMs = ms;
  return r;
}

TransferReply TransferReply::WithReset() const {
  TransferReply r = *this;
  r.Reset = true;
  return r;
}

TransferReply TransferReply::WithHeader(std::string line) const {
  TransferReply r = *this;
  r.Headers.push_back(std::move(line));
  return r;
}

TransferServer::TransferServer() {
  static WinsockStartup startup;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) throw std::runtime_error("socket failed");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int len = sizeof addr;
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0 || listen(s, 16) != 0) {
    closesocket(s);
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  port_ = ntohs(addr.sin_port);
  listener_ = s;
  thread_ = std::thread([this] { Serve(); });
}

TransferServer::~TransferServer() {
  stop_ = true;
  thread_.join();
  for (std::thread& t : connections_) t.join();
  closesocket(static_cast<SOCKET>(listener_));
}

void TransferServer::Route(const std::string& target, TransferReply reply) {
  std::lock_guard lock(mutex_);
  routes_[target] = std::move(reply);
}

std::wstring TransferServer::Host() const { return L"127.0.0.1:" + std::to_wstring(port_); }

std::wstring TransferServer::Url(const std::string& path) const {
  return L"http://" + Host() + std::wstring(path.begin(), path.end());
}

std::vector<std::string> TransferServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void TransferServer::Serve() {
  const SOCKET listener = static_cast<SOCKET>(listener_);
  while (!stop_) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener, &ready);
    timeval wait{0, 50 * 1000};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET c = accept(listener, nullptr, nullptr);
    if (c == INVALID_SOCKET) continue;
    connections_.emplace_back([this, c] { Answer(c); });
  }
}

void TransferServer::Answer(uintptr_t socketValue) {
  const SOCKET c = static_cast<SOCKET>(socketValue);
  // A client that never finishes its request, or stops reading its answer without closing
  // the connection, cannot hang the test.
  DWORD timeout = 5000;
  setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  setsockopt(c, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  std::string head;
  char buf[4096];
  while (head.find("\r\n\r\n") == std::string::npos) {
    const int n = recv(c, buf, sizeof buf, 0);
    if (n <= 0) break;
    head.append(buf, static_cast<size_t>(n));
  }
  const size_t end = head.find("\r\n\r\n");
  if (end == std::string::npos) {
    closesocket(c);
    return;
  }
  head.resize(end + 2);
  const size_t targetStart = head.find(' ') + 1;
  const std::string target = head.substr(targetStart, head.find(' ', targetStart) - targetStart);

  TransferReply reply;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(head);
    auto it = routes_.find(target);
    if (it != routes_.end()) {
      reply = it->second;
    } else {
      reply.Status = 404;
      reply.Body = "no such file";
    }
  }

  // Sleeps in short steps, so that a test that ends early does not wait for a slow answer.
  auto pause = [this](DWORD ms) {
    for (DWORD waited = 0; waited < ms && !stop_ && !released_; waited += 10) Sleep(10);
    return !stop_;
  };
  bool complete = pause(reply.HeadDelayMs);
  std::string answer = "HTTP/1.1 " + std::to_string(reply.Status) + " " + Reason(reply.Status) + "\r\n" +
                       "Content-Type: application/octet-stream\r\nConnection: close\r\n";
  if (reply.Chunked)
    answer += "Transfer-Encoding: chunked\r\n";
  else if (reply.ContentLength)
    answer += "Content-Length: " +
              std::to_string(reply.AnnouncedLength != std::string::npos ? reply.AnnouncedLength : reply.Body.size()) +
              "\r\n";
  for (const std::string& line : reply.Headers) answer += line + "\r\n";
  answer += "\r\n";
  complete = complete && SendAll(c, answer);

  const std::string body = reply.Body.substr(0, std::min(reply.Body.size(), reply.CutAfter));
  const size_t step = reply.StepBytes ? reply.StepBytes : std::max<size_t>(body.size(), 1);
  for (size_t at = 0; complete && at < body.size(); at += step) {
    std::string piece = body.substr(at, step);
    if (reply.Chunked) piece = Hex(piece.size()) + "\r\n" + piece + "\r\n";
    complete = SendAll(c, piece) && (reply.StepMs == 0 || at + step >= body.size() || pause(reply.StepMs));
  }
  if (complete && reply.Chunked && reply.CutAfter == std::string::npos) complete = SendAll(c, "0\r\n\r\n");
  if (!complete) ++aborted_;
  // Silence with the connection open: the client cannot tell a slow server from a dead one.
  if (complete) pause(reply.HoldMs);
  if (reply.Reset) {
    // No orderly end: closing with a zero linger time resets the connection.
    linger abort{1, 0};
    setsockopt(c, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
  } else {
    shutdown(c, SD_SEND);
  }
  closesocket(c);
}

}  // namespace quirel::test
