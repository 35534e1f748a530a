#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Failure.h"
#include "update/https/HttpResponse.h"
#include "update/https/HttpsErrors.h"

namespace quirel::update {
namespace {

using test::FailureOf;
using test::kNoFailure;

// Hands out the wire bytes a few at a time, as records and segments arrive.
class TPieceSource : public TByteSource {
 public:
  TPieceSource(std::string bytes, size_t piece) : FBytes(std::move(bytes)), FPiece(piece) {}
  bool ReadSome(std::string& buffer) override {
    if (FPos == FBytes.size()) return false;
    const size_t n = std::min(FPiece, FBytes.size() - FPos);
    buffer.append(FBytes, FPos, n);
    FPos += n;
    return true;
  }

 private:
  std::string FBytes;
  size_t FPiece;
  size_t FPos = 0;
};

constexpr size_t kPieces[] = {1, 2, 7, 1 << 20};
constexpr size_t kLimit = 1 << 20;

struct BodyCase {
  const char* name;
  std::string wire;
  std::string body;
};

TEST(ResponseReader, BodyByEveryFraming) {
  const BodyCase cases[] = {
      {"content-length", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello", "hello"},
      {"content-length stops at its count", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nSIextra",
       "SI"},
      {"repeated equal content-length",
       "HTTP/1.1 200 OK\r\nContent-Length: 3, 3\r\ncontent-length: 3\r\n\r\nabc", "abc"},
      {"100 skipped", "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nSI",
       "SI"},
      {"several 100s with headers",
       "HTTP/1.1 100 Continue\r\nX-A: 1\r\n\r\nHTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 "
       "OK\r\n\r\nto the end",
       "to the end"},
      {"chunked, extensions and trailer",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: "
       "chunked\r\n\r\nA;x=y\r\n0123456789\r\n1\r\n\n\r\n0\r\nX-T: t\r\n\r\n",
       "0123456789\n"},
      {"chunked, LF-only lines",
       "HTTP/1.1 200 OK\nTransfer-Encoding: chunked\n\n2\nSI\n3\n\r\nx\n0\n\n", "SI\r\nx"},
      {"chunked as last of several codings",
       "HTTP/1.1 200 OK\r\ntransfer-encoding: gzip, Chunked\r\n\r\n1\r\nz\r\n0\r\n\r\n", "z"},
      {"chunked wins over content-length",
       "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nTransfer-Encoding: "
       "chunked\r\n\r\n2\r\nok\r\n0\r\n\r\n",
       "ok"},
      {"other coding reads to the end",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\nContent-Length: 1\r\n\r\nraw", "raw"},
      {"to the end of the connection", "HTTP/1.0 200 OK\r\n\r\nline1\r\nline2", "line1\r\nline2"},
      {"204 has no body", "HTTP/1.1 204 No Content\r\nContent-Length: 4\r\n\r\n", ""},
      {"empty by length", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", ""},
      {"empty to the end", "HTTP/1.1 200 OK\r\n\r\n", ""},
      {"empty chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", ""},
      {"LF-only head", "HTTP/1.1 200 OK\nContent-Length: 3\n\nabc", "abc"},
      {"status without reason", "HTTP/1.1 200\r\nContent-Length: 1\r\n\r\n1", "1"},
      {"206 and 299 succeed too", "HTTP/1.1 299 Odd\r\nContent-Length: 1\r\n\r\n9", "9"},
      {"stray empty line before the status", "\r\nHTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\nx",
       "x"},
      {"binary body", std::string("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n\0\r\xFF\n", 42),
       std::string("\0\r\xFF\n", 4)},
  };
  for (const BodyCase& c : cases) {
    for (size_t piece : kPieces) {
      SCOPED_TRACE(testing::Message() << c.name << ", pieces of " << piece);
      TPieceSource source(c.wire, piece);
      THttpResponseReader reader(source, kLimit);
      THttpResponse response;
      EXPECT_EQ(FailureOf([&] { response = reader.ReadFinalResponse(); }), kNoFailure);
      EXPECT_EQ(response.Body, c.body);
    }
  }
}

struct FailureCase {
  const char* name;
  std::string wire;
  const wchar_t* failure;
};

TEST(ResponseReader, FailuresAndTheirMessages) {
  const FailureCase cases[] = {
      {"404", "HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nabc", L"HTTP/1.1 404 Not Found"},
      {"302 is not followed",
       "HTTP/1.1 302 Found\r\nLocation: https://elsewhere/\r\nContent-Length: 0\r\n\r\n",
       L"HTTP/1.1 302 Found"},
      {"304", "HTTP/1.1 304 Not Modified\r\n\r\n", L"HTTP/1.1 304 Not Modified"},
      {"101", "HTTP/1.1 101 Switching Protocols\r\nUpgrade: x\r\n\r\n",
       L"HTTP/1.1 101 Switching Protocols"},
      {"500 to the end", "HTTP/1.0 500 Internal Server Error\r\n\r\n<html>oops</html>",
       L"HTTP/1.0 500 Internal Server Error"},
      {"error with a cut body keeps the status",
       "HTTP/1.1 404 Not Found\r\nContent-Length: 10\r\n\r\nabc", L"HTTP/1.1 404 Not Found"},
      {"error with a broken chunk keeps the status",
       "HTTP/1.1 503 Service Unavailable\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n",
       L"HTTP/1.1 503 Service Unavailable"},
      {"status line as received: LF only", "HTTP/1.1 404 Not Found\n\n", L"HTTP/1.1 404 Not Found"},
      {"status line as received: blanks", "HTTP/1.1 404  Not Found \r\n\r\n",
       L"HTTP/1.1 404  Not Found "},
      {"status line as received: Latin-1 reason", "HTTP/1.1 403 Vietato l'accesso \xE8\r\n\r\n",
       L"HTTP/1.1 403 Vietato l'accesso \u00E8"},
      {"100 then 404", "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 404 Not Found\r\n\r\n",
       L"HTTP/1.1 404 Not Found"},
      {"nothing at all", "", L"Connection closed without a response"},
      {"cut in the head", "HTTP/1.1 200 OK\r\nContent-Len",
       L"Connection closed before the end of the response"},
      {"cut in the body", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc",
       L"Connection closed before the end of the response body"},
      {"cut in a chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab",
       L"Connection closed before the end of the response body"},
      {"no last chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nab\r\n",
       L"Connection closed before the end of the response"},
      {"not HTTP", "SI\r\n2.2.0.0\r\n", L"Invalid status line in the response: SI"},
      {"four-digit status", "HTTP/1.1 2000 OK\r\n\r\n",
       L"Invalid status line in the response: HTTP/1.1 2000 OK"},
      {"two-digit status", "HTTP/1.1 20 OK\r\n\r\n",
       L"Invalid status line in the response: HTTP/1.1 20 OK"},
      {"other protocol", "ICY 200 OK\r\n\r\n", L"Invalid status line in the response: ICY 200 OK"},
      {"content-length not a number", "HTTP/1.1 200 OK\r\nContent-Length: abc\r\n\r\n",
       L"Invalid Content-Length in the response: abc"},
      {"negative content-length", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n",
       L"Invalid Content-Length in the response: -1"},
      {"conflicting content-length",
       "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nContent-Length: 3\r\n\r\nabc",
       L"Conflicting Content-Length values in the response"},
      {"bad chunk size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n",
       L"Invalid chunk size in the response: zz"},
      {"chunk longer than its size",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nSIX\r\n0\r\n\r\n",
       L"Chunk data not followed by a line end in the response"},
  };
  for (const FailureCase& c : cases) {
    for (size_t piece : kPieces) {
      SCOPED_TRACE(testing::Message() << c.name << ", pieces of " << piece);
      TPieceSource source(c.wire, piece);
      THttpResponseReader reader(source, kLimit);
      EXPECT_EQ(FailureOf([&] { reader.ReadFinalResponse(); }), c.failure);
    }
  }
}

// Interim answers are skipped, but only so many: a server that sends nothing else must not keep
// the reader going (a flood of them arrives far faster than any time limit could notice).
TEST(ResponseReader, InterimAnswersAreBounded) {
  const std::string interim = "HTTP/1.1 100 Continue\r\nX-Seq: 1\r\n\r\n";
  const std::string final = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nSI";
  auto interims = [&](size_t n) {
    std::string wire;
    for (size_t i = 0; i < n; ++i) wire += interim;
    return wire;
  };
  const wchar_t* const tooMany =
      L"More than 10 interim responses (100 Continue) without a final response";
  const std::pair<std::string, std::wstring> cases[] = {
      {interims(10) + final, kNoFailure},
      {interims(11) + final, tooMany},
      {interims(100000), tooMany},
  };
  for (const auto& [wire, failure] : cases) {
    for (size_t piece : {size_t{1}, size_t{1 << 20}}) {
      SCOPED_TRACE(testing::Message() << wire.size() << " bytes, pieces of " << piece);
      TPieceSource source(wire, piece);
      THttpResponseReader reader(source, kLimit);
      std::string body;
      EXPECT_EQ(FailureOf([&] { body = reader.ReadFinalResponse().Body; }), failure);
      if (failure == kNoFailure) {
        EXPECT_EQ(body, "SI");
      }
    }
  }
}

TEST(ResponseReader, StatusErrorCarriesTheCode) {
  TPieceSource source("HTTP/1.1 302 Found\r\nLocation: /x\r\n\r\n", 3);
  THttpResponseReader reader(source, kLimit);
  try {
    reader.ReadFinalResponse();
    ADD_FAILURE() << "no error";
  } catch (const EHttpStatusError& e) {
    EXPECT_EQ(e.StatusCode(), 302);
  }
}

// The next response starts right after the discarded body: the framing was respected.
TEST(ResponseReader, ErrorBodyIsReadByItsFraming) {
  const std::string next = "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nnext";
  const std::string errors[] = {
      "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
      "HTTP/1.1 404 Not Found\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nHTTP\r\n5\r\n/1.1 "
      "\r\n0\r\n\r\n",
      "HTTP/1.1 304 Not Modified\r\nContent-Length: 20\r\n\r\n",
  };
  for (const std::string& error : errors) {
    SCOPED_TRACE(error);
    TPieceSource source(error + next, 5);
    THttpResponseReader reader(source, kLimit);
    EXPECT_THROW(reader.ReadFinalResponse(), EHttpStatusError);
    EXPECT_EQ(reader.ReadResponse(true).Body, "next");
  }
}

TEST(ResponseReader, HeadersAreTrimmedFoldedAndFoundInAnyCase) {
  TPieceSource source(
      "HTTP/1.1 200 OK\r\nContent-Type:   text/plain;\r\n\tcharset=utf-8  \r\nX-Twice: first\r\n"
      "x-twice: second\r\nno colon here\r\n: empty name\r\nContent-Length: 0\r\n\r\n",
      4);
  THttpResponseReader reader(source, kLimit);
  const THttpResponse response = reader.ReadFinalResponse();
  EXPECT_EQ(response.StatusCode, 200);
  EXPECT_EQ(response.StatusLine, "HTTP/1.1 200 OK");
  EXPECT_EQ(response.Header("content-type"), "text/plain; charset=utf-8");
  EXPECT_EQ(response.Header("X-TWICE"), "first");
  EXPECT_EQ(response.Header("Missing"), "");
  EXPECT_EQ(response.Headers.size(), 4u);
}

TEST(ResponseReader, RefusesMoreThanItWillHold) {
  const size_t limit = 10;
  const std::pair<std::string, const wchar_t*> cases[] = {
      {"HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\n01234567890",
       L"Response body too large (11 bytes)"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 999999999999999999\r\n\r\n",
       L"Response body too large (999999999999999999 bytes)"},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: "
       "chunked\r\n\r\n6\r\n012345\r\n5\r\n01234\r\n0\r\n\r\n",
       L"Response body too large"},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nfffffffffffffff\r\n",
       L"Response body too large"},
      {"HTTP/1.1 200 OK\r\n\r\n01234567890", L"Response body too large"},
      {"HTTP/1.1 200 OK\r\nX-Big: " + std::string(70000, 'x') + "\r\n\r\n",
       L"Response head too large"},
      {"HTTP/1.1 200 OK\r\n" + std::string(70000, 'x'), L"Response head too large"},
  };
  for (const auto& [wire, failure] : cases) {
    for (size_t piece : {size_t{3}, size_t{1 << 20}}) {
      SCOPED_TRACE(testing::Message() << wire.substr(0, 60) << ", pieces of " << piece);
      TPieceSource source(wire, piece);
      THttpResponseReader reader(source, limit);
      EXPECT_EQ(FailureOf([&] { reader.ReadFinalResponse(); }), failure);
    }
  }
  // Exactly at the limit is fine.
  TPieceSource source("HTTP/1.1 200 OK\r\n\r\n0123456789", 3);
  THttpResponseReader reader(source, limit);
  EXPECT_EQ(reader.ReadFinalResponse().Body, "0123456789");
}

}  // namespace
}  // namespace quirel::update
