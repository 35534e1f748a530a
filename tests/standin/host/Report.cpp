#include "Report.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

namespace standin_host {
namespace {

void Write(std::string_view key, std::string_view value) {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  std::fwrite(key.data(), 1, key.size(), stdout);
  std::fputc('=', stdout);
  std::fwrite(value.data(), 1, value.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace

void Report(std::string_view key, long long value) { Write(key, std::to_string(value)); }

void Report(std::string_view key, std::string_view value) { Write(key, value); }

void Report(std::string_view key, const std::wstring& value) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), utf8.data(), size,
                      nullptr, nullptr);
  Write(key, utf8);
}

}  // namespace standin_host
