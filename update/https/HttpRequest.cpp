#include "update/https/HttpRequest.h"

#include "common/Encoding.h"
#include "update/https/HttpsErrors.h"

namespace quirel::update {
namespace {

// CR, LF or NUL inside a field would let the text start another header or end the head early.
std::string FieldText(const std::wstring& text, const wchar_t* what) {
  for (wchar_t c : text)
    if (c == L'\r' || c == L'\n' || c == L'\0')
      throw EHttpsError(std::wstring(L"Line break or NUL in the request's ") + what);
  return WideToUtf8(text);
}

}  // namespace

std::string BuildGetRequest(const THttpsUrl& url, const std::wstring& userAgent) {
  const std::string target = FieldText(url.PathAndQuery, L"path");
  const std::string host = FieldText(HostHeaderValue(url), L"host");
  const std::string agent = FieldText(userAgent, L"user agent");
  return "GET " + target + " HTTP/1.1\r\n" +  //
         "Host: " + host + "\r\n" +           //
         "Accept: text/html, */*\r\n" +       //
         "User-Agent: " + agent + "\r\n" +    //
         "\r\n";
}

}  // namespace quirel::update
