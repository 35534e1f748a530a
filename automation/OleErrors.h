// Errors of the automation server, raised as the program's exceptions.
#pragma once

#include <windows.h>

#include "common/Errors.h"

namespace quirel {

// Type information that does not fit the class it should describe.
class EOleError : public Exception {
 public:
  using Exception::Exception;
};

// A failed COM or OLE call: the system's text for the HRESULT.
class EOleSysError : public EOleError {
 public:
  explicit EOleSysError(HRESULT errorCode);
  HRESULT ErrorCode() const noexcept { return FErrorCode; }

 private:
  HRESULT FErrorCode;
};

// A registry entry of the server that could not be written.
class EOleRegistrationError : public EOleError {
 public:
  EOleRegistrationError() : EOleError(L"Error creating system registry entry") {}
};

// Raises EOleSysError when hr is a failure.
void OleCheck(HRESULT hr);

}  // namespace quirel
