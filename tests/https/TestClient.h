// A client set up as the update check sets it up, and a stopwatch, for the tests that go through
// the fixture servers.
#pragma once

#include <chrono>

#include "update/https/HttpsClient.h"

namespace quirel::update::test {

inline constexpr wchar_t kAgent[] =
    L"Mozilla/5.0 (Windows NT 6.1; WOW64; rv:12.0) Gecko/20100101 Firefox/12.0";

inline THttpsClient Client(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  THttpsClient client;
  client.UserAgent = kAgent;
  client.ConnectTimeout = timeout;
  client.ReadTimeout = timeout;
  return client;
}

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace quirel::update::test
