#include "TlsFixture.h"

#include <windows.h>

#include <sstream>
#include <stdexcept>

namespace quirel::update::test {

uint16_t FixturePort(const std::string& server) {
  char value[512] = {};
  const DWORD n = GetEnvironmentVariableA("QUIREL_TLS_FIXTURE", value, sizeof value);
  if (n == 0 || n >= sizeof value)
    throw std::runtime_error(
        "QUIREL_TLS_FIXTURE is not set: run this program through with-tls-fixture.sh");
  std::istringstream items(value);
  std::string item;
  while (items >> item) {
    const size_t equals = item.find('=');
    if (equals != std::string::npos && item.substr(0, equals) == server)
      return static_cast<uint16_t>(std::stoi(item.substr(equals + 1)));
  }
  throw std::runtime_error("no fixture server named " + server + " in QUIREL_TLS_FIXTURE");
}

std::wstring FixtureUrl(const std::string& server, const std::wstring& pathAndQuery,
                        const std::wstring& host) {
  return L"https://" + host + L":" + std::to_wstring(FixturePort(server)) + pathAndQuery;
}

std::wstring RawTarget(std::string_view response, const std::wstring& options) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring target = L"/raw/";
  for (char c : response) {
    const auto b = static_cast<unsigned char>(c);
    target += kDigits[b >> 4];
    target += kDigits[b & 15];
  }
  if (!options.empty()) target += L"?" + options;
  return target;
}

std::string Pattern(size_t n) {
  std::string bytes(n, '\0');
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 7 + 3) % 251);
  return bytes;
}

std::wstring PatternText(size_t n) {
  std::wstring text(n, L'\0');
  for (size_t i = 0; i < n; ++i) text[i] = static_cast<wchar_t>((i * 7 + 3) % 251);
  return text;
}

}  // namespace quirel::update::test
