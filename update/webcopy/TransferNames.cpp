#include "update/webcopy/TransferNames.h"

#include <windows.h>

#include "common/Encoding.h"

namespace quirel::webcopy {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ForbiddenInFileName(unsigned char c) {
  return c < 0x20 || c == 0x7F || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

bool ValidUtf8(const std::string& bytes) {
  return bytes.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                              static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (towlower(text[i]) != towlower(prefix[i])) return false;
  return true;
}

}  // namespace

std::wstring UrlFileName(std::wstring_view url) {
  const size_t slash = url.find_last_of(L"/\\");
  return std::wstring(slash == std::wstring_view::npos ? url : url.substr(slash + 1));
}

std::wstring UrlServer(std::wstring_view url) {
  if (const size_t scheme = url.find(L"://"); scheme != std::wstring_view::npos) url.remove_prefix(scheme + 3);
  const size_t slash = url.find(L'/');
  if (const size_t at = url.find(L'@'); at != std::wstring_view::npos && at < slash) url.remove_prefix(at + 1);
  return std::wstring(url.substr(0, url.find(L'/')));
}

std::wstring DecodeUrlFileName(std::wstring_view name) {
  const std::string encoded = WideToUtf8(name);
  std::string decoded;
  bool changed = false;
  for (size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] == '%' && i + 2 < encoded.size()) {
      const int hi = HexValue(encoded[i + 1]), lo = HexValue(encoded[i + 2]);
      if (hi >= 0 && lo >= 0 && !ForbiddenInFileName(static_cast<unsigned char>(hi * 16 + lo))) {
        decoded.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
        changed = true;
        continue;
      }
    }
    decoded.push_back(encoded[i]);
  }
  if (!changed) return std::wstring(name);
  return ValidUtf8(decoded) ? Utf8ToWide(decoded) : AnsiToWide(decoded);
}

std::wstring JoinTargetPath(const std::wstring& dir, const std::wstring& name) {
  if (dir.empty()) return name;
  if (dir.back() == L'\\') return dir + name;
  return dir + L"\\" + name;
}

std::wstring NumberedFileName(const std::wstring& path, int n) {
  const size_t nameStart = path.find_last_of(L"\\/:");
  const size_t dot = path.find_last_of(L'.');
  const bool hasExtension =
      dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart);
  const size_t at = hasExtension ? dot : path.size();
  return path.substr(0, at) + L"(" + std::to_wstring(n) + L")" + path.substr(at);
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  // "C:\name" keeps its root.
  if (slash == 2 && path.size() > 1 && path[1] == L':') return path.substr(0, 3);
  return path.substr(0, slash);
}

std::string Base64(std::string_view bytes) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t left = bytes.size() - i;
    uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
    if (left > 1) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (left > 2) group |= static_cast<unsigned char>(bytes[i + 2]);
    out.push_back(kAlphabet[(group >> 18) & 63]);
    out.push_back(kAlphabet[(group >> 12) & 63]);
    out.push_back(left > 1 ? kAlphabet[(group >> 6) & 63] : '=');
    out.push_back(left > 2 ? kAlphabet[group & 63] : '=');
  }
  return out;
}

std::wstring RequestHeaders(std::wstring_view url, const std::wstring& user, const std::wstring& password,
                            bool viaProxy, const std::wstring& proxyUser, const std::wstring& proxyPassword) {
  std::wstring headers;
  auto basic = [](const std::wstring& name, const std::wstring& pass) {
    return Utf8ToWide(Base64(WideToUtf8(name + L":" + pass)));
  };
  if (!user.empty() || !password.empty()) headers += L"Authorization: Basic " + basic(user, password) + L"\r\n";
  if (viaProxy && !proxyUser.empty() && !proxyPassword.empty() && StartsWithNoCase(url, L"http://"))
    headers += L"Proxy-Authorization: Basic " + basic(proxyUser, proxyPassword) + L"\r\n";
  if (!headers.empty()) headers += L"\r\n";
  return headers;
}

}  // namespace quirel::webcopy
