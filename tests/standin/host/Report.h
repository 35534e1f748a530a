// What the host saw, as "key=value" lines on standard output for the test
// that started it.
#pragma once

#include <string>
#include <string_view>

namespace standin_host {

void Report(std::string_view key, long long value);
void Report(std::string_view key, std::string_view value);
void Report(std::string_view key, const std::wstring& value);  // as UTF-8

}  // namespace standin_host
