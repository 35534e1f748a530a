#include "standin/script/ScriptException.h"

#include "engine/capi/CefObject.h"
#include "standin/strings/EngineStrings.h"

namespace quirel::standin::script {
namespace {

class Exception : public CefObject<Exception, cef_v8exception_t> {
 public:
  explicit Exception(ScriptError error) : error_(std::move(error)) {
    Bind<&Exception::Message>(cef()->get_message);
    Bind<&Exception::SourceLine>(cef()->get_source_line);
    Bind<&Exception::Resource>(cef()->get_script_resource_name);
    Bind<&Exception::Line>(cef()->get_line_number);
    Bind<&Exception::Zero>(cef()->get_start_position);
    Bind<&Exception::Zero>(cef()->get_end_position);
    Bind<&Exception::Zero>(cef()->get_start_column);
    Bind<&Exception::Zero>(cef()->get_end_column);
  }

 private:
  cef_string_userfree_t Message() { return NewUserFreeString(error_.message); }
  cef_string_userfree_t SourceLine() { return NewUserFreeString(error_.source_line); }
  cef_string_userfree_t Resource() { return NewUserFreeString(error_.resource); }
  int Line() { return error_.line; }
  // Duktape does not tell positions within the line.
  int Zero() { return 0; }

  ScriptError error_;
};

}  // namespace

CefRef<cef_v8exception_t> NewException(const ScriptError& error) {
  return CefNew<Exception>(error);
}

}  // namespace quirel::standin::script
