// The little JSON the renderer messages need: flat objects with numbers,
// strings, arrays of strings and one nested object.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quirel::standin::message_json {

struct Value {
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };
  Type type = Type::kNull;
  bool boolean = false;
  double number = 0;
  std::string string;  // UTF-8
  std::vector<Value> items;
  std::vector<std::pair<std::string, Value>> members;  // in order

  // Null when missing or not an object.
  const Value* Find(std::string_view key) const;
};

// Empty on malformed text or anything after the value.
std::optional<Value> Parse(std::string_view text);

// A JSON string literal of UTF-8 text.
std::string Quote(std::string_view utf8);

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

}  // namespace quirel::standin::message_json
