#include "update/webcopy/TransferOutcome.h"

#include <windows.h>

#include <limits>

namespace quirel::webcopy {

TTransferOutcome EndedOutcome(int64_t received, std::optional<int64_t> announced) {
  TTransferOutcome outcome;
  if (announced && received < *announced) {
    outcome.ErrorCode = kIncompleteErrorCode;
    outcome.ErrorInfo = L"Download incomplete: " + std::to_wstring(received) + L" of " +
                        std::to_wstring(*announced) + L" bytes received";
    return outcome;
  }
  outcome.Transferred = received > 0;
  return outcome;
}

TTransferOutcome ReadFailedOutcome(uint32_t errorCode, const std::wstring& message) {
  TTransferOutcome outcome;
  outcome.ErrorCode = static_cast<int>(errorCode);
  const std::wstring code = L"system error " + std::to_wstring(errorCode);
  outcome.ErrorInfo = L"Download failed: " + (message.empty() ? code : message + L" (" + code + L")");
  return outcome;
}

TTransferOutcome StalledOutcome(int seconds) {
  TTransferOutcome outcome;
  outcome.ErrorCode = kStalledErrorCode;
  outcome.ErrorInfo = L"Download stalled: nothing received for " + std::to_wstring(seconds) + L" s";
  return outcome;
}

std::wstring InternetErrorMessage(uint32_t errorCode) {
  // WinINet's own codes have their texts in its module, the others in the system's table.
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                                          FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      GetModuleHandleW(L"wininet.dll"), errorCode, 0,
                                      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  struct Free {
    wchar_t* text;
    ~Free() { LocalFree(text); }
  } free{buffer};
  std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return text;
}

std::optional<int64_t> ParseContentLength(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    if (value > (std::numeric_limits<int64_t>::max() - (c - L'0')) / 10) return std::nullopt;
    value = value * 10 + (c - L'0');
  }
  return value;
}

}  // namespace quirel::webcopy
