#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "Failure.h"
#include "update/https/HttpRequest.h"
#include "update/https/HttpsErrors.h"
#include "update/https/HttpsUrl.h"
#include "update/https/TlsSession.h"

namespace quirel::update {
namespace {

struct UrlCase {
  const wchar_t* url;
  const wchar_t* host;
  uint16_t port;
  const wchar_t* pathAndQuery;
};

TEST(HttpsUrl, SplitsHostPortAndTarget) {
  const UrlCase cases[] = {
      {L"https://aggiornamenti.quirel.it/Quirel/update/update-exe.php?localver=2.1.0.0",
       L"aggiornamenti.quirel.it", 443, L"/Quirel/update/update-exe.php?localver=2.1.0.0"},
      {L"HTTPS://Host.Example:8443/a?b=c&d", L"Host.Example", 8443, L"/a?b=c&d"},
      {L"https://h", L"h", 443, L"/"},
      {L"https://h:443", L"h", 443, L"/"},
      {L"https://h?x=1", L"h", 443, L"/?x=1"},
      {L"https://h/a%20b?q=%zz #frag", L"h", 443, L"/a%20b?q=%zz "},  // nothing unescaped
      {L"https://127.0.0.1:1/x/", L"127.0.0.1", 1, L"/x/"},
      {L"https://h:65535/x:y@z", L"h", 65535, L"/x:y@z"},
  };
  for (const UrlCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.url);
    const THttpsUrl url = ParseHttpsUrl(c.url);
    EXPECT_EQ(url.Host, c.host);
    EXPECT_EQ(url.Port, c.port);
    EXPECT_EQ(url.PathAndQuery, c.pathAndQuery);
  }
}

TEST(HttpsUrl, RefusesWhatItCannotReach) {
  const wchar_t* cases[] = {
      L"http://h/",
      L"ftp://h/",
      L"h/path",
      L"https:/h/",
      L"https://",
      L"https:///path",
      L"https://h:/",
      L"https://h:0/",
      L"https://h:65536/",
      L"https://h:12a/",
      L"https://user:pw@h/",
      L"https://[::1]:443/",
      L"",
  };
  for (const wchar_t* url : cases) {
    SCOPED_TRACE(testing::Message() << url);
    EXPECT_THROW(ParseHttpsUrl(url), EHttpsError);
  }
}

TEST(HttpsUrl, HostHeaderNamesThePortOnlyWhenNot443) {
  EXPECT_EQ(HostHeaderValue(ParseHttpsUrl(L"https://aggiornamenti.quirel.it/x")),
            L"aggiornamenti.quirel.it");
  EXPECT_EQ(HostHeaderValue(ParseHttpsUrl(L"https://h:443/x")), L"h");
  EXPECT_EQ(HostHeaderValue(ParseHttpsUrl(L"https://h:0443/x")), L"h");
  EXPECT_EQ(HostHeaderValue(ParseHttpsUrl(L"https://h:444/x")), L"h:444");
  EXPECT_EQ(HostHeaderValue(ParseHttpsUrl(L"https://h:80/x")), L"h:80");
}

TEST(HttpRequest, ExactBytesOnPort443) {
  const std::string request = BuildGetRequest(
      ParseHttpsUrl(
          L"https://aggiornamenti.quirel.it/Quirel/update/update-exe.php?localver=2.1.0.0"),
      L"Mozilla/5.0 (Windows NT 6.1; WOW64; rv:12.0) Gecko/20100101 Firefox/12.0");
  EXPECT_EQ(
      request,
      "GET /Quirel/update/update-exe.php?localver=2.1.0.0 HTTP/1.1\r\n"
      "Host: aggiornamenti.quirel.it\r\n"
      "Accept: text/html, */*\r\n"
      "User-Agent: Mozilla/5.0 (Windows NT 6.1; WOW64; rv:12.0) Gecko/20100101 Firefox/12.0\r\n"
      "\r\n");
}

TEST(HttpRequest, TextGoesOutAsUtf8AndEmptyAgentStaysAHeader) {
  EXPECT_EQ(
      BuildGetRequest(ParseHttpsUrl(L"https://h:8443/caff\u00E8?v=\u20AC"), L""),
      "GET /caff\xC3\xA8?v=\xE2\x82\xAC HTTP/1.1\r\nHost: h:8443\r\nAccept: text/html, */*\r\n"
      "User-Agent: \r\n\r\n");
}

TEST(HttpRequest, RefusesLineBreaksThatWouldForgeHeaders) {
  const THttpsUrl url = ParseHttpsUrl(L"https://h/x");
  for (const std::wstring& agent : {std::wstring(L"a\r\nCookie: x"), std::wstring(L"a\nb"),
                                    std::wstring(L"a\rb"), std::wstring(L"a\0b", 3)}) {
    EXPECT_THROW(BuildGetRequest(url, agent), EHttpsError);
  }
  EXPECT_THROW(BuildGetRequest(ParseHttpsUrl(L"https://h/x\r\nCookie: y"), L"ua"), EHttpsError);
}

TEST(TlsProtocol, OnlyTls12IsAccepted) {
  EXPECT_NO_THROW(RequireTls12(SP_PROT_TLS1_2_CLIENT));
  const DWORD others[] = {0,
                          SP_PROT_SSL3_CLIENT,
                          SP_PROT_TLS1_0_CLIENT,
                          SP_PROT_TLS1_1_CLIENT,
                          SP_PROT_TLS1_3_CLIENT,
                          SP_PROT_TLS1_2_SERVER};
  for (DWORD protocol : others) {
    SCOPED_TRACE(protocol);
    EXPECT_THROW(RequireTls12(protocol), EHttpsError);
  }
  EXPECT_EQ(test::FailureOf([] { RequireTls12(SP_PROT_TLS1_3_CLIENT); }),
            L"The server negotiated TLS 1.3; only TLS 1.2 is accepted");
  EXPECT_EQ(test::FailureOf([] { RequireTls12(SP_PROT_TLS1_0_CLIENT); }),
            L"The server negotiated TLS 1.0; only TLS 1.2 is accepted");
}

// The first bytes of the server's answer to the ClientHello: a record header, or anything else.
TEST(TlsProtocol, AnswerMustStartAsATlsRecord) {
  const std::pair<std::string, std::wstring> cases[] = {
      {std::string("\x16\x03\x03\x00\x31", 5), test::kNoFailure},  // handshake
      {std::string("\x15\x03\x01", 3), test::kNoFailure},           // alert, older version
      {std::string("\x14", 1), test::kNoFailure},                     // version not yet here
      {std::string("\x17\x03", 2), test::kNoFailure},                // application data
      {"HTTP/1.1 400 Bad Request\r\nServer: x\r\n\r\n", L"HTTP/1.1 400 Bad Request"},
      {std::string("\x18\x03\x03", 3), L"\\x18\\x03\\x03"},  // content type 24
      {std::string("\x13\x03\x03", 3), L"\\x13\\x03\\x03"},  // content type 19
      {std::string("\x16\x02\x00", 3), L"\\x16\\x02\\x00"},  // major version 2
      {std::string("SSH-2.0-OpenSSH_9.2p1 Debian-2+deb12u3 extra words\r\n"),
       L"SSH-2.0-OpenSSH_9.2p1 Debian-2+deb12u3 e"},  // cut at 40 bytes
  };
  for (const auto& [bytes, excerpt] : cases) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    const std::wstring failure = test::FailureOf([&] { RequireTlsRecord(bytes, L"h:1"); });
    EXPECT_EQ(failure, excerpt == test::kNoFailure
                           ? excerpt
                           : L"TLS handshake failed with h:1: the server did not answer with TLS "
                             L"(its answer began \"" +
                                 excerpt + L"\")");
  }
}

}  // namespace
}  // namespace quirel::update
