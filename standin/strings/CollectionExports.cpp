// cef_string_list_*, cef_string_map_*, cef_string_multimap_*.
#include <iterator>
#include <memory>

#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/strings/EngineStrings.h"
#include "standin/strings/StringCollections.h"

using namespace quirel::standin;

namespace {

template <class Collection>
void* NewCollection() {
  return std::make_unique<Collection>().release();
}

template <class Collection>
void FreeCollection(Collection* collection) {
  std::unique_ptr<Collection> owned(collection);
}

// The entry at `index` in order; false past the end.
template <class Map, class Member>
int EntryAt(Map* map, size_t index, cef_string_t* out, Member member) {
  if (!map || !out || index >= map->size()) return 0;
  auto entry = map->begin();
  std::advance(entry, index);
  SetString(out, (*entry).*member);
  return 1;
}

using Entry = std::pair<const std::wstring, std::wstring>;

}  // namespace

extern "C" {

cef_string_list_t cef_string_list_alloc() {
  trace::Call("cef_string_list_alloc");
  return NewCollection<StringList>();
}

size_t cef_string_list_size(cef_string_list_t list) {
  trace::Call("cef_string_list_size");
  return list ? AsList(list)->size() : 0;
}

int cef_string_list_value(cef_string_list_t list, size_t index, cef_string_t* value) {
  trace::Call("cef_string_list_value").Int("index", static_cast<long long>(index));
  if (!list || !value || index >= AsList(list)->size()) return 0;
  SetString(value, (*AsList(list))[index]);
  return 1;
}

void cef_string_list_append(cef_string_list_t list, const cef_string_t* value) {
  trace::Call("cef_string_list_append").Text("value", value);
  AppendToList(list, ToWString(value));
}

void cef_string_list_clear(cef_string_list_t list) {
  trace::Call("cef_string_list_clear");
  if (list) AsList(list)->clear();
}

void cef_string_list_free(cef_string_list_t list) {
  trace::Call("cef_string_list_free");
  FreeCollection(AsList(list));
}

cef_string_list_t cef_string_list_copy(cef_string_list_t list) {
  trace::Call("cef_string_list_copy");
  if (!list) return nullptr;
  return std::make_unique<StringList>(*AsList(list)).release();
}

cef_string_map_t cef_string_map_alloc() {
  trace::Call("cef_string_map_alloc");
  return NewCollection<StringMap>();
}

size_t cef_string_map_size(cef_string_map_t map) {
  trace::Call("cef_string_map_size");
  return map ? AsMap(map)->size() : 0;
}

int cef_string_map_find(cef_string_map_t map, const cef_string_t* key, cef_string_t* value) {
  trace::Call("cef_string_map_find").Text("key", key);
  if (!map || !value) return 0;
  const auto found = AsMap(map)->find(ToWString(key));
  if (found == AsMap(map)->end()) return 0;
  SetString(value, found->second);
  return 1;
}

int cef_string_map_key(cef_string_map_t map, size_t index, cef_string_t* key) {
  trace::Call("cef_string_map_key").Int("index", static_cast<long long>(index));
  return EntryAt(AsMap(map), index, key, &Entry::first);
}

int cef_string_map_value(cef_string_map_t map, size_t index, cef_string_t* value) {
  trace::Call("cef_string_map_value").Int("index", static_cast<long long>(index));
  return EntryAt(AsMap(map), index, value, &Entry::second);
}

int cef_string_map_append(cef_string_map_t map, const cef_string_t* key,
                          const cef_string_t* value) {
  trace::Call("cef_string_map_append").Text("key", key).Text("value", value);
  if (!map) return 0;
  AppendToMap(map, ToWString(key), ToWString(value));
  return 1;
}

void cef_string_map_clear(cef_string_map_t map) {
  trace::Call("cef_string_map_clear");
  if (map) AsMap(map)->clear();
}

void cef_string_map_free(cef_string_map_t map) {
  trace::Call("cef_string_map_free");
  FreeCollection(AsMap(map));
}

cef_string_multimap_t cef_string_multimap_alloc() {
  trace::Call("cef_string_multimap_alloc");
  return NewCollection<StringMultimap>();
}

size_t cef_string_multimap_size(cef_string_multimap_t map) {
  trace::Call("cef_string_multimap_size");
  return map ? AsMultimap(map)->size() : 0;
}

size_t cef_string_multimap_find_count(cef_string_multimap_t map, const cef_string_t* key) {
  trace::Call("cef_string_multimap_find_count").Text("key", key);
  return map ? AsMultimap(map)->count(ToWString(key)) : 0;
}

int cef_string_multimap_enumerate(cef_string_multimap_t map, const cef_string_t* key,
                                  size_t value_index, cef_string_t* value) {
  trace::Call("cef_string_multimap_enumerate")
      .Text("key", key)
      .Int("value_index", static_cast<long long>(value_index));
  if (!map || !value) return 0;
  const auto [first, last] = AsMultimap(map)->equal_range(ToWString(key));
  if (value_index >= static_cast<size_t>(std::distance(first, last))) return 0;
  SetString(value, std::next(first, static_cast<std::ptrdiff_t>(value_index))->second);
  return 1;
}

int cef_string_multimap_key(cef_string_multimap_t map, size_t index, cef_string_t* key) {
  trace::Call("cef_string_multimap_key").Int("index", static_cast<long long>(index));
  return EntryAt(AsMultimap(map), index, key, &Entry::first);
}

int cef_string_multimap_value(cef_string_multimap_t map, size_t index, cef_string_t* value) {
  trace::Call("cef_string_multimap_value").Int("index", static_cast<long long>(index));
  return EntryAt(AsMultimap(map), index, value, &Entry::second);
}

int cef_string_multimap_append(cef_string_multimap_t map, const cef_string_t* key,
                               const cef_string_t* value) {
  trace::Call("cef_string_multimap_append").Text("key", key).Text("value", value);
  if (!map) return 0;
  AsMultimap(map)->emplace(ToWString(key), ToWString(value));
  return 1;
}

void cef_string_multimap_clear(cef_string_multimap_t map) {
  trace::Call("cef_string_multimap_clear");
  if (map) AsMultimap(map)->clear();
}

void cef_string_multimap_free(cef_string_multimap_t map) {
  trace::Call("cef_string_multimap_free");
  FreeCollection(AsMultimap(map));
}

}  // extern "C"
