// The HTTPS client of the update check: one GET over TLS 1.2 per call, no redirects, no
// cookies, no proxy. Not thread-safe; one object per thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace quirel::update {

class THttpsClient {
 public:
  std::wstring UserAgent;
  // Bounds on the waits: for the connection to be accepted, and for each next piece of the
  // answer (so a server that goes silent at any point ends the request).
  std::chrono::milliseconds ConnectTimeout{30000};
  std::chrono::milliseconds ReadTimeout{30000};
  // When the whole request must have ended, whatever the server does: no wait inside Get goes
  // past it (EHttpsTimeout), so a server that trickles a byte now and then cannot hold it.
  std::chrono::steady_clock::time_point Deadline = std::chrono::steady_clock::time_point::max();
  // A larger body is refused rather than held in memory.
  size_t MaxBodyBytes = 16 * 1024 * 1024;

  // The body of a 2xx answer as text, decoded by its Content-Type (see Charset.h). Raises
  // EHttpStatusError (message: the status line as received) for any other final status and
  // EHttpsError/EHttpsTimeout for URL, connection, TLS and protocol failures.
  std::wstring Get(const std::wstring& url);
};

}  // namespace quirel::update
