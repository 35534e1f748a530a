#include "standin/strings/StringCollections.h"

namespace quirel::standin {

void AppendToList(cef_string_list_t list, const std::wstring& value) {
  if (list) AsList(list)->push_back(value);
}

StringList ListContents(cef_string_list_t list) { return list ? *AsList(list) : StringList(); }

void AppendToMap(cef_string_map_t map, const std::wstring& key, const std::wstring& value) {
  if (map) AsMap(map)->emplace(key, value);
}

}  // namespace quirel::standin
