#include "standin/core/Json.h"

#include <cstdio>

#include "standin/core/Utf.h"

namespace quirel::standin {
namespace {

void AppendEscape(unsigned value, std::string& out) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04x", value);
  out += buffer;
}

}  // namespace

std::string JsonString(std::wstring_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t c = static_cast<char16_t>(text[i]);
    switch (c) {
      case '"':
        out += "\\\"";
        continue;
      case '\\':
        out += "\\\\";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\r':
        out += "\\r";
        continue;
      case '\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    if (c < 0x20) {
      AppendEscape(c, out);
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
               text[i + 1] <= 0xDFFF) {
      AppendUtf8(0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(text[++i]) - 0xDC00), out);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      AppendEscape(c, out);  // unpaired: not encodable in UTF-8
    } else {
      AppendUtf8(c, out);
    }
  }
  out += '"';
  return out;
}

JsonObject& JsonObject::Text(std::string_view key, std::wstring_view value) {
  return Raw(key, JsonString(value));
}

JsonObject& JsonObject::Int(std::string_view key, long long value) {
  return Raw(key, std::to_string(value));
}

JsonObject& JsonObject::Bool(std::string_view key, bool value) {
  return Raw(key, value ? "true" : "false");
}

JsonObject& JsonObject::Null(std::string_view key) { return Raw(key, "null"); }

JsonObject& JsonObject::Object(std::string_view key, const JsonObject& value) {
  return Raw(key, value.str());
}

JsonObject& JsonObject::Array(std::string_view key, const JsonArray& value) {
  return Raw(key, value.str());
}

JsonObject& JsonObject::Entry(std::wstring_view key, std::wstring_view value) {
  return RawQuoted(JsonString(key), JsonString(value));
}

JsonObject& JsonObject::Raw(std::string_view key, std::string_view json) {
  // Our own keys are ASCII identifiers: nothing to escape.
  std::string quoted(1, '"');
  quoted.append(key).push_back('"');
  return RawQuoted(quoted, json);
}

JsonObject& JsonObject::RawQuoted(const std::string& quoted_key, std::string_view json) {
  if (!body_.empty()) body_ += ',';
  body_ += quoted_key;
  body_ += ':';
  body_ += json;
  return *this;
}

JsonArray& JsonArray::Raw(std::string_view json) {
  if (!body_.empty()) body_ += ',';
  body_ += json;
  return *this;
}

}  // namespace quirel::standin
