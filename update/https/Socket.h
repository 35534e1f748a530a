// A TCP connection with bounded waits, over Winsock.
#pragma once

#include <winsock2.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace quirel::update {

// "socket error <code>: <system message>", for messages.
std::wstring SocketError(int code);

// How long one wait may last: its own step limit or the whole request's deadline, whichever
// comes first. When the deadline is what runs out, the message ends with activity ("while
// connecting"), so that it says what the request was doing.
struct TWaitBound {
  std::chrono::milliseconds Step;
  std::chrono::steady_clock::time_point Deadline;
  const wchar_t* Activity;
};

// Winsock for the lifetime of the object (WSAStartup/WSACleanup; nests).
class TWinsock {
 public:
  TWinsock();
  ~TWinsock();
  TWinsock(const TWinsock&) = delete;
  TWinsock& operator=(const TWinsock&) = delete;
};

// Owns one socket handle.
class TSocketHandle {
 public:
  TSocketHandle() = default;
  explicit TSocketHandle(SOCKET s) : FSocket(s) {}
  ~TSocketHandle() { Reset(); }
  TSocketHandle(const TSocketHandle&) = delete;
  TSocketHandle& operator=(const TSocketHandle&) = delete;
  TSocketHandle& operator=(TSocketHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      FSocket = other.FSocket;
      other.FSocket = INVALID_SOCKET;
    }
    return *this;
  }
  SOCKET Get() const { return FSocket; }
  void Reset() {
    if (FSocket != INVALID_SOCKET) closesocket(FSocket);
    FSocket = INVALID_SOCKET;
  }

 private:
  SOCKET FSocket = INVALID_SOCKET;
};

class TSocket {
 public:
  // Resolves host (IPv4) and connects to the first address that answers, waiting at most
  // connectTimeout for each and never past deadline. Raises EHttpsError, or EHttpsTimeout when
  // a wait runs out.
  TSocket(const std::wstring& host, uint16_t port, std::chrono::milliseconds connectTimeout,
          std::chrono::steady_clock::time_point deadline);
  TSocket(const TSocket&) = delete;
  TSocket& operator=(const TSocket&) = delete;

  // Every byte, or EHttpsError/EHttpsTimeout (a peer that stops reading for too long).
  void SendAll(std::string_view bytes, const TWaitBound& bound);
  // Appends what arrives within the bound (at least one byte) to buffer; false when the peer
  // closed the connection. Raises EHttpsTimeout when nothing arrives in time.
  bool ReceiveSome(std::string& buffer, const TWaitBound& bound);

  const std::wstring& Endpoint() const { return FEndpoint; }  // "host:port", for messages

 private:
  // The wait the bound allows from now; raises the deadline's EHttpsTimeout when none is left.
  std::chrono::milliseconds Allowed(const TWaitBound& bound, bool& deadlineFirst) const;
  [[noreturn]] void TimedOut(const std::wstring& step, const TWaitBound& bound,
                             bool deadlineFirst) const;

  std::wstring FEndpoint;
  TSocketHandle FSocket;
};

}  // namespace quirel::update
