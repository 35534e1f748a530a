// Which addresses share an origin with the web application's.
#include <gtest/gtest.h>

#include "bridge/PageOrigin.h"

namespace quirel {
namespace {

TEST(PageOrigin, TakesSchemeHostAndPortWithTheDefaultPorts) {
  struct Case {
    const wchar_t* url;
    bool valid;
    const wchar_t* scheme;
    const wchar_t* host;
    int port;
  } cases[] = {
      {L"https://app.quirel.it/Quirel/", true, L"https", L"app.quirel.it", 443},
      {L"HTTPS://App.Quirel.IT", true, L"https", L"app.quirel.it", 443},
      {L"http://localhost:47080/x?y#z", true, L"http", L"localhost", 47080},
      {L"http://user:pw@host.example:8080/", true, L"http", L"host.example", 8080},
      {L"https://[::1]:47443/Quirel/", true, L"https", L"[::1]", 47443},
      {L"https://host?q", true, L"https", L"host", 443},
      {L"https://host:/x", true, L"https", L"host", 443},
      {L"file:///C:/x.html", false, L"", L"", 0},
      {L"about:blank", false, L"", L"", 0},
      {L"ftp://host/", false, L"", L"", 0},
      {L"https:///path", false, L"", L"", 0},
      {L"https://host:99999/", false, L"", L"", 0},
      {L"https://host:0/", false, L"", L"", 0},
      {L"https://host:8o/", false, L"", L"", 0},
      {L"", false, L"", L"", 0},
  };
  for (const Case& c : cases) {
    const std::optional<TOrigin> origin = OriginOf(c.url);
    SCOPED_TRACE(testing::Message() << "url index " << (&c - cases));
    ASSERT_EQ(origin.has_value(), c.valid);
    if (!origin) continue;
    EXPECT_EQ(origin->Scheme, c.scheme);
    EXPECT_EQ(origin->Host, c.host);
    EXPECT_EQ(origin->Port, c.port);
  }
}

TEST(PageOrigin, MatchesAnyOfTheGivenOrigins) {
  const std::vector<std::wstring> origins{L"https://app.quirel.it/Quirel/",
                                          L"https://extra.quirel.it:8443"};
  EXPECT_TRUE(IsSameOriginAsAny(L"https://app.quirel.it:443/altro", origins));
  EXPECT_TRUE(IsSameOriginAsAny(L"https://EXTRA.quirel.it:8443/", origins));
  EXPECT_FALSE(IsSameOriginAsAny(L"https://extra.quirel.it/", origins)) << "another port";
  EXPECT_FALSE(IsSameOriginAsAny(L"http://app.quirel.it/Quirel/", origins)) << "another scheme";
  EXPECT_FALSE(IsSameOriginAsAny(L"https://app.quirel.it.evil.example/", origins));
  EXPECT_FALSE(IsSameOriginAsAny(L"https://evil.example/?https://app.quirel.it/", origins));
  EXPECT_FALSE(IsSameOriginAsAny(L"https://app.quirel.it@evil.example/", origins));
  EXPECT_FALSE(IsSameOriginAsAny(L"about:blank", origins));
}

}  // namespace
}  // namespace quirel
