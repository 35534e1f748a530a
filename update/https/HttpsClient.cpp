#include "update/https/HttpsClient.h"

#include "update/https/Charset.h"
#include "update/https/HttpRequest.h"
#include "update/https/HttpResponse.h"
#include "update/https/HttpsUrl.h"
#include "update/https/Socket.h"
#include "update/https/TlsSession.h"

namespace quirel::update {
namespace {

class TTlsByteSource : public TByteSource {
 public:
  explicit TTlsByteSource(TTlsSession& session) : FSession(session) {}
  bool ReadSome(std::string& buffer) override { return FSession.ReceiveSome(buffer); }

 private:
  TTlsSession& FSession;
};

}  // namespace

std::wstring THttpsClient::Get(const std::wstring& url) {
  const THttpsUrl parts = ParseHttpsUrl(url);
  const std::string request = BuildGetRequest(parts, UserAgent);
  const TWinsock winsock;
  TSocket socket(parts.Host, parts.Port, ConnectTimeout, Deadline);
  TTlsSession session(socket, parts.Host, ReadTimeout, Deadline);
  session.Send(request);
  TTlsByteSource source(session);
  THttpResponseReader reader(source, MaxBodyBytes);
  const THttpResponse response = reader.ReadFinalResponse();
  session.Shutdown();
  return DecodeResponseText(response.Body, response.Header("Content-Type"));
}

}  // namespace quirel::update
