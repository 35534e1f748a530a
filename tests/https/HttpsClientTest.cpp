// The client against real TLS servers (tls_fixture.py, on 127.0.0.1).
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "Failure.h"
#include "HttpFixture.h"
#include "TestClient.h"
#include "TlsFixture.h"
#include "update/https/HttpsClient.h"
#include "update/https/HttpsErrors.h"

namespace quirel::update {
namespace {

using namespace std::chrono_literals;
using test::Client;
using test::FailureOf;
using test::FixturePort;
using test::FixtureUrl;
using test::kAgent;
using test::kNoFailure;
using test::RawTarget;
using test::SecondsSince;

TEST(HttpsClient, SendsExactlyTheRequestLineAndThreeHeaders) {
  const std::wstring port = std::to_wstring(FixturePort("tls12"));
  for (const std::wstring host : {L"127.0.0.1", L"localhost"}) {
    SCOPED_TRACE(host);
    THttpsClient client = Client();
    const std::wstring request = client.Get(
        FixtureUrl("tls12", L"/echo/Quirel/update/update-exe.php?localver=2.1.0.0", host));
    EXPECT_EQ(request,
              L"GET /echo/Quirel/update/update-exe.php?localver=2.1.0.0 HTTP/1.1\r\n"
              L"Host: " +
                  host + L":" + port +
                  L"\r\n"
                  L"Accept: text/html, */*\r\n"
                  L"User-Agent: " +
                  std::wstring(kAgent) +
                  L"\r\n"
                  L"\r\n");
  }
}

TEST(HttpsClient, UserAgentIsTakenAtEachRequest) {
  THttpsClient client = Client();
  client.UserAgent = L"QuirelTest/1.0";
  const std::wstring request = client.Get(FixtureUrl("tls12", L"/echo"));
  EXPECT_NE(request.find(L"\r\nUser-Agent: QuirelTest/1.0\r\n"), std::wstring::npos) << request;
}

TEST(HttpsClient, IndicatesTheHostNameToTheServer) {
  EXPECT_EQ(Client().Get(FixtureUrl("tls12", L"/sni", L"localhost")), L"localhost");
}

TEST(HttpsClient, RefusesServersThatDoNotSpeakTls12) {
  for (const char* server : {"tls13", "tls10"}) {
    SCOPED_TRACE(server);
    THttpsClient client = Client();
    const std::wstring failure =
        FailureOf([&] { client.Get(FixtureUrl(server, L"/sni", L"localhost")); });
    EXPECT_EQ(
        failure.rfind(
            L"TLS handshake failed with localhost:" + std::to_wstring(FixturePort(server)), 0),
        0u)
        << testing::PrintToString(failure);
  }
}

struct ReplyCase {
  const char* name;
  std::string wire;
  std::wstring options;
  std::wstring text;  // the body as text, or the failure's message
};

TEST(HttpsClient, RepliesAsTheServerSentThem) {
  const std::string echo = "https://127.0.0.1:" + std::to_string(FixturePort("tls12")) + "/echo";
  const ReplyCase cases[] = {
      {"100 then 200",
       "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nSI", L"", L"SI"},
      {"302 not followed",
       "HTTP/1.1 302 Found\r\nLocation: " + echo + "\r\nContent-Length: 5\r\n\r\nmoved", L"",
       L"HTTP/1.1 302 Found"},
      {"404",
       "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nTransfer-Encoding: chunked\r\n\r\n"
       "9\r\nnot found\r\n0\r\n\r\n",
       L"", L"HTTP/1.1 404 Not Found"},
      {"304", "HTTP/1.1 304 Not Modified\r\n\r\n", L"", L"HTTP/1.1 304 Not Modified"},
      {"500 to close", "HTTP/1.0 500 Internal Server Error\r\n\r\n<h1>500</h1>", L"",
       L"HTTP/1.0 500 Internal Server Error"},
      {"empty 200", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", L"", L""},
      {"empty 200 to close", "HTTP/1.1 200 OK\r\n\r\n", L"", L""},
      {"204", "HTTP/1.1 204 No Content\r\n\r\n", L"", L""},
      {"content-length", "HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\nSI\r\n2.2.0.0", L"",
       L"SI\r\n2.2.0.0"},
      {"chunked",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: "
       "chunked\r\n\r\n2\r\nSI\r\n9;x=1\r\n\r\n2.2.0.0\r\n0\r\nX: y\r\n\r\n",
       L"", L"SI\r\n2.2.0.0"},
      {"chunked, one byte per record",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nSI\r\n4\r\n\nabc\r\n0\r\n\r\n",
       L"split=1", L"SI\nabc"},
      {"to close with close_notify", "HTTP/1.0 200 OK\r\n\r\nSI\nx", L"", L"SI\nx"},
      {"to close without close_notify", "HTTP/1.0 200 OK\r\n\r\nSI\nx", L"abrupt=1", L"SI\nx"},
      {"content-length cut short", "HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\nSI", L"",
       L"Connection closed before the end of the response body"},
      {"utf-8",
       "HTTP/1.1 200 OK\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: "
       "5\r\n\r\ncaf\xC3\xA8",
       L"", L"caf\u00E8"},
      {"text without charset",
       "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 5\r\n\r\ncaf\xC3\xA8", L"",
       L"caf\u00C3\u00A8"},
      {"text/xml", "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 4\r\n\r\ncaf\xE8",
       L"", L"caf\uFFFD"},
      {"windows-1252",
       "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=windows-1252\r\n\r\n\x80", L"",
       L"\u20AC"},
      {"no content type", "HTTP/1.1 200 OK\r\n\r\n\xE8\x80", L"", L"\u00E8\u0080"},
  };
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    THttpsClient client = Client();
    std::wstring text;
    const std::wstring failure =
        FailureOf([&] { text = client.Get(FixtureUrl("tls12", RawTarget(c.wire, c.options))); });
    EXPECT_EQ(failure == kNoFailure ? text : failure, c.text);
  }
}

TEST(HttpsClient, StatusFailureIsAnHttpStatusError) {
  THttpsClient client = Client();
  try {
    client.Get(FixtureUrl("tls12", L"/no-such-script.php"));
    ADD_FAILURE() << "no error";
  } catch (const EHttpStatusError& e) {
    EXPECT_EQ(e.StatusCode(), 404);
    EXPECT_EQ(e.Message(), L"HTTP/1.1 404 Not Found");
  }
}

// The update check splits the text into lines itself: every line end must arrive as sent.
TEST(HttpsClient, LineEndsArriveByteForByte) {
  const std::string bodies[] = {
      "SI\r\n2.2.0.0\r\nSetup.exe\r\n",
      "SI\n2.2.0.0\nSetup.exe",
      "SI\r2.2.0.0\rSetup.exe\r",
      "SI\r\n\r\n\n\r\rSetup.exe\n\r",
      "\r\n",
      "\n",
      "\r",
      "SI",
  };
  for (const std::string& body : bodies) {
    const std::string framings[] = {
        "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
            std::to_string(body.size()) + "\r\n\r\n" + body,
        "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nTransfer-Encoding: chunked\r\n\r\n" +
            [&] {
              char size[16];
              snprintf(size, sizeof size, "%zx", body.size());
              return std::string(size);
            }() +
            "\r\n" + body + "\r\n0\r\n\r\n",
        "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body,
    };
    const std::wstring expected(body.begin(), body.end());
    for (const std::string& wire : framings) {
      SCOPED_TRACE(testing::PrintToString(wire));
      for (const std::wstring options : {L"", L"split=1"}) {
        THttpsClient client = Client();
        EXPECT_EQ(client.Get(FixtureUrl("tls12", RawTarget(wire, options))), expected);
      }
    }
  }
}

// Bodies larger than a TLS record arrive in records cut across TCP reads.
TEST(HttpsClient, LargeBodiesByEveryFraming) {
  const size_t size = 300000;
  for (const wchar_t* framing : {L"length", L"chunked", L"close"}) {
    SCOPED_TRACE(framing);
    THttpsClient client = Client();
    const std::wstring text =
        client.Get(FixtureUrl("tls12", L"/big/" + std::to_wstring(size) + L"?framing=" + framing));
    EXPECT_TRUE(text == test::PatternText(size)) << "length " << text.size();
  }
}

TEST(HttpsClient, BodyOverTheLimitIsRefused) {
  THttpsClient client = Client();
  client.MaxBodyBytes = 1000;
  EXPECT_EQ(FailureOf([&] { client.Get(FixtureUrl("tls12", L"/big/5000?framing=close")); }),
            L"Response body too large");
  EXPECT_EQ(FailureOf([&] { client.Get(FixtureUrl("tls12", L"/big/5000?framing=length")); }),
            L"Response body too large (5000 bytes)");
}

// A server that accepts and then stays silent, before the handshake or after the request.
TEST(HttpsClient, SilentServerEndsAfterTheReadTimeout) {
  for (const auto& [server, target] : {std::pair{"silent", L"/"}, std::pair{"tls12", L"/hang"}}) {
    SCOPED_TRACE(server);
    THttpsClient client = Client(10s);
    client.ReadTimeout = 1s;
    const auto start = std::chrono::steady_clock::now();
    const std::wstring failure =
        FailureOf<EHttpsTimeout>([&] { client.Get(FixtureUrl(server, target)); });
    const double seconds = SecondsSince(start);
    EXPECT_GE(seconds, 0.9);
    EXPECT_LT(seconds, 5.0);
    EXPECT_EQ(failure, L"Read from 127.0.0.1:" + std::to_wstring(FixturePort(server)) +
                           L" timed out after 1000 ms");
  }
}

// The read bound is on silence, not on the whole answer.
TEST(HttpsClient, SlowButSteadyAnswerIsRead) {
  const std::string wire =
      "HTTP/1.1 200 OK\r\nContent-Length: 22\r\n\r\nSI\r\n2.2.0.0\r\nSetup.exe";
  THttpsClient client = Client();
  client.ReadTimeout = 1s;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(client.Get(FixtureUrl("tls12", RawTarget(wire, L"split=16&delay=400"))),
            L"SI\r\n2.2.0.0\r\nSetup.exe");
  EXPECT_GT(SecondsSince(start), 1.1);
}

TEST(HttpsClient, UnansweredConnectEndsAfterTheConnectTimeout) {
  THttpsClient client = Client(10s);
  client.ConnectTimeout = 1s;
  const auto start = std::chrono::steady_clock::now();
  const std::wstring failure =
      FailureOf<EHttpsTimeout>([&] { client.Get(FixtureUrl("full", L"/")); });
  const double seconds = SecondsSince(start);
  EXPECT_GE(seconds, 0.9);
  EXPECT_LT(seconds, 5.0);
  EXPECT_EQ(failure, L"Connect to 127.0.0.1:" + std::to_wstring(FixturePort("full")) +
                         L" timed out after 1000 ms");
}

TEST(HttpsClient, RefusedConnectionFailsAtOnce) {
  const uint16_t port = quirel::test::ClosedPort();
  THttpsClient client = Client();
  const auto start = std::chrono::steady_clock::now();
  const std::wstring failure =
      FailureOf([&] { client.Get(L"https://127.0.0.1:" + std::to_wstring(port) + L"/x"); });
  EXPECT_LT(SecondsSince(start), 5.0);
  EXPECT_EQ(
      failure.rfind(
          L"Could not connect to 127.0.0.1:" + std::to_wstring(port) + L" (socket error 10061", 0),
      0u)
      << testing::PrintToString(failure);
}

TEST(HttpsClient, BadUrlFailsBeforeAnyConnection) {
  THttpsClient client = Client();
  EXPECT_EQ(FailureOf([&] { client.Get(L"http://127.0.0.1/"); }),
            L"Not an https URL: http://127.0.0.1/");
}

}  // namespace
}  // namespace quirel::update
