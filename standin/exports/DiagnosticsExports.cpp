// Crash reporting, logging, tracing and thread identity. Crash reporting is
// off (no configuration) and no tracing session ever runs, so those calls
// change nothing, as with the engine in that state. The stand-in's log is
// its trace.
#include <windows.h>

#include <string>

#include "standin/browser/BrowserProcess.h"
#include "standin/commandline/GlobalCommandLine.h"
#include "standin/core/Trace.h"
#include "standin/core/Utf.h"
#include "standin/exports/Exports.h"
#include "standin/exports/Unsupported.h"

using namespace quirel::standin;

namespace {

std::wstring Text(const char* utf8) { return utf8 ? ToUtf16(utf8) : std::wstring(); }

void TraceEvent(const char* function, const char* category, const char* name) {
  trace::Call(function).Text("category", Text(category)).Text("name", Text(name));
}

}  // namespace

extern "C" {

int cef_crash_reporting_enabled() {
  trace::Call("cef_crash_reporting_enabled");
  return 0;
}

void cef_set_crash_key_value(const cef_string_t* key, const cef_string_t* value) {
  trace::Call("cef_set_crash_key_value").Text("key", key).Text("value", value);
}

int cef_begin_tracing(const cef_string_t* categories, cef_completion_callback_t* callback) {
  ReleaseArguments(callback);
  trace::Call("cef_begin_tracing").Text("categories", categories);
  return 0;
}

int cef_end_tracing(const cef_string_t* tracing_file, cef_end_tracing_callback_t* callback) {
  ReleaseArguments(callback);
  trace::Call("cef_end_tracing").Text("tracing_file", tracing_file);
  return 0;
}

// Microseconds of the monotonic clock the engine's tracing uses.
int64 cef_now_from_system_trace_time() {
  trace::Call("cef_now_from_system_trace_time");
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<int64>(now.QuadPart / frequency.QuadPart * 1000000 +
                            now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart);
}

int cef_get_min_log_level() {
  trace::Call("cef_get_min_log_level");
  return MinLogLevel();
}

int cef_get_vlog_level(const char* file_start, size_t N) {
  trace::Call("cef_get_vlog_level")
      .Text("file", Text(file_start))
      .Int("n", static_cast<long long>(N));
  // Only the global --v=N level; per-module levels (--vmodule) are not read.
  const auto line = GlobalCommandLine();
  if (!line || !line->HasSwitch(L"v")) return 0;
  try {
    return std::stoi(line->SwitchValue(L"v"));
  } catch (const std::exception&) {
    return 0;
  }
}

void cef_log(const char* file, int line, int severity, const char* message) {
  trace::Call("cef_log")
      .Text("file", Text(file))
      .Int("line", line)
      .Int("severity", severity)
      .Text("message", Text(message))
      .Bool("logged", severity >= MinLogLevel());
}

cef_platform_thread_id_t cef_get_current_platform_thread_id() {
  trace::Call("cef_get_current_platform_thread_id");
  return GetCurrentThreadId();
}

// On Windows the engine's thread "handle" is the thread id as well.
cef_platform_thread_handle_t cef_get_current_platform_thread_handle() {
  trace::Call("cef_get_current_platform_thread_handle");
  return GetCurrentThreadId();
}

void cef_trace_event_instant(const char* category, const char* name, const char*, uint64,
                             const char*, uint64, int) {
  TraceEvent("cef_trace_event_instant", category, name);
}

void cef_trace_event_begin(const char* category, const char* name, const char*, uint64, const char*,
                           uint64, int) {
  TraceEvent("cef_trace_event_begin", category, name);
}

void cef_trace_event_end(const char* category, const char* name, const char*, uint64, const char*,
                         uint64, int) {
  TraceEvent("cef_trace_event_end", category, name);
}

void cef_trace_counter(const char* category, const char* name, const char*, uint64, const char*,
                       uint64, int) {
  TraceEvent("cef_trace_counter", category, name);
}

void cef_trace_counter_id(const char* category, const char* name, uint64, const char*, uint64,
                          const char*, uint64, int) {
  TraceEvent("cef_trace_counter_id", category, name);
}

void cef_trace_event_async_begin(const char* category, const char* name, uint64, const char*,
                                 uint64, const char*, uint64, int) {
  TraceEvent("cef_trace_event_async_begin", category, name);
}

void cef_trace_event_async_step_into(const char* category, const char* name, uint64, uint64,
                                     const char*, uint64, int) {
  TraceEvent("cef_trace_event_async_step_into", category, name);
}

void cef_trace_event_async_step_past(const char* category, const char* name, uint64, uint64,
                                     const char*, uint64, int) {
  TraceEvent("cef_trace_event_async_step_past", category, name);
}

void cef_trace_event_async_end(const char* category, const char* name, uint64, const char*, uint64,
                               const char*, uint64, int) {
  TraceEvent("cef_trace_event_async_end", category, name);
}

}  // extern "C"
