#include "update/https/HttpsUrl.h"

#include "update/https/HttpsErrors.h"

namespace quirel::update {
namespace {

constexpr std::wstring_view kScheme = L"https://";

bool StartsWithSchemeIgnoringCase(const std::wstring& url) {
  if (url.size() < kScheme.size()) return false;
  for (size_t i = 0; i < kScheme.size(); ++i) {
    wchar_t c = url[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != kScheme[i]) return false;
  }
  return true;
}

uint16_t ParsePort(const std::wstring& text, const std::wstring& url) {
  if (text.empty() || text.size() > 5) throw EHttpsError(L"Invalid port in URL: " + url);
  unsigned value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') throw EHttpsError(L"Invalid port in URL: " + url);
    value = value * 10 + static_cast<unsigned>(c - L'0');
  }
  if (value == 0 || value > 65535) throw EHttpsError(L"Invalid port in URL: " + url);
  return static_cast<uint16_t>(value);
}

}  // namespace

THttpsUrl ParseHttpsUrl(const std::wstring& url) {
  if (!StartsWithSchemeIgnoringCase(url)) throw EHttpsError(L"Not an https URL: " + url);
  std::wstring rest = url.substr(kScheme.size());
  if (const size_t hash = rest.find(L'#'); hash != std::wstring::npos) rest.resize(hash);

  const size_t authorityEnd = rest.find_first_of(L"/?");
  const std::wstring authority = rest.substr(0, authorityEnd);
  THttpsUrl parts;
  parts.PathAndQuery = authorityEnd == std::wstring::npos ? L"/" : rest.substr(authorityEnd);
  if (parts.PathAndQuery.front() == L'?') parts.PathAndQuery.insert(0, 1, L'/');

  if (authority.find(L'@') != std::wstring::npos)
    throw EHttpsError(L"User information in URLs is not supported: " + url);
  if (!authority.empty() && authority.front() == L'[')
    throw EHttpsError(L"IPv6 addresses are not supported: " + url);
  const size_t colon = authority.find(L':');
  parts.Host = authority.substr(0, colon);
  if (colon != std::wstring::npos) parts.Port = ParsePort(authority.substr(colon + 1), url);
  if (parts.Host.empty()) throw EHttpsError(L"No host in URL: " + url);
  return parts;
}

std::wstring HostHeaderValue(const THttpsUrl& url) {
  if (url.Port == 443) return url.Host;
  return url.Host + L":" + std::to_wstring(url.Port);
}

}  // namespace quirel::update
