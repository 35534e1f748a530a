#include "update/webcopy/InOutError.h"

#include <windows.h>

#include <string>

namespace quirel::webcopy {
namespace {

std::wstring InOutMessage(uint32_t code) {
  switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return L"Disk full";
    case ERROR_ACCESS_DENIED:
      return L"File access denied";
    default:
      return L"I/O error " + std::to_wstring(code);
  }
}

}  // namespace

EInOutError::EInOutError(uint32_t errorCode) : Exception(InOutMessage(errorCode)), errorCode_(errorCode) {}

}  // namespace quirel::webcopy
