#include "standin/commandline/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "standin/core/Utf.h"

namespace quirel::standin {
namespace {

constexpr std::wstring_view kSwitchPrefixes[] = {L"--", L"-", L"/"};
constexpr std::wstring_view kSwitchTerminator = L"--";
constexpr wchar_t kValueSeparator = L'=';

// Chromium's set of Unicode white space.
bool IsWhitespace(wchar_t c) {
  switch (c) {
    case 0x09:
    case 0x0A:
    case 0x0B:
    case 0x0C:
    case 0x0D:
    case 0x20:
    case 0x85:
    case 0xA0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

std::wstring Trim(std::wstring_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsWhitespace(text[begin])) ++begin;
  while (end > begin && IsWhitespace(text[end - 1])) --end;
  return std::wstring(text.substr(begin, end - begin));
}

size_t SwitchPrefixLength(std::wstring_view text) {
  for (std::wstring_view prefix : kSwitchPrefixes) {
    if (text.substr(0, prefix.size()) == prefix) return prefix.size();
  }
  return 0;
}

// A switch has a prefix and something after it.
bool SplitSwitch(std::wstring_view text, std::wstring& name, std::wstring& value) {
  name.clear();
  value.clear();
  const size_t prefix = SwitchPrefixLength(text);
  if (prefix == 0 || prefix == text.size()) return false;
  const size_t equals = text.find(kValueSeparator);
  name = std::wstring(text.substr(0, equals));
  if (equals != std::wstring_view::npos) value = std::wstring(text.substr(equals + 1));
  return true;
}

// The quoting rules of CommandLineToArgvW: backslashes are literal unless
// they precede a quote (or the closing quote we add).
std::wstring QuoteArgument(const std::wstring& arg) {
  if (arg.find_first_of(L" \\\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  for (size_t i = 0; i < arg.size(); ++i) {
    if (arg[i] == L'\\') {
      size_t end = i + 1;
      while (end < arg.size() && arg[end] == L'\\') ++end;
      size_t count = end - i;
      if (end == arg.size() || arg[end] == L'"') count *= 2;
      out.append(count, L'\\');
      i = end - 1;
    } else if (arg[i] == L'"') {
      out += L"\\\"";
    } else {
      out += arg[i];
    }
  }
  out += L'"';
  return out;
}

}  // namespace

void CommandLine::ParseFromString(std::wstring_view text) {
  const std::wstring trimmed = Trim(text);
  if (trimmed.empty()) return;
  int count = 0;
  std::unique_ptr<LPWSTR, decltype(&LocalFree)> args(CommandLineToArgvW(trimmed.c_str(), &count),
                                                     &LocalFree);
  if (!args) return;
  InitFromArgv(std::vector<std::wstring>(args.get(), args.get() + count));
}

void CommandLine::InitFromArgv(const std::vector<std::wstring>& argv) {
  argv_.assign(1, std::wstring());
  switches_.clear();
  begin_args_ = 1;
  SetProgram(argv.empty() ? std::wstring() : argv[0]);
  AppendSwitchesAndArguments(argv);
}

void CommandLine::AppendSwitchesAndArguments(const std::vector<std::wstring>& argv) {
  bool parse_switches = true;
  for (size_t i = 1; i < argv.size(); ++i) {
    const std::wstring arg = Trim(argv[i]);
    std::wstring name, value;
    parse_switches &= arg != kSwitchTerminator;
    if (parse_switches && SplitSwitch(arg, name, value)) {
      AppendSwitch(name, value);
    } else {
      AppendArgument(arg);
    }
  }
}

void CommandLine::SetProgram(std::wstring_view program) { argv_[0] = Trim(program); }

bool CommandLine::HasSwitch(const std::wstring& name) const { return switches_.contains(name); }

std::wstring CommandLine::SwitchValue(const std::wstring& name) const {
  const auto found = switches_.find(name);
  return found == switches_.end() ? std::wstring() : found->second;
}

void CommandLine::AppendSwitch(std::wstring_view name, std::wstring_view value) {
  std::wstring combined = ToLowerAscii(name);
  const size_t prefix = SwitchPrefixLength(combined);
  switches_.insert_or_assign(combined.substr(prefix), std::wstring(value));
  if (prefix == 0) combined.insert(0, kSwitchPrefixes[0]);
  if (!value.empty()) {
    combined += kValueSeparator;
    combined += value;
  }
  argv_.insert(argv_.begin() + static_cast<std::ptrdiff_t>(begin_args_++), combined);
}

void CommandLine::AppendArgument(std::wstring_view argument) { argv_.emplace_back(argument); }

std::vector<std::wstring> CommandLine::Arguments() const {
  std::vector<std::wstring> args(argv_.begin() + static_cast<std::ptrdiff_t>(begin_args_),
                                 argv_.end());
  const auto terminator = std::find(args.begin(), args.end(), kSwitchTerminator);
  if (terminator != args.end()) args.erase(terminator);
  return args;
}

void CommandLine::PrependWrapper(std::wstring_view wrapper) {
  std::vector<std::wstring> tokens;
  std::wstring token;
  wchar_t quote = 0;
  for (wchar_t c : wrapper) {
    if (quote) {
      if (c == quote) quote = 0;
      token += c;
    } else if (c == L' ') {
      if (!token.empty()) tokens.push_back(std::exchange(token, {}));
    } else {
      if (c == L'"' || c == L'\'') quote = c;
      token += c;
    }
  }
  if (!token.empty()) tokens.push_back(token);
  argv_.insert(argv_.begin(), tokens.begin(), tokens.end());
  begin_args_ += tokens.size();
}

void CommandLine::Reset() { InitFromArgv({program()}); }

std::wstring CommandLine::ToString() const {
  std::wstring params;
  bool parse_switches = true;
  for (size_t i = 1; i < argv_.size(); ++i) {
    const std::wstring& arg = argv_[i];
    std::wstring name, value;
    parse_switches &= arg != kSwitchTerminator;
    if (i > 1) params += L' ';
    if (parse_switches && SplitSwitch(arg, name, value)) {
      params += name;
      if (!value.empty()) {
        params += kValueSeparator;
        params += QuoteArgument(value);
      }
    } else {
      params += QuoteArgument(arg);
    }
  }
  std::wstring out = QuoteArgument(argv_[0]);
  if (!params.empty()) out += L' ' + params;
  return out;
}

}  // namespace quirel::standin
