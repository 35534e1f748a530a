// A TLS 1.2 client session over a connected socket, through the system's SChannel (SSPI).
// The server's certificate is not checked: the update service's answer is not secret and
// the program trusts no certificate store it would have to keep up to date.
#pragma once

#include <windows.h>
#define SECURITY_WIN32
#include <schannel.h>
#include <security.h>

#include <chrono>
#include <string>
#include <string_view>

#include "update/https/Socket.h"

namespace quirel::update {

// SChannel client credentials: TLS 1.2 only, no client certificate, no validation.
class TTlsCredentials {
 public:
  TTlsCredentials();
  ~TTlsCredentials();
  TTlsCredentials(const TTlsCredentials&) = delete;
  TTlsCredentials& operator=(const TTlsCredentials&) = delete;
  CredHandle* Get() { return &FHandle; }

 private:
  CredHandle FHandle{};
};

// A security context, deleted when it goes; empty until the first handshake call fills it.
class TSecurityContext {
 public:
  TSecurityContext() = default;
  ~TSecurityContext();
  TSecurityContext(const TSecurityContext&) = delete;
  TSecurityContext& operator=(const TSecurityContext&) = delete;
  CtxtHandle* Get() { return &FHandle; }
  bool Valid() const { return FValid; }
  void SetValid() { FValid = true; }

 private:
  CtxtHandle FHandle{};
  bool FValid = false;
};

// Raises EHttpsError unless the negotiated protocol (SecPkgContext_ConnectionInfo::dwProtocol)
// is TLS 1.2, whatever the system would allow by default.
void RequireTls12(DWORD protocol);
// "TLS 1.2", "SSL 3.0", ... or the number in hex.
std::wstring ProtocolName(DWORD protocol);

// Raises EHttpsError unless bytes (what the server sent, from the start of a record) can begin a
// TLS record: content type 20-23, major version 3. SChannel would otherwise take, say, an HTTP
// error page for the head of a record some 20 KB long and wait for the rest of it.
void RequireTlsRecord(std::string_view bytes, const std::wstring& endpoint);

class TTlsSession {
 public:
  // Runs the handshake; serverName goes out as server name indication. Every wait on the
  // socket is bounded by timeout and never goes past deadline. A server that answers the
  // greeting with anything but TLS records fails the handshake at once.
  TTlsSession(TSocket& socket, const std::wstring& serverName, std::chrono::milliseconds timeout,
              std::chrono::steady_clock::time_point deadline);
  TTlsSession(const TTlsSession&) = delete;
  TTlsSession& operator=(const TTlsSession&) = delete;

  void Send(std::string_view bytes);
  // Appends the next decrypted bytes to buffer; false once the server has closed the session
  // (close_notify or the end of the connection between records).
  bool ReceiveSome(std::string& buffer);
  // Sends close_notify; failures are of no interest as the connection is closed right after.
  void Shutdown() noexcept;

 private:
  void Handshake();
  [[noreturn]] void Fail(const std::wstring& what, SECURITY_STATUS status) const;
  TWaitBound Bound(const wchar_t* activity) const { return {FTimeout, FDeadline, activity}; }

  TSocket& FSocket;
  const std::wstring FServerName;
  const std::chrono::milliseconds FTimeout;
  const std::chrono::steady_clock::time_point FDeadline;
  TTlsCredentials FCredentials;
  TSecurityContext FContext;
  SecPkgContext_StreamSizes FSizes{};
  std::string FEncrypted;  // received, not yet decrypted
  bool FPeerClosed = false;
};

}  // namespace quirel::update
