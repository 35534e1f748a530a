// A small HTTP server inside the test process, on 127.0.0.1 only: it answers every request with
// one fixed status and body, closes the connection, and remembers what it was asked.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quirel::test {

class HttpFixture {
 public:
  explicit HttpFixture(int status, std::string body = {}, std::string contentType = "text/plain");
  ~HttpFixture();
  HttpFixture(const HttpFixture&) = delete;
  HttpFixture& operator=(const HttpFixture&) = delete;

  uint16_t port() const { return port_; }
  std::wstring Url(
      const std::wstring& pathAndQuery) const;  // http://127.0.0.1:<port><pathAndQuery>

  // Each request's head (request line and headers, lines ending in CR LF), in arrival order.
  std::vector<std::string> Requests() const;
  // Just the request lines ("GET /path HTTP/1.1").
  std::vector<std::string> RequestLines() const;

 private:
  void Serve();

  const int status_;
  const std::string body_;
  const std::string contentType_;
  uintptr_t listener_ = 0;
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A loopback port on which nothing listens (connections are refused).
uint16_t ClosedPort();

// The value of a header in a request head ("" when absent); the name ignores letter case.
std::string HeaderValue(const std::string& head, const std::string& name);

}  // namespace quirel::test
