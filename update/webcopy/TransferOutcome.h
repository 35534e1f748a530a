// What the end of a download's body means for its item, and the texts of its failures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quirel::webcopy {

// WinINet's codes, reported with the failures they stand for.
constexpr int kIncompleteErrorCode = 12030;  // ERROR_INTERNET_CONNECTION_ABORTED
constexpr int kStalledErrorCode = 12002;     // ERROR_INTERNET_TIMEOUT

struct TTransferOutcome {
  bool Transferred = false;
  // What OnError and OnErrorInfo report; an empty text reports nothing.
  int ErrorCode = 0;
  std::wstring ErrorInfo;
};

// The body ended without an error after `received` bytes. Fewer bytes than the server
// announced is a failure; nothing at all is no transfer, but nothing to report either.
TTransferOutcome EndedOutcome(int64_t received, std::optional<int64_t> announced);
// A read failed with a system or WinINet error, whose text is `message` (may be empty).
TTransferOutcome ReadFailedOutcome(uint32_t errorCode, const std::wstring& message);
// Nothing arrived for `seconds`.
TTransferOutcome StalledOutcome(int seconds);

// The system's or WinINet's text for an error code, without the trailing full stop; empty
// when neither knows it.
std::wstring InternetErrorMessage(uint32_t errorCode);

// The number of an announced Content-Length ("1048576"), none when it is not a plain number.
std::optional<int64_t> ParseContentLength(const std::wstring& text);

}  // namespace quirel::webcopy
