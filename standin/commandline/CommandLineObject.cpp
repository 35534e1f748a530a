#include "standin/commandline/CommandLineObject.h"

#include "standin/core/Trace.h"
#include "standin/core/Utf.h"
#include "standin/strings/EngineStrings.h"
#include "standin/strings/StringCollections.h"

namespace quirel::standin {
namespace {

trace::Line Method(std::string_view name, const CommandLineObject* self) {
  return trace::Method(std::string("command_line.").append(name), self->id());
}

}  // namespace

CommandLineObject::CommandLineObject(std::shared_ptr<CommandLine> line, bool read_only)
    : line_(std::move(line)), read_only_(read_only), id_(trace::NextObjectId()) {
  cef_command_line_t* c = cef();
  Bind<&CommandLineObject::IsValid>(c->is_valid);
  Bind<&CommandLineObject::IsReadOnly>(c->is_read_only);
  Bind<&CommandLineObject::Copy>(c->copy);
  Bind<&CommandLineObject::InitFromArgv>(c->init_from_argv);
  Bind<&CommandLineObject::InitFromString>(c->init_from_string);
  Bind<&CommandLineObject::Reset>(c->reset);
  Bind<&CommandLineObject::GetArgv>(c->get_argv);
  Bind<&CommandLineObject::GetCommandLineString>(c->get_command_line_string);
  Bind<&CommandLineObject::GetProgram>(c->get_program);
  Bind<&CommandLineObject::SetProgram>(c->set_program);
  Bind<&CommandLineObject::HasSwitches>(c->has_switches);
  Bind<&CommandLineObject::HasSwitch>(c->has_switch);
  Bind<&CommandLineObject::GetSwitchValue>(c->get_switch_value);
  Bind<&CommandLineObject::GetSwitches>(c->get_switches);
  Bind<&CommandLineObject::AppendSwitch>(c->append_switch);
  Bind<&CommandLineObject::AppendSwitchWithValue>(c->append_switch_with_value);
  Bind<&CommandLineObject::HasArguments>(c->has_arguments);
  Bind<&CommandLineObject::GetArguments>(c->get_arguments);
  Bind<&CommandLineObject::AppendArgument>(c->append_argument);
  Bind<&CommandLineObject::PrependWrapper>(c->prepend_wrapper);
}

void CommandLineObject::Detach() {
  std::lock_guard lock(mutex_);
  line_.reset();
}

std::shared_ptr<CommandLine> CommandLineObject::Readable() {
  std::lock_guard lock(mutex_);
  return line_;
}

std::shared_ptr<CommandLine> CommandLineObject::Writable() {
  std::lock_guard lock(mutex_);
  return read_only_ ? nullptr : line_;
}

int CommandLineObject::IsValid() {
  Method("is_valid", this);
  return Readable() != nullptr;
}

int CommandLineObject::IsReadOnly() {
  Method("is_read_only", this);
  // An invalid object cannot be changed either.
  return read_only_ || !Readable();
}

cef_command_line_t* CommandLineObject::Copy() {
  Method("copy", this);
  const auto line = Readable();
  if (!line) return nullptr;
  // The engine copies by parsing the argv again.
  auto copy = std::make_shared<CommandLine>();
  copy->InitFromArgv(line->argv());
  return MakeCommandLineObject(std::move(copy), false).ref.Detach();
}

void CommandLineObject::InitFromArgv(int argc, const char* const*) {
  // The engine supports this only outside Windows; here it changes nothing.
  Method("init_from_argv", this).Int("argc", argc);
}

void CommandLineObject::InitFromString(const cef_string_t* command_line) {
  Method("init_from_string", this).Text("command_line", command_line);
  if (const auto line = Writable()) line->ParseFromString(ToWString(command_line));
}

void CommandLineObject::Reset() {
  Method("reset", this);
  if (const auto line = Writable()) line->Reset();
}

void CommandLineObject::GetArgv(cef_string_list_t argv) {
  Method("get_argv", this);
  if (const auto line = Readable()) {
    for (const std::wstring& arg : line->argv()) AppendToList(argv, arg);
  }
}

cef_string_userfree_t CommandLineObject::GetCommandLineString() {
  Method("get_command_line_string", this);
  const auto line = Readable();
  return NewUserFreeString(line ? line->ToString() : std::wstring());
}

cef_string_userfree_t CommandLineObject::GetProgram() {
  Method("get_program", this);
  const auto line = Readable();
  return NewUserFreeString(line ? line->program() : std::wstring());
}

void CommandLineObject::SetProgram(const cef_string_t* program) {
  Method("set_program", this).Text("program", program);
  if (const auto line = Writable()) line->SetProgram(ToWString(program));
}

int CommandLineObject::HasSwitches() {
  Method("has_switches", this);
  const auto line = Readable();
  return line && !line->switches().empty();
}

int CommandLineObject::HasSwitch(const cef_string_t* name) {
  Method("has_switch", this).Text("name", name);
  const auto line = Readable();
  return line && line->HasSwitch(ToLowerAscii(ToWString(name)));
}

cef_string_userfree_t CommandLineObject::GetSwitchValue(const cef_string_t* name) {
  Method("get_switch_value", this).Text("name", name);
  const auto line = Readable();
  return NewUserFreeString(line ? line->SwitchValue(ToLowerAscii(ToWString(name)))
                                : std::wstring());
}

void CommandLineObject::GetSwitches(cef_string_map_t switches) {
  Method("get_switches", this);
  if (const auto line = Readable()) {
    for (const auto& [name, value] : line->switches()) AppendToMap(switches, name, value);
  }
}

void CommandLineObject::AppendSwitch(const cef_string_t* name) {
  Method("append_switch", this).Text("name", name);
  if (const auto line = Writable()) line->AppendSwitch(ToWString(name));
}

void CommandLineObject::AppendSwitchWithValue(const cef_string_t* name, const cef_string_t* value) {
  Method("append_switch_with_value", this).Text("name", name).Text("value", value);
  if (const auto line = Writable()) line->AppendSwitch(ToWString(name), ToWString(value));
}

int CommandLineObject::HasArguments() {
  Method("has_arguments", this);
  const auto line = Readable();
  return line && !line->Arguments().empty();
}

void CommandLineObject::GetArguments(cef_string_list_t arguments) {
  Method("get_arguments", this);
  if (const auto line = Readable()) {
    for (const std::wstring& arg : line->Arguments()) AppendToList(arguments, arg);
  }
}

void CommandLineObject::AppendArgument(const cef_string_t* argument) {
  Method("append_argument", this).Text("argument", argument);
  if (const auto line = Writable()) line->AppendArgument(ToWString(argument));
}

void CommandLineObject::PrependWrapper(const cef_string_t* wrapper) {
  Method("prepend_wrapper", this).Text("wrapper", wrapper);
  if (const auto line = Writable()) line->PrependWrapper(ToWString(wrapper));
}

NewCommandLine MakeCommandLineObject(std::shared_ptr<CommandLine> line, bool read_only) {
  CefRef<cef_command_line_t> ref = CefNew<CommandLineObject>(std::move(line), read_only);
  CommandLineObject* object = CommandLineObject::FromSelf(ref.get());
  return {std::move(ref), object};
}

}  // namespace quirel::standin
