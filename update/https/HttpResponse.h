// Reads HTTP/1.1 responses from a byte stream: status line, headers and a body framed by
// Content-Length, chunked transfer coding or the end of the connection.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quirel::update {

// Where the reader's bytes come from: the TLS session in the client, plain strings in tests.
class TByteSource {
 public:
  virtual ~TByteSource() = default;
  // Appends the next bytes that arrived to buffer; false at the end of the stream.
  virtual bool ReadSome(std::string& buffer) = 0;
};

struct THttpResponse {
  int StatusCode = 0;
  std::string StatusLine;  // as received, without its line end
  std::vector<std::pair<std::string, std::string>> Headers;
  std::string Body;
  // The first header of that name (letter case ignored), "" when there is none.
  std::string Header(std::string_view name) const;
};

class THttpResponseReader {
 public:
  THttpResponseReader(TByteSource& source, size_t maxBodyBytes);

  // One response, head and body; keepBody false reads the body and drops it.
  THttpResponse ReadResponse(bool keepBody);

  // The final answer to a request: up to 10 "100 Continue" are skipped (more raise
  // EHttpsError); any status outside 200-299 raises
  // EHttpStatusError with the status line once the body has been read and dropped.
  THttpResponse ReadFinalResponse();

 private:
  bool Fill();
  std::string ReadLine();
  void ReadHead(THttpResponse& response);
  void ReadBody(THttpResponse& response, bool keepBody);
  void ReadCounted(size_t count, std::string* body);
  void ReadChunked(std::string* body);
  void ReadToEnd(std::string* body);
  void Take(size_t count, std::string* body);

  TByteSource& FSource;
  const size_t FMaxBodyBytes;
  std::string FBuffer;
  size_t FPos = 0;
  size_t FHeadBytes = 0;
};

}  // namespace quirel::update
