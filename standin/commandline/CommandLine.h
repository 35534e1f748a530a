// A process command line parsed and rebuilt the way Chromium does on Windows:
// switch prefixes "--", "-" and "/"; "name=value"; names lower-cased (ASCII)
// and stored without prefix, the last value winning; "--" ends the switches;
// switches are kept before the loose arguments however they were given.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quirel::standin {

class CommandLine {
 public:
  using Switches = std::map<std::wstring, std::wstring>;

  CommandLine() = default;

  // The text a process gets from GetCommandLineW, split as CommandLineToArgvW
  // does. An empty (or blank) text leaves the command line as it is.
  void ParseFromString(std::wstring_view text);
  // argv[0] is the program.
  void InitFromArgv(const std::vector<std::wstring>& argv);

  const std::vector<std::wstring>& argv() const { return argv_; }
  const std::wstring& program() const { return argv_[0]; }
  void SetProgram(std::wstring_view program);

  const Switches& switches() const { return switches_; }
  // `name` as stored: lower-case, without prefix.
  bool HasSwitch(const std::wstring& name) const;
  std::wstring SwitchValue(const std::wstring& name) const;

  // `name` may carry a prefix, which argv keeps; without one it gets "--".
  void AppendSwitch(std::wstring_view name, std::wstring_view value = {});
  void AppendArgument(std::wstring_view argument);
  // The loose arguments, without the first "--".
  std::vector<std::wstring> Arguments() const;
  // Splits `wrapper` at spaces (quotes keep a token together) and puts it in
  // front of the program.
  void PrependWrapper(std::wstring_view wrapper);

  // Everything but the program goes.
  void Reset();

  // Quoted for CommandLineToArgvW, like the engine's get_command_line_string.
  std::wstring ToString() const;

 private:
  void AppendSwitchesAndArguments(const std::vector<std::wstring>& argv);

  std::vector<std::wstring> argv_{std::wstring()};
  Switches switches_;
  size_t begin_args_ = 1;  // index of the first loose argument in argv_
};

}  // namespace quirel::standin
