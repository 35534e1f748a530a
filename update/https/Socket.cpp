#include "update/https/Socket.h"

#include <utility>

#include "common/Errors.h"
#include "update/https/HttpsErrors.h"
#include "update/https/Resolver.h"

namespace quirel::update {
namespace {

timeval ToTimeval(std::chrono::milliseconds timeout) {
  const long long ms = timeout.count() < 0 ? 0 : timeout.count();
  timeval tv{};
  tv.tv_sec = static_cast<long>(ms / 1000);
  tv.tv_usec = static_cast<long>(ms % 1000 * 1000);
  return tv;
}

// Waits until the socket can be read (or written); false when the time ran out.
bool Wait(SOCKET s, bool forWrite, std::chrono::milliseconds timeout) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv = ToTimeval(timeout);
  const int n = select(0, forWrite ? nullptr : &set, forWrite ? &set : nullptr, nullptr, &tv);
  if (n == SOCKET_ERROR)
    throw EHttpsError(L"Waiting on the connection failed (" + SocketError(WSAGetLastError()) +
                      L")");
  return n > 0;
}

void SetBlocking(SOCKET s, bool blocking) {
  u_long nonBlocking = blocking ? 0 : 1;
  if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0)
    throw EHttpsError(L"Could not set up the connection (" + SocketError(WSAGetLastError()) + L")");
}

std::wstring Milliseconds(std::chrono::milliseconds timeout) {
  return std::to_wstring(timeout.count()) + L" ms";
}

}  // namespace

std::wstring SocketError(int code) {
  std::wstring text = L"socket error " + std::to_wstring(code);
  const std::wstring system = SysErrorMessage(static_cast<uint32_t>(code));
  if (!system.empty()) text += L": " + system;
  return text;
}

TWinsock::TWinsock() {
  WSADATA data;
  if (const int code = WSAStartup(MAKEWORD(2, 2), &data); code != 0)
    throw EHttpsError(L"Winsock could not be started (" + SocketError(code) + L")");
}

TWinsock::~TWinsock() { WSACleanup(); }

std::chrono::milliseconds TSocket::Allowed(const TWaitBound& bound, bool& deadlineFirst) const {
  deadlineFirst = false;
  if (bound.Deadline == std::chrono::steady_clock::time_point::max()) return bound.Step;
  const auto left = bound.Deadline - std::chrono::steady_clock::now();
  if (left >= bound.Step) return bound.Step;
  deadlineFirst = true;
  if (left <= left.zero()) TimedOut(L"", bound, true);
  return std::chrono::ceil<std::chrono::milliseconds>(left);
}

void TSocket::TimedOut(const std::wstring& step, const TWaitBound& bound,
                       bool deadlineFirst) const {
  if (deadlineFirst)
    throw EHttpsTimeout(L"The request to " + FEndpoint + L" reached its deadline " +
                        bound.Activity);
  throw EHttpsTimeout(step + L" timed out after " + Milliseconds(bound.Step));
}

TSocket::TSocket(const std::wstring& host, uint16_t port, std::chrono::milliseconds connectTimeout,
                 std::chrono::steady_clock::time_point deadline)
    : FEndpoint(host + L":" + std::to_wstring(port)) {
  const TAddrInfo addresses = ResolveHost(host, port, deadline);
  const TWaitBound bound{connectTimeout, deadline, L"while connecting"};

  std::wstring failure;
  for (const addrinfo* a = addresses.get(); a; a = a->ai_next) {
    TSocketHandle candidate(socket(a->ai_family, a->ai_socktype, a->ai_protocol));
    const SOCKET s = candidate.Get();
    if (s == INVALID_SOCKET) {
      failure = L"Could not create a socket (" + SocketError(WSAGetLastError()) + L")";
      continue;
    }
    // Non-blocking only while connecting, so that the wait can be bounded.
    SetBlocking(s, false);
    int code = 0;
    if (connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) != 0) {
      code = WSAGetLastError();
      if (code == WSAEWOULDBLOCK) {
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        bool deadlineFirst = false;
        timeval tv = ToTimeval(Allowed(bound, deadlineFirst));
        const int n = select(0, nullptr, &writable, &failed, &tv);
        if (n == 0) TimedOut(L"Connect to " + FEndpoint, bound, deadlineFirst);
        code = 0;
        int length = sizeof code;
        if (n == SOCKET_ERROR)
          code = WSAGetLastError();
        else if (getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&code), &length) != 0)
          code = WSAGetLastError();
      }
    }
    if (code == 0) {
      SetBlocking(s, true);
      FSocket = std::move(candidate);
      return;
    }
    failure = L"Could not connect to " + FEndpoint + L" (" + SocketError(code) + L")";
  }
  throw EHttpsError(failure);
}

void TSocket::SendAll(std::string_view bytes, const TWaitBound& bound) {
  while (!bytes.empty()) {
    bool deadlineFirst = false;
    const std::chrono::milliseconds allowed = Allowed(bound, deadlineFirst);
    // A blocking send can still wait for buffer space after select said writable: bound it too.
    const DWORD ms = static_cast<DWORD>(allowed.count() > 0 ? allowed.count() : 1);
    setsockopt(FSocket.Get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&ms),
               sizeof ms);
    if (!Wait(FSocket.Get(), true, allowed)) TimedOut(L"Send to " + FEndpoint, bound, deadlineFirst);
    const int piece = bytes.size() > 64 * 1024 ? 64 * 1024 : static_cast<int>(bytes.size());
    const int sent = send(FSocket.Get(), bytes.data(), piece, 0);
    if (sent == SOCKET_ERROR) {
      const int code = WSAGetLastError();
      if (code == WSAETIMEDOUT) TimedOut(L"Send to " + FEndpoint, bound, deadlineFirst);
      throw EHttpsError(L"Send to " + FEndpoint + L" failed (" + SocketError(code) + L")");
    }
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
}

bool TSocket::ReceiveSome(std::string& buffer, const TWaitBound& bound) {
  bool deadlineFirst = false;
  if (!Wait(FSocket.Get(), false, Allowed(bound, deadlineFirst)))
    TimedOut(L"Read from " + FEndpoint, bound, deadlineFirst);
  char chunk[16 * 1024];
  const int n = recv(FSocket.Get(), chunk, sizeof chunk, 0);
  if (n == SOCKET_ERROR)
    throw EHttpsError(L"Read from " + FEndpoint + L" failed (" + SocketError(WSAGetLastError()) +
                      L")");
  buffer.append(chunk, static_cast<size_t>(n));
  return n > 0;
}

}  // namespace quirel::update
