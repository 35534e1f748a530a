#include "standin/core/Trace.h"

#include <windows.h>

#include <atomic>
#include <cwctype>
#include <memory>
#include <mutex>

#include "standin/core/ThreadRole.h"
#include "standin/core/UniqueHandle.h"
#include "standin/process/ProcessType.h"

namespace quirel::standin::trace {
namespace {

const wchar_t kTraceVariable[] = L"QUIREL_STANDIN_TRACE";

std::wstring TracePath() {
  const DWORD size = GetEnvironmentVariableW(kTraceVariable, nullptr, 0);
  if (size <= 1) return {};
  std::wstring path(size, L'\0');
  path.resize(GetEnvironmentVariableW(kTraceVariable, path.data(), size));
  return path;
}

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kCall:
      return "call";
    case Kind::kCallback:
      return "callback";
    case Kind::kEvent:
      break;
  }
  return "event";
}

// Appends to the trace file under a mutex named after it, shared by every
// process tracing there: Wine does not make appending writes of different
// processes atomic.
class FileAppender {
 public:
  explicit FileAppender(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    std::wstring name(full, length > 0 && length < MAX_PATH ? length : 0);
    unsigned long long hash = 14695981039346656037ull;  // FNV-1a of the lower-case path
    for (wchar_t c : name) hash = (hash ^ towlower(c)) * 1099511628211ull;
    mutex_ = UniqueHandle(CreateMutexW(
        nullptr, FALSE, (L"Local\\quirel-standin-trace-" + std::to_wstring(hash)).c_str()));
    file_ = UniqueHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  bool ok() const { return mutex_ && file_; }

  void Append(const std::string& line) {
    // An abandoned mutex (a process died while writing) is ours all the same.
    const DWORD waited = WaitForSingleObject(mutex_.get(), INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return;
    LARGE_INTEGER end{};
    SetFilePointerEx(file_.get(), end, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ReleaseMutex(mutex_.get());
  }

 private:
  UniqueHandle mutex_;
  UniqueHandle file_;
};

class Writer {
 public:
  Writer() : path_(TracePath()) {}

  bool enabled() const { return !path_.empty(); }

  void Write(Kind kind, const std::string& name, const JsonObject& args) {
    std::lock_guard lock(mutex_);
    if (!file_) file_ = std::make_unique<FileAppender>(path_);
    if (!file_->ok()) return;
    const std::wstring& type = CurrentProcessType();
    std::string line = JsonObject()
                           .Int("seq", ++sequence_)
                           .Int("pid", GetCurrentProcessId())
                           .Int("tid", GetCurrentThreadId())
                           .Text("thread", ToWide(ThreadRoleName(CurrentThreadRole())))
                           .Text("process", type.empty() ? L"browser" : type)
                           .Text("kind", ToWide(KindName(kind)))
                           .Text("name", ToWide(name))
                           .Object("args", args)
                           .str();
    line += '\n';
    file_->Append(line);
  }

 private:
  // Names and roles are ASCII identifiers.
  static std::wstring ToWide(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
  }

  const std::wstring path_;
  std::mutex mutex_;
  std::unique_ptr<FileAppender> file_;
  long long sequence_ = 0;
};

Writer& TheWriter() {
  static Writer writer;
  return writer;
}

}  // namespace

bool Enabled() { return TheWriter().enabled(); }

long long NextObjectId() {
  static std::atomic<long long> next{0};
  return ++next;
}

Line::Line(Kind kind, std::string_view name) : enabled_(Enabled()), kind_(kind) {
  if (enabled_) name_ = name;
}

Line::Line(Kind kind, std::string_view name, long long object) : Line(kind, name) {
  Int("object", object);
}

Line::~Line() {
  if (enabled_) TheWriter().Write(kind_, name_, args_);
}

Line& Line::Text(std::string_view key, std::wstring_view value) {
  if (enabled_) args_.Text(key, value);
  return *this;
}

Line& Line::Text(std::string_view key, const cef_string_t* value) {
  if (!enabled_) return *this;
  if (!value) {
    args_.Null(key);
  } else {
    args_.Text(key,
               value->str ? std::wstring_view(value->str, value->length) : std::wstring_view());
  }
  return *this;
}

Line& Line::Int(std::string_view key, long long value) {
  if (enabled_) args_.Int(key, value);
  return *this;
}

Line& Line::Bool(std::string_view key, bool value) {
  if (enabled_) args_.Bool(key, value);
  return *this;
}

Line& Line::Object(std::string_view key, const JsonObject& value) {
  if (enabled_) args_.Object(key, value);
  return *this;
}

Line& Line::Array(std::string_view key, const JsonArray& value) {
  if (enabled_) args_.Array(key, value);
  return *this;
}

}  // namespace quirel::standin::trace
