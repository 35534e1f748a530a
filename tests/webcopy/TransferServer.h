// An HTTP server inside the test process, on 127.0.0.1 only, whose answers a download can
// stumble over: with or without a length, chunked, slow, cut off, silent, reset, redirected, late.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quirel::test {

struct TransferReply {
  int Status = 200;
  std::string Body;
  bool ContentLength = true;  // announce the body's length (else the end of the body is the close)
  bool Chunked = false;       // chunked transfer coding (no length)
  size_t AnnouncedLength = std::string::npos;  // a length other than the body's
  size_t CutAfter = std::string::npos;         // close the connection after this many body bytes
  size_t StepBytes = 0;                        // send the body in steps of this size (0: at once)
  DWORD StepMs = 0;                            // pause after each step
  DWORD HeadDelayMs = 0;                       // pause before answering at all
  DWORD HoldMs = 0;                            // keep the connection open this long after the body
  bool Reset = false;                          // end the connection with a reset instead of a close
  std::vector<std::string> Headers;            // further header lines, "Name: value"

  // Variations of a reply, for tables of cases.
  TransferReply WithStatus(int status) const;
  TransferReply WithoutLength() const;
  TransferReply WithChunks(size_t step, DWORD ms = 0) const;
  TransferReply WithLength(size_t announced) const;
  TransferReply WithCut(size_t after) const;
  TransferReply WithPace(size_t step, DWORD ms) const;
  TransferReply WithHeadDelay(DWORD ms) const;
  TransferReply WithHold(DWORD ms) const;
  TransferReply WithReset() const;
  TransferReply WithHeader(std::string line) const;
};

// 200 with that body and its length.
TransferReply Reply(std::string body);

// A body of `size` bytes that differs from any shifted copy of itself.
std::string PatternBody(size_t size);

class TransferServer {
 public:
  TransferServer();
  ~TransferServer();
  TransferServer(const TransferServer&) = delete;
  TransferServer& operator=(const TransferServer&) = delete;

  // Answers requests for `target` (the request line's target: a path, or an absolute URL when
  // the server acts as a proxy). Anything else gets a 404.
  void Route(const std::string& target, TransferReply reply);

  uint16_t port() const { return port_; }
  std::wstring Url(const std::string& path) const;
  std::wstring Host() const;  // 127.0.0.1:<port>

  // Each request's head (request line and headers, lines ending in CR LF), in arrival order.
  std::vector<std::string> Requests() const;
  // Connections whose answer could not be sent completely (the client went away).
  int AbortedAnswers() const { return aborted_; }
  // Ends every pause and hold now and later ones at once: the server sends what is left.
  void ReleaseHolds() { released_ = true; }

 private:
  void Serve();
  void Answer(uintptr_t socket);

  uintptr_t listener_ = 0;
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<bool> released_{false};
  std::atomic<int> aborted_{0};
  mutable std::mutex mutex_;
  std::map<std::string, TransferReply> routes_;
  std::vector<std::string> requests_;
  std::vector<std::thread> connections_;
  std::thread thread_;
};

}  // namespace quirel::test
