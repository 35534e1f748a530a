// Just enough JSON for reading trace lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace standin_test {

struct Json {
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };

  Type type = Type::kNull;
  bool boolean = false;
  double number = 0;
  std::string string;  // UTF-8
  std::vector<Json> array;
  std::vector<std::pair<std::string, Json>> members;  // in order

  bool Has(std::string_view key) const;
  // A null value when missing.
  const Json& operator[](std::string_view key) const;
  long long Int() const { return static_cast<long long>(number); }
  bool IsNull() const { return type == Type::kNull; }
};

// Empty on malformed text (or anything after the value).
std::optional<Json> ParseJson(std::string_view text);

}  // namespace standin_test
