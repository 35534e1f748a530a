#include "update/https/HttpResponse.h"

#include <algorithm>
#include <cctype>

#include "update/https/HttpsErrors.h"

namespace quirel::update {
namespace {

// A head (status line and headers) larger than this is not an answer we can want.
constexpr size_t kMaxHeadBytes = 64 * 1024;
// More "100 Continue" answers than this will not be followed by a final one: a server that
// floods them would otherwise keep the reader busy at full speed until the deadline.
constexpr int kMaxInterimResponses = 10;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Protocol text shown in messages: one character per byte.
std::wstring Latin1(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "HTTP/<d>.<d> <ddd>[ <reason>]"; the code, or -1 when the line is no status line.
int ParseStatusCode(std::string_view line) {
  if (line.size() < 12 || line.substr(0, 5) != "HTTP/" || !IsDigit(line[5]) || line[6] != '.' ||
      !IsDigit(line[7]) || line[8] != ' ' || !IsDigit(line[9]) || !IsDigit(line[10]) ||
      !IsDigit(line[11]))
    return -1;
  if (line.size() > 12 && line[12] != ' ') return -1;
  return (line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0');
}

// Content-Length, possibly repeated as a list of equal values; -1 when absent.
long long ContentLength(const THttpResponse& response, size_t maxBodyBytes) {
  long long length = -1;
  for (const auto& [name, value] : response.Headers) {
    if (!EqualsIgnoringCase(name, "Content-Length")) continue;
    std::string_view rest = value;
    while (true) {
      const size_t comma = rest.find(',');
      const std::string_view item = Trim(rest.substr(0, comma));
      if (item.empty() || item.size() > 18 || !std::all_of(item.begin(), item.end(), IsDigit))
        throw EHttpsError(L"Invalid Content-Length in the response: " + Latin1(value));
      const long long n = std::stoll(std::string(item));
      if (length >= 0 && n != length)
        throw EHttpsError(L"Conflicting Content-Length values in the response");
      length = n;
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  if (length > static_cast<long long>(maxBodyBytes))
    throw EHttpsError(L"Response body too large (" + std::to_wstring(length) + L" bytes)");
  return length;
}

// The last transfer coding decides: only chunked frames the body by itself.
bool IsChunked(const THttpResponse& response, bool& hasTransferEncoding) {
  hasTransferEncoding = false;
  std::string last;
  for (const auto& [name, value] : response.Headers) {
    if (!EqualsIgnoringCase(name, "Transfer-Encoding")) continue;
    hasTransferEncoding = true;
    const size_t comma = value.rfind(',');
    last = std::string(
        Trim(comma == std::string::npos ? value : std::string_view(value).substr(comma + 1)));
  }
  return hasTransferEncoding && EqualsIgnoringCase(last, "chunked");
}

}  // namespace

std::string THttpResponse::Header(std::string_view name) const {
  for (const auto& [headerName, value] : Headers)
    if (EqualsIgnoringCase(headerName, name)) return value;
  return {};
}

THttpResponseReader::THttpResponseReader(TByteSource& source, size_t maxBodyBytes)
    : FSource(source), FMaxBodyBytes(maxBodyBytes) {}

bool THttpResponseReader::Fill() {
  if (FPos > 0 && FPos == FBuffer.size()) {
    FBuffer.clear();
    FPos = 0;
  } else if (FPos > 64 * 1024) {
    FBuffer.erase(0, FPos);
    FPos = 0;
  }
  return FSource.ReadSome(FBuffer);
}

// A line ends at LF; a CR before it is dropped too.
std::string THttpResponseReader::ReadLine() {
  size_t scanned = FPos;
  while (true) {
    const size_t lf = FBuffer.find('\n', scanned);
    if (lf != std::string::npos) {
      size_t end = lf;
      if (end > FPos && FBuffer[end - 1] == '\r') --end;
      std::string line = FBuffer.substr(FPos, end - FPos);
      FHeadBytes += lf + 1 - FPos;
      FPos = lf + 1;
      if (FHeadBytes > kMaxHeadBytes) throw EHttpsError(L"Response head too large");
      return line;
    }
    if (FHeadBytes + FBuffer.size() - FPos > kMaxHeadBytes)
      throw EHttpsError(L"Response head too large");
    const size_t before = FPos;
    scanned = FBuffer.size();
    if (!Fill()) throw EHttpsError(L"Connection closed before the end of the response");
    scanned -= before - FPos;  // Fill may have moved the unread bytes to the front
  }
}

void THttpResponseReader::ReadHead(THttpResponse& response) {
  FHeadBytes = 0;
  if (FPos == FBuffer.size() && !Fill()) throw EHttpsError(L"Connection closed without a response");
  std::string line = ReadLine();
  // Stray empty lines before a status line are tolerated (left over from an earlier body).
  for (int i = 0; line.empty() && i < 4; ++i) line = ReadLine();
  response.StatusCode = ParseStatusCode(line);
  if (response.StatusCode < 0)
    throw EHttpsError(L"Invalid status line in the response: " + Latin1(line));
  response.StatusLine = line;
  while (true) {
    line = ReadLine();
    if (line.empty()) break;
    if ((line.front() == ' ' || line.front() == '\t') && !response.Headers.empty()) {
      // An obsolete folded line continues the previous header's value.
      response.Headers.back().second += ' ';
      response.Headers.back().second += Trim(line);
      continue;
    }
    const size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0) continue;  // not a header: ignored
    response.Headers.emplace_back(std::string(Trim(std::string_view(line).substr(0, colon))),
                                  std::string(Trim(std::string_view(line).substr(colon + 1))));
  }
}

void THttpResponseReader::Take(size_t count, std::string* body) {
  if (body) {
    if (body->size() + count > FMaxBodyBytes) throw EHttpsError(L"Response body too large");
    body->append(FBuffer, FPos, count);
  }
  FPos += count;
}

void THttpResponseReader::ReadCounted(size_t count, std::string* body) {
  while (count > 0) {
    if (FPos == FBuffer.size() && !Fill())
      throw EHttpsError(L"Connection closed before the end of the response body");
    const size_t n = std::min(count, FBuffer.size() - FPos);
    Take(n, body);
    count -= n;
  }
}

void THttpResponseReader::ReadChunked(std::string* body) {
  size_t total = 0;
  while (true) {
    const std::string line = ReadLine();
    const std::string_view size = Trim(std::string_view(line).substr(0, line.find(';')));
    if (size.empty() || size.size() > 15 || !std::all_of(size.begin(), size.end(), [](char c) {
          return std::isxdigit(static_cast<unsigned char>(c));
        }))
      throw EHttpsError(L"Invalid chunk size in the response: " + Latin1(line));
    const unsigned long long n = std::stoull(std::string(size), nullptr, 16);
    if (n == 0) break;
    if (n > FMaxBodyBytes - total) throw EHttpsError(L"Response body too large");
    total += static_cast<size_t>(n);
    ReadCounted(static_cast<size_t>(n), body);
    FHeadBytes = 0;
    if (!ReadLine().empty())
      throw EHttpsError(L"Chunk data not followed by a line end in the response");
  }
  // Trailer fields, up to the empty line.
  FHeadBytes = 0;
  while (!ReadLine().empty()) {
  }
}

void THttpResponseReader::ReadToEnd(std::string* body) {
  size_t total = 0;
  while (true) {
    const size_t n = FBuffer.size() - FPos;
    total += n;
    if (total > FMaxBodyBytes) throw EHttpsError(L"Response body too large");
    Take(n, body);
    if (!Fill()) return;
  }
}

void THttpResponseReader::ReadBody(THttpResponse& response, bool keepBody) {
  std::string* body = keepBody ? &response.Body : nullptr;
  const int status = response.StatusCode;
  if ((status >= 100 && status < 200) || status == 204 || status == 304) return;
  bool hasTransferEncoding = false;
  if (IsChunked(response, hasTransferEncoding)) {
    FHeadBytes = 0;
    ReadChunked(body);
  } else if (hasTransferEncoding) {
    ReadToEnd(body);
  } else if (const long long length = ContentLength(response, FMaxBodyBytes); length >= 0) {
    ReadCounted(static_cast<size_t>(length), body);
  } else {
    ReadToEnd(body);
  }
}

THttpResponse THttpResponseReader::ReadResponse(bool keepBody) {
  THttpResponse response;
  ReadHead(response);
  ReadBody(response, keepBody);
  return response;
}

THttpResponse THttpResponseReader::ReadFinalResponse() {
  for (int interim = 0;; ++interim) {
    THttpResponse response;
    ReadHead(response);
    if (response.StatusCode == 100) {
      if (interim == kMaxInterimResponses)
        throw EHttpsError(L"More than " + std::to_wstring(kMaxInterimResponses) +
                          L" interim responses (100 Continue) without a final response");
      continue;
    }
    const bool success = response.StatusCode >= 200 && response.StatusCode <= 299;
    if (success) {
      ReadBody(response, true);
      return response;
    }
    try {
      ReadBody(response, false);
    } catch (const EHttpsError&) {
      // The status is the answer; a body that cannot be read to its end changes nothing.
    }
    throw EHttpStatusError(Latin1(response.StatusLine), response.StatusCode);
  }
}

}  // namespace quirel::update
