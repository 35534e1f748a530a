#include "standin/browser/PageLoader.h"

#include <windows.h>
#include <shlwapi.h>
#include <wininet.h>

#include <cwctype>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace quirel::standin {
namespace {

// The engine's network error codes for what can go wrong here.
constexpr int kErrFailed = -2;
constexpr int kErrFileNotFound = -6;
constexpr int kErrTimedOut = -7;
constexpr int kErrConnectionRefused = -102;
constexpr int kErrNameNotResolved = -105;
constexpr int kErrInvalidUrl = -300;
constexpr int kErrUnknownUrlScheme = -302;

PageResponse Failure(int code, const wchar_t* name, const std::wstring& url) {
  PageResponse response;
  response.error_code = code;
  response.error_text = std::wstring(L"net::") + name;
  response.url = url;
  return response;
}

struct InternetHandleCloser {
  void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetHandleCloser>;

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::wstring QueryHeader(HINTERNET request, DWORD what) {
  std::vector<wchar_t> buffer(1024);
  DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  DWORD index = 0;
  if (!HttpQueryInfoW(request, what, buffer.data(), &size, &index)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return L"";
    buffer.resize(size / sizeof(wchar_t) + 1);
    index = 0;
    if (!HttpQueryInfoW(request, what, buffer.data(), &size, &index)) return L"";
  }
  return std::wstring(buffer.data(), size / sizeof(wchar_t));
}

PageResponse NetworkFailure(DWORD error, const std::wstring& url) {
  switch (error) {
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
      return Failure(kErrNameNotResolved, L"ERR_NAME_NOT_RESOLVED", url);
    case ERROR_INTERNET_CANNOT_CONNECT:
      return Failure(kErrConnectionRefused, L"ERR_CONNECTION_REFUSED", url);
    case ERROR_INTERNET_TIMEOUT:
      return Failure(kErrTimedOut, L"ERR_TIMED_OUT", url);
    default:
      return Failure(kErrFailed, L"ERR_FAILED", url);
  }
}

PageResponse LoadHttp(const std::wstring& url) {
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof(parts);
  wchar_t host[256] = {}, path[INTERNET_MAX_URL_LENGTH] = {}, extra[INTERNET_MAX_URL_LENGTH] = {};
  parts.lpszHostName = host;
  parts.dwHostNameLength = 256;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = INTERNET_MAX_URL_LENGTH;
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = INTERNET_MAX_URL_LENGTH;
  if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts) || !host[0])
    return Failure(kErrInvalidUrl, L"ERR_INVALID_URL", url);
  const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;

  InternetHandle session(
      InternetOpenW(L"Mozilla/5.0 (Windows NT 10.0) QuirelStandin/87.1.6",
                    INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (!session) return NetworkFailure(GetLastError(), url);
  DWORD timeout = 30000;
  InternetSetOptionW(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
  InternetSetOptionW(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
  InternetHandle connection(InternetConnectW(session.get(), host, parts.nPort, nullptr, nullptr,
                                             INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return NetworkFailure(GetLastError(), url);
  std::wstring object = std::wstring(path) + extra;
  if (object.empty()) object = L"/";
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                INTERNET_FLAG_NO_COOKIES;
  if (secure) {
    flags |= INTERNET_FLAG_SECURE | INTERNET_FLAG_IGNORE_CERT_CN_INVALID |
             INTERNET_FLAG_IGNORE_CERT_DATE_INVALID;
  }
  InternetHandle request(HttpOpenRequestW(connection.get(), L"GET", object.c_str(), nullptr,
                                          nullptr, nullptr, flags, 0));
  if (!request) return NetworkFailure(GetLastError(), url);
  if (secure) {
    DWORD security = 0;
    DWORD size = sizeof(security);
    InternetQueryOptionW(request.get(), INTERNET_OPTION_SECURITY_FLAGS, &security, &size);
    security |= SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_CN_INVALID |
                SECURITY_FLAG_IGNORE_CERT_DATE_INVALID | SECURITY_FLAG_IGNORE_REVOCATION |
                SECURITY_FLAG_IGNORE_WRONG_USAGE;
    InternetSetOptionW(request.get(), INTERNET_OPTION_SECURITY_FLAGS, &security,
                       sizeof(security));
  }
  if (!HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0))
    return NetworkFailure(GetLastError(), url);

  PageResponse response;
  response.url = url;
  DWORD status = 0;
  DWORD size = sizeof(status);
  DWORD index = 0;
  HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                 &index);
  response.status = static_cast<int>(status);
  std::wstring type = Lower(QueryHeader(request.get(), HTTP_QUERY_CONTENT_TYPE));
  response.mime_type = type.substr(0, type.find(L';'));
  while (!response.mime_type.empty() && response.mime_type.back() == L' ')
    response.mime_type.pop_back();
  response.content_disposition = QueryHeader(request.get(), HTTP_QUERY_CONTENT_DISPOSITION);
  wchar_t final_url[INTERNET_MAX_URL_LENGTH] = {};
  DWORD url_size = sizeof(final_url);
  if (InternetQueryOptionW(request.get(), INTERNET_OPTION_URL, final_url, &url_size) &&
      final_url[0]) {
    response.url = final_url;
  }
  char chunk[16384];
  DWORD read = 0;
  while (InternetReadFile(request.get(), chunk, sizeof(chunk), &read) && read > 0) {
    response.body.append(chunk, read);
  }
  return response;
}

std::wstring MimeTypeOfFile(const std::wstring& path) {
  const std::wstring extension = Lower(PathFindExtensionW(path.c_str()));
  if (extension == L".html" || extension == L".htm") return L"text/html";
  if (extension == L".txt" || extension.empty()) return L"text/plain";
  if (extension == L".css") return L"text/css";
  if (extension == L".js") return L"text/javascript";
  return L"application/octet-stream";
}

PageResponse LoadFile(const std::wstring& url) {
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (PathCreateFromUrlW(url.c_str(), path, &size, 0) != S_OK)
    return Failure(kErrInvalidUrl, L"ERR_INVALID_URL", url);
  std::ifstream file(path, std::ios::binary);
  if (!file) return Failure(kErrFileNotFound, L"ERR_FILE_NOT_FOUND", url);
  PageResponse response;
  response.url = url;
  response.status = 200;
  response.mime_type = MimeTypeOfFile(path);
  response.body.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return response;
}

}  // namespace

PageResponse LoadPage(const std::wstring& url) {
  const std::wstring lower = Lower(url);
  if (lower == L"about:blank") {
    PageResponse response;
    response.url = url;
    response.mime_type = L"text/html";
    return response;
  }
  if (lower.starts_with(L"http://") || lower.starts_with(L"https://")) return LoadHttp(url);
  if (lower.starts_with(L"file:")) return LoadFile(url);
  return Failure(kErrUnknownUrlScheme, L"ERR_UNKNOWN_URL_SCHEME", url);
}

std::wstring BodyText(const PageResponse& response) {
  const std::string& body = response.body;
  if (body.empty()) return L"";
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, body.data(), static_cast<int>(body.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, body.data(), static_cast<int>(body.size()), text.data(), size);
  if (!text.empty() && text.front() == L'\xFEFF') text.erase(0, 1);
  return text;
}

}  // namespace quirel::standin
