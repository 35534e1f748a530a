#include "StallingServer.h"

#include <winsock2.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace quirel::test {
namespace {

// Endless: the head never reaches its empty line.
char TrickleByte(size_t index) {
  static const std::string start = "HTTP/1.1 200 OK\r\nX-Slow: ";
  return index < start.size() ? start[index] : 'a';
}

struct Connection {
  SOCKET socket;
  size_t sent = 0;
};

}  // namespace

StallingServer::StallingServer(Mode mode, std::chrono::milliseconds byteInterval)
    : mode_(mode), interval_(byteInterval) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int len = sizeof addr;
  if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0 || listen(s, 8) != 0) {
    if (s != INVALID_SOCKET) closesocket(s);
    WSACleanup();
    throw std::runtime_error("the stalling server could not listen");
  }
  listener_ = s;
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

StallingServer::~StallingServer() {
  stop_ = true;
  thread_.join();
  closesocket(static_cast<SOCKET>(listener_));
  WSACleanup();
}

std::wstring StallingServer::Url(const std::wstring& pathAndQuery) const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + pathAndQuery;
}

// Thread: the server's own, until the destructor sets stop_.
void StallingServer::Serve() {
  const SOCKET listener = static_cast<SOCKET>(listener_);
  std::vector<Connection> connections;
  auto nextByte = std::chrono::steady_clock::now();
  while (!stop_) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener, &readable);
    for (const Connection& c : connections) FD_SET(c.socket, &readable);
    timeval wait{0, 20 * 1000};
    if (select(0, &readable, nullptr, nullptr, &wait) > 0) {
      if (FD_ISSET(listener, &readable)) {
        const SOCKET c = accept(listener, nullptr, nullptr);
        if (c != INVALID_SOCKET) {
          connections.push_back({c});
          ++connections_;
        }
      }
      // What the client sends is dropped; a client that has gone is let go.
      for (auto c = connections.begin(); c != connections.end();) {
        char buffer[4096];
        if (FD_ISSET(c->socket, &readable) && recv(c->socket, buffer, sizeof buffer, 0) <= 0) {
          closesocket(c->socket);
          c = connections.erase(c);
        } else {
          ++c;
        }
      }
    }
    if (mode_ == Mode::Trickle && std::chrono::steady_clock::now() >= nextByte) {
      for (Connection& c : connections) {
        const char byte = TrickleByte(c.sent);
        if (send(c.socket, &byte, 1, 0) == 1) ++c.sent;
      }
      nextByte = std::chrono::steady_clock::now() + interval_;
    }
  }
  for (const Connection& c : connections) closesocket(c.socket);
}

}  // namespace quirel::test
