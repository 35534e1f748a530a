// cef_command_line_create, cef_command_line_get_global.
#include "standin/commandline/CommandLineObject.h"
#include "standin/commandline/GlobalCommandLine.h"
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"

using namespace quirel::standin;

extern "C" {

cef_command_line_t* cef_command_line_create() {
  trace::Call("cef_command_line_create");
  return MakeCommandLineObject(std::make_shared<CommandLine>(), false).ref.Detach();
}

cef_command_line_t* cef_command_line_get_global() {
  trace::Call("cef_command_line_get_global");
  auto line = GlobalCommandLine();
  if (!line) return nullptr;
  return MakeCommandLineObject(std::move(line), true).ref.Detach();
}

}  // extern "C"
