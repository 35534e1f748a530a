// The parts of an https:// URL that a GET needs.
#pragma once

#include <cstdint>
#include <string>

namespace quirel::update {

struct THttpsUrl {
  std::wstring Host;  // as written in the URL
  uint16_t Port = 443;
  std::wstring PathAndQuery;  // as written, never empty ("/" when the URL has no path)
};

// Accepts "https://host[:port][/path][?query][#fragment]" (scheme in any letter case); the
// fragment is dropped, nothing is escaped or unescaped. Raises EHttpsError for anything else,
// including user information and IPv6 literals, which this client does not handle.
THttpsUrl ParseHttpsUrl(const std::wstring& url);

// The Host header's value: the host, with ":<port>" only when the port is not 443.
std::wstring HostHeaderValue(const THttpsUrl& url);

}  // namespace quirel::update
