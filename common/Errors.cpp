#include "common/Errors.h"

#include <windows.h>

#include "common/Encoding.h"

namespace quirel {

Exception::Exception(std::wstring message) : message_(std::move(message)), what_(WideToUtf8(message_)) {}

EFOpenError::EFOpenError(const std::wstring& path, uint32_t errorCode)
    : EOSError(L"Cannot open file \"" + path + L"\". " + SysErrorMessage(errorCode), errorCode) {}

EFCreateError::EFCreateError(const std::wstring& path, uint32_t errorCode)
    : EOSError(L"Cannot create file \"" + path + L"\". " + SysErrorMessage(errorCode), errorCode) {}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(uint32_t errorCode) {
  throw EOSError(L"System Error.  Code: " + std::to_wstring(errorCode) + L".\r\n" + SysErrorMessage(errorCode),
                 errorCode);
}

std::wstring SysErrorMessage(uint32_t errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", buffer ? n : 0);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return text;
}

std::wstring ExceptionMessage(const std::exception& e) {
  if (auto* own = dynamic_cast<const Exception*>(&e)) return own->Message();
  return Utf8ToWide(e.what());
}

}  // namespace quirel
