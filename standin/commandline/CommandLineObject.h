// The engine's cef_command_line_t over a CommandLine. The object the engine
// lends to on_before_command_line_processing shares the engine's own command
// line and is detached when the callback returns: from then on it is invalid
// and every method does nothing. Read-only objects ignore changes.
#pragma once

#include <memory>
#include <mutex>

#include "engine/capi/CefObject.h"
#include "engine/capi/cef_capi.h"
#include "standin/commandline/CommandLine.h"
#include "standin/core/Leftovers.h"

namespace quirel::standin {

class CommandLineObject : public CefObject<CommandLineObject, cef_command_line_t> {
  leftovers::Counted counted_{"command_line"};

 public:
  CommandLineObject(std::shared_ptr<CommandLine> line, bool read_only);

  void Detach();
  long long id() const { return id_; }

 private:
  int IsValid();
  int IsReadOnly();
  cef_command_line_t* Copy();
  void InitFromArgv(int argc, const char* const* argv);
  void InitFromString(const cef_string_t* command_line);
  void Reset();
  void GetArgv(cef_string_list_t argv);
  cef_string_userfree_t GetCommandLineString();
  cef_string_userfree_t GetProgram();
  void SetProgram(const cef_string_t* program);
  int HasSwitches();
  int HasSwitch(const cef_string_t* name);
  cef_string_userfree_t GetSwitchValue(const cef_string_t* name);
  void GetSwitches(cef_string_map_t switches);
  void AppendSwitch(const cef_string_t* name);
  void AppendSwitchWithValue(const cef_string_t* name, const cef_string_t* value);
  int HasArguments();
  void GetArguments(cef_string_list_t arguments);
  void AppendArgument(const cef_string_t* argument);
  void PrependWrapper(const cef_string_t* wrapper);

  // Null once detached.
  std::shared_ptr<CommandLine> Readable();
  std::shared_ptr<CommandLine> Writable();

  std::mutex mutex_;
  std::shared_ptr<CommandLine> line_;
  const bool read_only_;
  const long long id_;
};

// A new command-line object and the object behind it (for Detach).
struct NewCommandLine {
  CefRef<cef_command_line_t> ref;
  CommandLineObject* object;
};
NewCommandLine MakeCommandLineObject(std::shared_ptr<CommandLine> line, bool read_only);

}  // namespace quirel::standin
