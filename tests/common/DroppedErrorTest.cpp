// A dropped error reaches the debugger's output with the routine's name and its message.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>

#include "common/DroppedError.h"
#include "common/Encoding.h"
#include "common/Errors.h"

namespace quirel {
namespace {

constexpr DWORD kDebugPrint = 0x40010006;      // DBG_PRINTEXCEPTION_C
constexpr DWORD kDebugPrintWide = 0x4001000A;  // DBG_PRINTEXCEPTION_WIDE_C

// What this thread writes to the debugger's output while it lives: OutputDebugString raises
// a first-chance exception that a debugger would read, and so does this.
class DebugOutput {
 public:
  DebugOutput() : handler_(AddVectoredExceptionHandler(1, &Catch)) { current_ = this; }
  ~DebugOutput() {
    RemoveVectoredExceptionHandler(handler_);
    current_ = nullptr;
  }
  // Windows raises the wide form first and the narrow one only when nobody took it; Wine
  // raises the narrow one only.
  std::wstring Text() const { return wide_.empty() ? AnsiToWide(narrow_) : wide_; }

 private:
  static LONG CALLBACK Catch(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (current_ && record->NumberParameters >= 2) {
      const auto length = static_cast<size_t>(record->ExceptionInformation[0]);
      const auto text = record->ExceptionInformation[1];
      // The length counts the terminating null.
      if (record->ExceptionCode == kDebugPrintWide && length > 0)
        current_->wide_.append(reinterpret_cast<const wchar_t*>(text), length - 1);
      else if (record->ExceptionCode == kDebugPrint && length > 0)
        current_->narrow_.append(reinterpret_cast<const char*>(text), length - 1);
    }
    return EXCEPTION_CONTINUE_SEARCH;
  }

  static inline DebugOutput* current_ = nullptr;
  PVOID handler_;
  std::wstring wide_;
  std::string narrow_;
};

TEST(DroppedError, ReachesTheDebuggersOutputWithRoutineAndMessage) {
  struct Case {
    const char* name;
    void (*raise)();
    std::wstring message;
  };
  const Case cases[] = {
      {"the program's error", [] { throw Exception(L"Il file non si apre"); }, L"Il file non si apre"},
      {"a standard error", [] { throw std::runtime_error("socket closed"); }, L"socket closed"},
      {"not an exception object", [] { throw 42; }, L"an error that is not an exception object"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DebugOutput output;
    try {
      c.raise();
    } catch (...) {
      ReportDroppedError(L"TProva.Esegui");
    }
    EXPECT_EQ(output.Text(), L"Quirel: TProva.Esegui dropped an error: " + c.message + L"\n");
  }
}

}  // namespace
}  // namespace quirel
