#include "bridge/PageOrigin.h"

#include <cwctype>

#include "common/HomePage.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/CefString.h"
#include "engine/capi/cef_capi.h"

namespace quirel {
namespace {

std::wstring Lower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
  return out;
}

}  // namespace

std::optional<TOrigin> OriginOf(std::wstring_view url) {
  const size_t schemeEnd = url.find(L"://");
  if (schemeEnd == std::wstring_view::npos) return std::nullopt;
  TOrigin origin;
  origin.Scheme = Lower(url.substr(0, schemeEnd));
  int defaultPort = 0;
  if (origin.Scheme == L"https") defaultPort = 443;
  else if (origin.Scheme == L"http") defaultPort = 80;
  else return std::nullopt;

  std::wstring_view authority = url.substr(schemeEnd + 3);
  authority = authority.substr(0, authority.find_first_of(L"/?#\\"));
  if (const size_t at = authority.rfind(L'@'); at != std::wstring_view::npos)
    authority.remove_prefix(at + 1);

  std::wstring_view host = authority, port;
  if (!authority.empty() && authority.front() == L'[') {
    const size_t close = authority.find(L']');
    if (close == std::wstring_view::npos) return std::nullopt;
    host = authority.substr(0, close + 1);
    std::wstring_view rest = authority.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != L':') return std::nullopt;
      port = rest.substr(1);
    }
  } else if (const size_t colon = authority.rfind(L':'); colon != std::wstring_view::npos) {
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
  }
  if (host.empty()) return std::nullopt;
  origin.Host = Lower(host);

  origin.Port = defaultPort;
  if (!port.empty()) {
    if (port.size() > 5) return std::nullopt;
    int value = 0;
    for (wchar_t c : port) {
      if (c < L'0' || c > L'9') return std::nullopt;
      value = value * 10 + (c - L'0');
    }
    if (value == 0 || value > 65535) return std::nullopt;
    origin.Port = value;
  }
  return origin;
}

bool IsSameOriginAsAny(std::wstring_view url, const std::vector<std::wstring>& origins) {
  const std::optional<TOrigin> page = OriginOf(url);
  if (!page) return false;
  for (const std::wstring& candidate : origins)
    if (OriginOf(candidate) == page) return true;
  return false;
}

std::wstring CurrentPageUrl() {
  if (!g_cef.cef_v8context_get_current_context) return {};
  CefRef<cef_v8context_t> context = CefAdopt(g_cef.cef_v8context_get_current_context());
  if (!context) return {};
  CefRef<cef_frame_t> frame = CefAdopt(context->get_frame(context.get()));
  if (!frame) return {};
  return CefUserFreeString(frame->get_url(frame.get())).str();
}

bool CurrentPageIsApplication() {
  return IsSameOriginAsAny(CurrentPageUrl(), ApplicationOriginUrls());
}

}  // namespace quirel
