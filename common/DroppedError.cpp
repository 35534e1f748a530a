#include "common/DroppedError.h"

#include <windows.h>

#include <exception>
#include <string>

#include "common/Errors.h"

namespace quirel {

void ReportDroppedError(const wchar_t* routine) noexcept {
  try {
    std::wstring message = L"(no error being handled)";
    if (const std::exception_ptr error = std::current_exception()) {
      try {
        std::rethrow_exception(error);
      } catch (const std::exception& e) {
        message = ExceptionMessage(e);
      } catch (...) {
        message = L"an error that is not an exception object";
      }
    }
    const std::wstring line =
        L"Quirel: " + std::wstring(routine) + L" dropped an error: " + message + L"\n";
    OutputDebugStringW(line.c_str());
  } catch (...) {
    // Out of memory for the text: say at least that something was dropped.
    OutputDebugStringW(L"Quirel: an error was dropped\n");
  }
}

}  // namespace quirel
