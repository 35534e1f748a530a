// A TCP connection with bounded waits, over Winsock.
#pragma once

#include <winsock2.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace quirel::update {

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
  // connectTimeout for each. Raises EHttpsError, or EHttpsTimeout when the wait runs out.
  TSocket(const std::wstring& host, uint16_t port, std::chrono::milliseconds connectTimeout);
  TSocket(const TSocket&) = delete;
  TSocket& operator=(const TSocket&) = delete;

  // Every byte, or EHttpsError/EHttpsTimeout (a peer that stops reading for readTimeout).
  void SendAll(std::string_view bytes, std::chrono::milliseconds timeout);
  // Appends what arrives within timeout (at least one byte) to buffer; false when the peer
  // closed the connection. Raises EHttpsTimeout when nothing arrives in time.
  bool ReceiveSome(std::string& buffer, std::chrono::milliseconds timeout);

  const std::wstring& Endpoint() const { return FEndpoint; }  // "host:port", for messages

 private:
  std::wstring FEndpoint;
  TSocketHandle FSocket;
};

}  // namespace quirel::update
