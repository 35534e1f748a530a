// Which pages may use the identity store: those of the web application's own origins. Other
// sites the user reaches in the windows see `bridge` but cannot read or write its entries.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// Scheme and host in small letters; the scheme's default port when the address gives none.
struct TOrigin {
  std::wstring Scheme;
  std::wstring Host;
  int Port = 0;
  bool operator==(const TOrigin&) const = default;
};

// The origin of an http(s) address; none for other schemes or malformed addresses.
std::optional<TOrigin> OriginOf(std::wstring_view url);
// True when url's origin is one of those of `origins` (addresses).
bool IsSameOriginAsAny(std::wstring_view url, const std::vector<std::wstring>& origins);

// The address of the page whose script is running now; empty outside a page script.
std::wstring CurrentPageUrl();
// The running page script belongs to the web application.
bool CurrentPageIsApplication();

}  // namespace quirel
