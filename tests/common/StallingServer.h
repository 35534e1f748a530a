// A loopback HTTP "server" that never finishes an answer: it accepts every connection and then
// either stays silent or sends an endless head one byte at a time. Its destructor closes every
// connection, which also frees a client still waiting on it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

namespace quirel::test {

class StallingServer {
 public:
  enum class Mode { Silent, Trickle };

  StallingServer(Mode mode, std::chrono::milliseconds byteInterval = std::chrono::milliseconds(200));
  ~StallingServer();
  StallingServer(const StallingServer&) = delete;
  StallingServer& operator=(const StallingServer&) = delete;

  std::wstring Url(const std::wstring& pathAndQuery) const;  // http://127.0.0.1:<port>...
  int Connections() const { return connections_; }           // accepted so far

 private:
  void Serve();  // runs on the server's own thread

  const Mode mode_;
  const std::chrono::milliseconds interval_;
  uintptr_t listener_ = 0;
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::thread thread_;
};

}  // namespace quirel::test
