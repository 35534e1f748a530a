// The trace: when QUIREL_STANDIN_TRACE names a file, every call the program
// makes into the engine, every callback the engine raises into the program and
// a few engine events are appended to it, one JSON line each (format in
// standin/README.md). Each line is appended whole, one process at a time, so
// the browser process and its sub-processes can share the file.
//
//   trace::Call("cef_post_task").Int("thread_id", id);
//
// A line is written when the statement ends.
#pragma once

#include <string>
#include <string_view>

#include "engine/capi/cef_types.h"
#include "standin/core/Json.h"

namespace quirel::standin::trace {

enum class Kind { kCall, kCallback, kEvent };

bool Enabled();

// A number per stand-in object, unique in the process, for telling objects apart.
long long NextObjectId();

class Line {
 public:
  Line(Kind kind, std::string_view name);
  // A method of a stand-in object: the line carries the object's number.
  Line(Kind kind, std::string_view name, long long object);
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;
  ~Line();

  Line& Text(std::string_view key, std::wstring_view value);
  // A null string is traced as null, an empty one as "".
  Line& Text(std::string_view key, const cef_string_t* value);
  Line& Int(std::string_view key, long long value);
  Line& Bool(std::string_view key, bool value);
  Line& Object(std::string_view key, const JsonObject& value);
  Line& Array(std::string_view key, const JsonArray& value);

 private:
  bool enabled_;
  Kind kind_;
  std::string name_;
  JsonObject args_;
};

inline Line Call(std::string_view name) { return Line(Kind::kCall, name); }
inline Line Callback(std::string_view name) { return Line(Kind::kCallback, name); }
inline Line Event(std::string_view name) { return Line(Kind::kEvent, name); }
inline Line Method(std::string_view name, long long object) {
  return Line(Kind::kCall, name, object);
}

}  // namespace quirel::standin::trace
