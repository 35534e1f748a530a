#include "update/https/TlsSession.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/DroppedError.h"
#include "common/Errors.h"
#include "update/https/HttpsErrors.h"

namespace quirel::update {
namespace {

constexpr DWORD kContextRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT |
                                  ISC_REQ_CONFIDENTIALITY | ISC_REQ_EXTENDED_ERROR |
                                  ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                                  ISC_REQ_MANUAL_CRED_VALIDATION;

// TLS record content type of alerts (close_notify among them).
constexpr unsigned char kAlertRecord = 21;

// A token SChannel allocated for us (ISC_REQ_ALLOCATE_MEMORY).
class TContextBuffer {
 public:
  explicit TContextBuffer(void* buffer) : FBuffer(buffer) {}
  ~TContextBuffer() {
    if (FBuffer) FreeContextBuffer(FBuffer);
  }
  TContextBuffer(const TContextBuffer&) = delete;
  TContextBuffer& operator=(const TContextBuffer&) = delete;

 private:
  void* FBuffer;
};

std::wstring Hex(unsigned long value) {
  wchar_t text[16];
  swprintf(text, 16, L"0x%08lX", value);
  return text;
}

std::wstring StatusText(SECURITY_STATUS status) {
  std::wstring text = Hex(static_cast<unsigned long>(status));
  const std::wstring system = SysErrorMessage(static_cast<uint32_t>(status));
  if (!system.empty()) text += L": " + system;
  return text;
}

// The first line of what the server sent, for the message: printable ASCII as it stands.
std::wstring Excerpt(std::string_view bytes) {
  std::wstring text;
  for (const char c : bytes.substr(0, 40)) {
    const auto b = static_cast<unsigned char>(c);
    if (b == '\r' || b == '\n') break;
    if (b >= 0x20 && b < 0x7F) {
      text += static_cast<wchar_t>(b);
    } else {
      wchar_t escaped[8];
      swprintf(escaped, 8, L"\\x%02X", b);
      text += escaped;
    }
  }
  return text;
}

constexpr const wchar_t* kInHandshake = L"during the TLS handshake";

}  // namespace

TTlsCredentials::TTlsCredentials() {
  SCHANNEL_CRED credentials{};
  credentials.dwVersion = SCHANNEL_CRED_VERSION;
  credentials.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
  credentials.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
  TimeStamp expiry{};
  const SECURITY_STATUS status =
      AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND,
                                nullptr, &credentials, nullptr, nullptr, &FHandle, &expiry);
  if (status != SEC_E_OK)
    throw EHttpsError(L"TLS credentials could not be acquired (" + StatusText(status) + L")");
}

TTlsCredentials::~TTlsCredentials() { FreeCredentialsHandle(&FHandle); }

TSecurityContext::~TSecurityContext() {
  if (FValid) DeleteSecurityContext(&FHandle);
}

std::wstring ProtocolName(DWORD protocol) {
  switch (protocol) {
    case SP_PROT_SSL2_CLIENT:
      return L"SSL 2.0";
    case SP_PROT_SSL3_CLIENT:
      return L"SSL 3.0";
    case SP_PROT_TLS1_0_CLIENT:
      return L"TLS 1.0";
    case SP_PROT_TLS1_1_CLIENT:
      return L"TLS 1.1";
    case SP_PROT_TLS1_2_CLIENT:
      return L"TLS 1.2";
    case SP_PROT_TLS1_3_CLIENT:
      return L"TLS 1.3";
    default:
      return Hex(protocol);
  }
}

void RequireTls12(DWORD protocol) {
  if (protocol != SP_PROT_TLS1_2_CLIENT)
    throw EHttpsError(L"The server negotiated " + ProtocolName(protocol) +
                      L"; only TLS 1.2 is accepted");
}

void RequireTlsRecord(std::string_view bytes, const std::wstring& endpoint) {
  if (bytes.empty()) return;
  const auto type = static_cast<unsigned char>(bytes[0]);
  if (type >= 20 && type <= 23 && (bytes.size() < 2 || bytes[1] == 3)) return;
  throw EHttpsError(L"TLS handshake failed with " + endpoint +
                    L": the server did not answer with TLS (its answer began \"" +
                    Excerpt(bytes) + L"\")");
}

TTlsSession::TTlsSession(TSocket& socket, const std::wstring& serverName,
                         std::chrono::milliseconds timeout,
                         std::chrono::steady_clock::time_point deadline)
    : FSocket(socket), FServerName(serverName), FTimeout(timeout), FDeadline(deadline) {
  Handshake();
  SecPkgContext_ConnectionInfo info{};
  SECURITY_STATUS status =
      QueryContextAttributesW(FContext.Get(), SECPKG_ATTR_CONNECTION_INFO, &info);
  if (status != SEC_E_OK) Fail(L"TLS connection details not available", status);
  RequireTls12(info.dwProtocol);
  status = QueryContextAttributesW(FContext.Get(), SECPKG_ATTR_STREAM_SIZES, &FSizes);
  if (status != SEC_E_OK) Fail(L"TLS record sizes not available", status);
}

void TTlsSession::Fail(const std::wstring& what, SECURITY_STATUS status) const {
  throw EHttpsError(what + L" with " + FSocket.Endpoint() + L" (" + StatusText(status) + L")");
}

void TTlsSession::Handshake() {
  std::string received;  // handshake bytes SChannel has not consumed yet
  bool needMore = false;
  int credentialRetries = 0;
  while (true) {
    if (needMore) {
      if (!FSocket.ReceiveSome(received, Bound(kInHandshake)))
        throw EHttpsError(L"The server closed the connection during the TLS handshake with " +
                          FSocket.Endpoint());
      // What SChannel has not consumed starts at a record boundary.
      RequireTlsRecord(received, FSocket.Endpoint());
      needMore = false;
    }
    SecBuffer in[2] = {
        {static_cast<unsigned long>(received.size()), SECBUFFER_TOKEN, received.data()},
        {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
    SecBuffer out[1] = {{0, SECBUFFER_TOKEN, nullptr}};
    SecBufferDesc outDesc{SECBUFFER_VERSION, 1, out};
    DWORD attributes = 0;
    const bool first = !FContext.Valid();
    const SECURITY_STATUS status = InitializeSecurityContextW(
        FCredentials.Get(), first ? nullptr : FContext.Get(),
        const_cast<wchar_t*>(FServerName.c_str()), kContextRequest, 0, 0, first ? nullptr : &inDesc,
        0, FContext.Get(), &outDesc, &attributes, nullptr);
    const TContextBuffer token(out[0].pvBuffer);
    if (first && !FAILED(status)) FContext.SetValid();

    if (status == SEC_E_INCOMPLETE_MESSAGE) {
      needMore = true;
      continue;
    }
    if (out[0].cbBuffer > 0 && out[0].pvBuffer) {
      const std::string_view bytes(static_cast<const char*>(out[0].pvBuffer), out[0].cbBuffer);
      if (FAILED(status)) {
        // An alert telling the server why; the handshake error below is what counts.
        try {
          FSocket.SendAll(bytes, Bound(kInHandshake));
        } catch (const EHttpsError&) {
        }
      } else {
        FSocket.SendAll(bytes, Bound(kInHandshake));
      }
    }
    if (FAILED(status)) Fail(L"TLS handshake failed", status);

    if (!first) {
      if (in[1].BufferType == SECBUFFER_EXTRA && in[1].cbBuffer > 0)
        received.erase(0, received.size() - std::min<size_t>(in[1].cbBuffer, received.size()));
      else
        received.clear();
    }
    switch (status) {
      case SEC_E_OK:
        FEncrypted = std::move(received);  // what followed the handshake is application data
        return;
      case SEC_I_CONTINUE_NEEDED:
        needMore = received.empty();
        break;
      case SEC_I_INCOMPLETE_CREDENTIALS:
        // The server asked for a client certificate: we go on without one.
        if (++credentialRetries > 2) Fail(L"TLS handshake failed", status);
        break;
      default:
        Fail(L"TLS handshake failed", status);
    }
  }
}

void TTlsSession::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    const size_t n = std::min<size_t>(bytes.size(), FSizes.cbMaximumMessage);
    std::string message(FSizes.cbHeader + n + FSizes.cbTrailer, '\0');
    char* base = message.data();
    std::memcpy(base + FSizes.cbHeader, bytes.data(), n);
    SecBuffer buffers[4] = {
        {FSizes.cbHeader, SECBUFFER_STREAM_HEADER, base},
        {static_cast<unsigned long>(n), SECBUFFER_DATA, base + FSizes.cbHeader},
        {FSizes.cbTrailer, SECBUFFER_STREAM_TRAILER, base + FSizes.cbHeader + n},
        {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
    const SECURITY_STATUS status = EncryptMessage(FContext.Get(), 0, &desc, 0);
    if (status != SEC_E_OK) Fail(L"TLS encryption failed", status);
    FSocket.SendAll(
        std::string_view(base, buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer),
        Bound(L"while sending the request"));
    bytes.remove_prefix(n);
  }
}

bool TTlsSession::ReceiveSome(std::string& buffer) {
  while (!FPeerClosed) {
    if (!FEncrypted.empty()) {
      SecBuffer buffers[4] = {
          {static_cast<unsigned long>(FEncrypted.size()), SECBUFFER_DATA, FEncrypted.data()},
          {0, SECBUFFER_EMPTY, nullptr},
          {0, SECBUFFER_EMPTY, nullptr},
          {0, SECBUFFER_EMPTY, nullptr}};
      SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
      // The record header is not encrypted: its first byte tells an alert from data.
      const bool alertRecord = static_cast<unsigned char>(FEncrypted[0]) == kAlertRecord;
      const SECURITY_STATUS status = DecryptMessage(FContext.Get(), &desc, 0, nullptr);
      if (status == SEC_E_OK) {
        // Decrypted in place: copy the text out before the consumed record is dropped.
        const size_t before = buffer.size();
        size_t extra = 0;
        for (const SecBuffer& b : buffers) {
          if (b.BufferType == SECBUFFER_DATA && b.pvBuffer)
            buffer.append(static_cast<const char*>(b.pvBuffer), b.cbBuffer);
          if (b.BufferType == SECBUFFER_EXTRA)
            extra = std::min<size_t>(b.cbBuffer, FEncrypted.size());
        }
        FEncrypted.erase(0, FEncrypted.size() - extra);
        if (buffer.size() > before) return true;
        if (alertRecord) {
          // An alert that was no error can only be close_notify here: Windows reports it as
          // SEC_I_CONTEXT_EXPIRED, Wine as an empty record.
          FPeerClosed = true;
          FEncrypted.clear();
          return false;
        }
        continue;
      }
      if (status == SEC_I_CONTEXT_EXPIRED) {  // close_notify
        FPeerClosed = true;
        FEncrypted.clear();
        return false;
      }
      if (status == SEC_I_RENEGOTIATE)
        throw EHttpsError(L"The server at " + FSocket.Endpoint() +
                          L" asked to renegotiate the TLS session, which this client does not do");
      if (status != SEC_E_INCOMPLETE_MESSAGE) Fail(L"TLS decryption failed", status);
    }
    if (!FSocket.ReceiveSome(FEncrypted, Bound(L"while reading the response"))) {
      FPeerClosed = true;
      if (!FEncrypted.empty())
        throw EHttpsError(L"The connection to " + FSocket.Endpoint() +
                          L" ended inside a TLS record");
      return false;  // closed without close_notify, between records
    }
  }
  return false;
}

void TTlsSession::Shutdown() noexcept {
  try {
    DWORD type = SCHANNEL_SHUTDOWN;
    SecBuffer control{sizeof type, SECBUFFER_TOKEN, &type};
    SecBufferDesc controlDesc{SECBUFFER_VERSION, 1, &control};
    if (ApplyControlToken(FContext.Get(), &controlDesc) != SEC_E_OK) return;
    SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
    DWORD attributes = 0;
    const SECURITY_STATUS status = InitializeSecurityContextW(
        FCredentials.Get(), FContext.Get(), const_cast<wchar_t*>(FServerName.c_str()),
        kContextRequest, 0, 0, nullptr, 0, FContext.Get(), &outDesc, &attributes, nullptr);
    const TContextBuffer token(out.pvBuffer);
    if (!FAILED(status) && out.cbBuffer > 0 && out.pvBuffer)
      FSocket.SendAll(std::string_view(static_cast<const char*>(out.pvBuffer), out.cbBuffer),
                      Bound(L"while closing the connection"));
  } catch (...) {
    // A close notice that cannot be sent changes nothing for the answer already read.
    ReportDroppedError(L"TTlsSession.Shutdown");
  }
}

}  // namespace quirel::update
