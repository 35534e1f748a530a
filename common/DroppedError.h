// Where an error must go no further (an engine callback, a thread's end, a clean-up), it is
// dropped only after it has been reported to the debugger's output, so that a fault there
// still leaves a trace.
#pragma once

namespace quirel {

// Writes "Quirel: <routine> dropped an error: <message>" to the debugger's output for the
// exception being handled (call it inside a catch block). Never throws.
void ReportDroppedError(const wchar_t* routine) noexcept;

}  // namespace quirel
