// The program's error types. Errors are raised as exceptions carrying a UTF-16 message;
// what() gives the same message in UTF-8 for code that only knows std::exception.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace quirel {

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::wstring message_;
  std::string what_;
};

// A failed system call: the message includes the system's text for the error code.
class EOSError : public Exception {
 public:
  EOSError(std::wstring message, uint32_t errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
  uint32_t ErrorCode() const noexcept { return errorCode_; }

 private:
  uint32_t errorCode_;
};

// A file that could not be opened for reading: 'Cannot open file "<path>". <system message>'.
class EFOpenError : public EOSError {
 public:
  EFOpenError(const std::wstring& path, uint32_t errorCode);
};

// A file that could not be created or replaced: 'Cannot create file "<path>". <system message>'.
class EFCreateError : public EOSError {
 public:
  EFCreateError(const std::wstring& path, uint32_t errorCode);
};

// Raises EOSError for GetLastError() (or the given code):
// "System Error.  Code: <code>.\r\n<system message>".
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(uint32_t errorCode);

// The system's text for a Win32 error code, without trailing blanks, line breaks or full stop.
std::wstring SysErrorMessage(uint32_t errorCode);

// The UTF-16 message of any exception: Message() for ours, what() read as UTF-8 otherwise.
std::wstring ExceptionMessage(const std::exception& e);

}  // namespace quirel
