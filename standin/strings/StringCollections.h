// What the opaque cef_string_list_t, cef_string_map_t and
// cef_string_multimap_t handles point to. The map is ordered by key (UTF-16
// code units) and keeps the first value of a key; the multimap keeps every
// value, in the order appended.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/capi/cef_types.h"

namespace quirel::standin {

using StringList = std::vector<std::wstring>;
using StringMap = std::map<std::wstring, std::wstring>;
using StringMultimap = std::multimap<std::wstring, std::wstring>;

inline StringList* AsList(cef_string_list_t handle) { return static_cast<StringList*>(handle); }
inline StringMap* AsMap(cef_string_map_t handle) { return static_cast<StringMap*>(handle); }
inline StringMultimap* AsMultimap(cef_string_multimap_t handle) {
  return static_cast<StringMultimap*>(handle);
}

// For the engine's own use of handles the program passed in.
void AppendToList(cef_string_list_t list, const std::wstring& value);
StringList ListContents(cef_string_list_t list);
void AppendToMap(cef_string_map_t map, const std::wstring& key, const std::wstring& value);

}  // namespace quirel::standin
