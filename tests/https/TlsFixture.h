// The fixture servers that with-tls-fixture.sh starts beside this test program (tls_fixture.py).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quirel::update::test {

// The port of one fixture server: "tls12", "tls13", "tls10", "silent", "full", "plain" or
// "slowtls" (see tls_fixture.py). Fails the test (std::runtime_error) when the program was
// started without the fixture.
uint16_t FixturePort(const std::string& server);

// https://<host>:<port of server><pathAndQuery>
std::wstring FixtureUrl(const std::string& server, const std::wstring& pathAndQuery,
                        const std::wstring& host = L"127.0.0.1");

// The target that makes the TLS 1.2 server send these bytes as they stand:
// "/raw/<hex>" plus "?<options>" when there are any.
std::wstring RawTarget(std::string_view response, const std::wstring& options = L"");

// The bytes /big/<n> sends: (i * 7 + 3) % 251, and the same as text, one character per byte.
std::string Pattern(size_t n);
std::wstring PatternText(size_t n);

}  // namespace quirel::update::test
