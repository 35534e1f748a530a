// The log file is read whole and written whole on every call, so no handle stays open between them.
#include "common/Log.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/DroppedError.h"
#include "common/Errors.h"
#include "common/Globals.h"
#include "common/LogText.h"

namespace quirel {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

// A file at path, or a symbolic link whose target is a file.
bool FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    Handle target(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!target.valid() || !GetFileInformationByHandle(target.get(), &info)) return false;
    attributes = info.dwFileAttributes;
  }
  return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Readers may share the file; a writer holding it blocks the read.
std::string ReadWholeFile(const std::wstring& path) {
  Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) throw EFOpenError(path, GetLastError());
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  for (;;) {
    if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) {
      const DWORD error = GetLastError();
      throw EOSError(L"Cannot read file \"" + path + L"\". " + SysErrorMessage(error), error);
    }
    if (got == 0) return bytes;
    bytes.append(chunk, got);
  }
}

// Replaces the file; when it cannot be created the old content stays.
void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
  if (!file.valid()) throw EFCreateError(path, GetLastError());
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD wrote = 0;
    if (!WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) {
      const DWORD error = GetLastError();
      throw EOSError(L"Cannot write file \"" + path + L"\". " + SysErrorMessage(error), error);
    }
    done += wrote;
  }
}

}  // namespace

void AddLogToFile(const std::wstring& path, const std::wstring& text, const SYSTEMTIME& localTime) {
  if (text.empty()) return;
  DecodedText loaded;  // a new file is written in the ANSI code page
  if (FileExists(path)) loaded = DecodeText(ReadWholeFile(path));
  std::vector<std::wstring> lines = SplitLines(loaded.text);
  AppendLogEntry(lines, text, localTime);
  WriteWholeFile(path, EncodeText(JoinLines(lines), loaded.encoding));
}

void AddLog(const std::wstring& text) {
  if (text.empty()) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  AddLogToFile(AppPath + LogFileName, text, now);
}

void AddLogBestEffort(const std::wstring& text) noexcept {
  try {
    AddLog(text);
  } catch (...) {
    ReportDroppedError(L"AddLog");
    // Without building a string: this must not fail for want of memory either.
    OutputDebugStringW(L"Quirel: the line not logged: ");
    OutputDebugStringW(text.c_str());
    OutputDebugStringW(L"\n");
  }
}

}  // namespace quirel
