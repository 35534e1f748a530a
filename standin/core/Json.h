// JSON text for trace lines, built as it goes (no document tree).
#pragma once

#include <string>
#include <string_view>

namespace quirel::standin {

// A quoted JSON string in UTF-8. A lone surrogate stays visible as a \u escape.
std::string JsonString(std::wstring_view text);

class JsonArray;

class JsonObject {
 public:
  JsonObject& Text(std::string_view key, std::wstring_view value);
  JsonObject& Int(std::string_view key, long long value);
  JsonObject& Bool(std::string_view key, bool value);
  JsonObject& Null(std::string_view key);
  JsonObject& Object(std::string_view key, const JsonObject& value);
  JsonObject& Array(std::string_view key, const JsonArray& value);
  // A key that is data (a switch name, say) rather than one of ours.
  JsonObject& Entry(std::wstring_view key, std::wstring_view value);

  std::string str() const { return "{" + body_ + "}"; }

 private:
  JsonObject& Raw(std::string_view key, std::string_view json);
  JsonObject& RawQuoted(const std::string& quoted_key, std::string_view json);
  std::string body_;
};

class JsonArray {
 public:
  JsonArray& Text(std::wstring_view value) { return Raw(JsonString(value)); }
  JsonArray& Int(long long value) { return Raw(std::to_string(value)); }
  JsonArray& Object(const JsonObject& value) { return Raw(value.str()); }

  std::string str() const { return "[" + body_ + "]"; }

 private:
  JsonArray& Raw(std::string_view json);
  std::string body_;
};

}  // namespace quirel::standin
