// Failures of an HTTPS request. All are quirel::Exception, so callers that only log the message
// need nothing else; the subclasses let a caller tell the kinds apart.
#pragma once

#include <string>

#include "common/Errors.h"

namespace quirel::update {

// Transport, TLS, URL or protocol failure.
class EHttpsError : public Exception {
 public:
  using Exception::Exception;
};

// A connect or read bound ran out.
class EHttpsTimeout : public EHttpsError {
 public:
  using EHttpsError::EHttpsError;
};

// The server answered with a status other than 2xx; the message is the status line as received.
class EHttpStatusError : public EHttpsError {
 public:
  EHttpStatusError(std::wstring statusLine, int statusCode)
      : EHttpsError(std::move(statusLine)), FStatusCode(statusCode) {}
  int StatusCode() const noexcept { return FStatusCode; }

 private:
  int FStatusCode;
};

}  // namespace quirel::update
