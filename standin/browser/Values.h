// The engine's value containers, cef_value_t and cef_dictionary_value_t, as
// the program builds them for preferences. A dictionary handed to a container
// that does not own it moves in (the program's object becomes invalid, as
// the engine's does); an owned one is copied. Children read back from a
// container are views of it: changing them changes the container.
// Binary values and lists are not offered: setting one fails.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/core/Json.h"

namespace quirel::standin {

struct ValueData;
using DictionaryData = std::map<std::wstring, ValueData>;

struct ValueData {
  cef_value_type_t type = VTYPE_NULL;
  bool boolean = false;
  int integer = 0;
  double real = 0;
  std::wstring text;
  std::shared_ptr<DictionaryData> dictionary;  // VTYPE_DICTIONARY

  // A deep copy; with exclude_empty, empty dictionaries inside are left out.
  ValueData Copy(bool exclude_empty = false) const;
  friend bool operator==(const ValueData& a, const ValueData& b);
};

std::shared_ptr<DictionaryData> CopyDictionary(const DictionaryData& data, bool exclude_empty);

// What a value of the program holds, copied (null when `value` is null).
ValueData ValueOf(cef_value_t* value);

// The value as JSON for the trace: {"type": "int", "value": 3}; doubles are
// written as their decimal text, dictionaries as objects.
JsonObject ValueJson(const ValueData& value);

CefRef<cef_value_t> NewValue(ValueData data);
CefRef<cef_dictionary_value_t> NewDictionary(std::shared_ptr<DictionaryData> data, bool owned,
                                             bool read_only);

}  // namespace quirel::standin
