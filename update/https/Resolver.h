// Name resolution with a bound: getaddrinfo has no time limit of its own and cannot be cancelled.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace quirel::update {

struct TAddrInfoDeleter {
  void operator()(addrinfo* info) const { freeaddrinfo(info); }
};
using TAddrInfo = std::unique_ptr<addrinfo, TAddrInfoDeleter>;

// The IPv4 stream addresses of host for port (never empty). Raises EHttpsError when the host is
// not found, or EHttpsTimeout when the lookup has not ended by deadline; the lookup then goes on
// on a thread of its own, which owns everything it uses and drops its result. Needs Winsock
// started (TWinsock) by the caller.
TAddrInfo ResolveHost(const std::wstring& host, uint16_t port,
                      std::chrono::steady_clock::time_point deadline);

}  // namespace quirel::update
