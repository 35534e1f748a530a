// The whole request ends by its deadline, whatever the server does, and answers that can never
// lead anywhere (an endless run of interim answers, no TLS at all) end it at once.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "Failure.h"
#include "TestClient.h"
#include "TlsFixture.h"
#include "update/https/HttpsClient.h"
#include "update/https/HttpsErrors.h"

namespace quirel::update {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;
using test::Client;
using test::FailureOf;
using test::FixturePort;
using test::FixtureUrl;
using test::RawTarget;
using test::SecondsSince;

// "at=<head size>&split=1&delay=<ms>": the head at once, then the rest a byte per TLS record.
std::wstring AfterTheHead(const std::string& wire, int delayMs) {
  return L"at=" + std::to_wstring(wire.find("\r\n\r\n") + 4) +
         L"&split=1&delay=" + std::to_wstring(delayMs);
}

struct StallCase {
  const char* name;
  const char* server;
  std::wstring target;
  std::wstring host;
  std::wstring activity;  // the end of the message
};

// Each case would go on for far longer than the deadline (several seconds of trickle, or a
// silence that only the 10 s per-step limits would end).
TEST(HttpsDeadline, EndsTheRequestWhateverTheServerDoes) {
  const std::string slowHead = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nSI";
  const std::string slowBody =
      "HTTP/1.1 200 OK\r\nContent-Length: 40\r\n\r\n" + std::string(40, 'x');
  std::string slowChunks = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
  for (int i = 0; i < 8; ++i) slowChunks += "1\r\nx\r\n";
  slowChunks += "0\r\n\r\n";
  const std::string slowToClose = "HTTP/1.0 200 OK\r\n\r\n" + std::string(40, 'x');
  const std::wstring reading = L"while reading the response";
  const std::wstring handshake = L"during the TLS handshake";
  const StallCase cases[] = {
      {"head, a byte every 200 ms", "tls12", RawTarget(slowHead, L"split=1&delay=200"),
       L"127.0.0.1", reading},
      {"the same by host name", "tls12", RawTarget(slowHead, L"split=1&delay=200"),
       L"localhost", reading},
      {"body by length", "tls12", RawTarget(slowBody, AfterTheHead(slowBody, 200)), L"127.0.0.1",
       reading},
      {"chunks", "tls12", RawTarget(slowChunks, AfterTheHead(slowChunks, 150)), L"127.0.0.1",
       reading},
      {"body to the end of the connection", "tls12",
       RawTarget(slowToClose, AfterTheHead(slowToClose, 200)), L"127.0.0.1", reading},
      {"handshake records, a byte every 250 ms", "slowtls", L"/echo", L"127.0.0.1", handshake},
      {"silent before the handshake", "silent", L"/", L"127.0.0.1", handshake},
      {"silent after the request", "tls12", L"/hang", L"127.0.0.1", reading},
      {"connection never accepted", "full", L"/", L"127.0.0.1", L"while connecting"},
  };
  for (const StallCase& c : cases) {
    SCOPED_TRACE(c.name);
    THttpsClient client = Client(10s);
    const auto start = steady_clock::now();
    client.Deadline = start + 2s;
    const std::wstring failure =
        FailureOf<EHttpsTimeout>([&] { client.Get(FixtureUrl(c.server, c.target, c.host)); });
    const double seconds = SecondsSince(start);
    EXPECT_EQ(failure, L"The request to " + c.host + L":" +
                           std::to_wstring(FixturePort(c.server)) + L" reached its deadline " +
                           c.activity);
    EXPECT_GE(seconds, 1.9);
    EXPECT_LT(seconds, 4.0);
  }
}

// Before the deadline nothing changes: per-step limits still apply, answers still arrive.
TEST(HttpsDeadline, FarDeadlineChangesNothing) {
  THttpsClient client = Client(10s);
  client.ReadTimeout = 1s;
  client.Deadline = steady_clock::now() + 60s;
  EXPECT_EQ(FailureOf<EHttpsTimeout>([&] { client.Get(FixtureUrl("tls12", L"/hang")); }),
            L"Read from 127.0.0.1:" + std::to_wstring(FixturePort("tls12")) +
                L" timed out after 1000 ms");
  const std::string wire = "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nSI\r\n2.2.0";
  EXPECT_EQ(client.Get(FixtureUrl("tls12", RawTarget(wire, L"split=4&delay=100"), L"localhost")),
            L"SI\r\n2.2.0");
}

TEST(HttpsDeadline, PassedDeadlineFailsAtOnce) {
  THttpsClient client = Client(10s);
  client.Deadline = steady_clock::now() - 1s;
  const auto start = steady_clock::now();
  const std::wstring failure =
      FailureOf<EHttpsTimeout>([&] { client.Get(FixtureUrl("tls12", L"/echo", L"localhost")); });
  EXPECT_LT(SecondsSince(start), 1.0);
  EXPECT_EQ(failure.rfind(L"The request to localhost:" + std::to_wstring(FixturePort("tls12")) +
                              L" reached its deadline ",
                          0),
            0u)
      << testing::PrintToString(failure);
}

// The server floods "100 Continue" (for 10 s, then it closes): no final answer will come.
TEST(HttpsDeadline, EndlessInterimAnswersFailAtOnce) {
  THttpsClient client = Client(10s);
  client.Deadline = steady_clock::now() + 8s;
  const auto start = steady_clock::now();
  const std::wstring failure =
      FailureOf([&] { client.Get(FixtureUrl("tls12", L"/interim-flood")); });
  EXPECT_LT(SecondsSince(start), 3.0);
  EXPECT_EQ(failure, L"More than 10 interim responses (100 Continue) without a final response");
}

// A plain HTTP server on the port answers the ClientHello with a 400 page and stays open.
TEST(HttpsDeadline, NonTlsAnswerToTheHelloFailsAtOnce) {
  THttpsClient client = Client(10s);
  const auto start = steady_clock::now();
  const std::wstring failure = FailureOf([&] { client.Get(FixtureUrl("plain", L"/")); });
  EXPECT_LT(SecondsSince(start), 3.0);
  EXPECT_EQ(failure, L"TLS handshake failed with 127.0.0.1:" +
                         std::to_wstring(FixturePort("plain")) +
                         L": the server did not answer with TLS (its answer began \"HTTP/1.1 "
                         L"400 Bad Request\")");
}

}  // namespace
}  // namespace quirel::update
