// cef_string_list_*, cef_string_map_*, cef_string_multimap_*, called in this process.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "EngineFiles.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/cef_capi.h"
#include "engine/capi/CefString.h"

namespace standin_test {
namespace {

class StandinStringCollections : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadEngineHere()); }
};

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

std::vector<std::wstring> ListValues(cef_string_list_t list) {
  std::vector<std::wstring> values;
  for (size_t i = 0; i < g_cef.cef_string_list_size(list); ++i) {
    CefStringOut value;
    EXPECT_EQ(g_cef.cef_string_list_value(list, i, value.get()), 1);
    values.push_back(value.str());
  }
  return values;
}

template <class Key, class Value>
Pairs Entries(void* map, size_t size, Key key_at, Value value_at) {
  Pairs entries;
  for (size_t i = 0; i < size; ++i) {
    CefStringOut key, value;
    EXPECT_EQ(key_at(map, i, key.get()), 1);
    EXPECT_EQ(value_at(map, i, value.get()), 1);
    entries.emplace_back(key.str(), value.str());
  }
  CefStringOut past;
  EXPECT_EQ(key_at(map, size, past.get()), 0);
  EXPECT_EQ(value_at(map, size, past.get()), 0);
  return entries;
}

TEST_F(StandinStringCollections, List) {
  cef_string_list_t list = g_cef.cef_string_list_alloc();
  for (const wchar_t* value : {L"one", L"", L"tw\u00f6"})
    g_cef.cef_string_list_append(list, CefStringArg(value));
  g_cef.cef_string_list_append(list, nullptr);  // an empty value
  EXPECT_EQ(ListValues(list), (std::vector<std::wstring>{L"one", L"", L"tw\u00f6", L""}));
  CefStringOut past;
  EXPECT_EQ(g_cef.cef_string_list_value(list, 4, past.get()), 0);

  cef_string_list_t copy = g_cef.cef_string_list_copy(list);
  g_cef.cef_string_list_clear(list);
  EXPECT_EQ(g_cef.cef_string_list_size(list), 0u);
  EXPECT_EQ(g_cef.cef_string_list_size(copy), 4u);
  g_cef.cef_string_list_free(copy);
  g_cef.cef_string_list_free(list);
}

TEST_F(StandinStringCollections, MapIsOrderedByKeyAndKeepsTheFirstValue) {
  const struct {
    Pairs appended;
    Pairs expected;
  } cases[] = {
      {{}, {}},
      {{{L"b", L"2"}, {L"a", L"1"}, {L"c", L"3"}}, {{L"a", L"1"}, {L"b", L"2"}, {L"c", L"3"}}},
      {{{L"k", L"first"}, {L"k", L"second"}}, {{L"k", L"first"}}},
      {{{L"Z", L"upper"}, {L"a", L"lower"}, {L"\u00e9", L"accent"}},  // code-unit order
       {{L"Z", L"upper"}, {L"a", L"lower"}, {L"\u00e9", L"accent"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    cef_string_map_t map = g_cef.cef_string_map_alloc();
    for (const auto& [key, value] : c.appended)
      EXPECT_EQ(g_cef.cef_string_map_append(map, CefStringArg(key), CefStringArg(value)), 1);
    ASSERT_EQ(g_cef.cef_string_map_size(map), c.expected.size());
    EXPECT_EQ(Entries(map, c.expected.size(), g_cef.cef_string_map_key, g_cef.cef_string_map_value),
              c.expected);
    for (const auto& [key, value] : c.expected) {
      CefStringOut found;
      EXPECT_EQ(g_cef.cef_string_map_find(map, CefStringArg(key), found.get()), 1);
      EXPECT_EQ(found.str(), value);
    }
    CefStringOut missing;
    EXPECT_EQ(g_cef.cef_string_map_find(map, CefStringArg(L"missing"), missing.get()), 0);
    g_cef.cef_string_map_clear(map);
    EXPECT_EQ(g_cef.cef_string_map_size(map), 0u);
    g_cef.cef_string_map_free(map);
  }
}

TEST_F(StandinStringCollections, MultimapKeepsEveryValueInOrder) {
  cef_string_multimap_t map = g_cef.cef_string_multimap_alloc();
  const Pairs appended = {{L"b", L"1"}, {L"a", L"x"}, {L"b", L"2"}, {L"a", L"y"}, {L"b", L"1"}};
  for (const auto& [key, value] : appended)
    EXPECT_EQ(g_cef.cef_string_multimap_append(map, CefStringArg(key), CefStringArg(value)), 1);
  ASSERT_EQ(g_cef.cef_string_multimap_size(map), 5u);
  EXPECT_EQ(Entries(map, 5, g_cef.cef_string_multimap_key, g_cef.cef_string_multimap_value),
            (Pairs{{L"a", L"x"}, {L"a", L"y"}, {L"b", L"1"}, {L"b", L"2"}, {L"b", L"1"}}));

  const struct {
    const wchar_t* key;
    std::vector<std::wstring> values;
  } lookups[] = {{L"a", {L"x", L"y"}}, {L"b", {L"1", L"2", L"1"}}, {L"c", {}}};
  for (const auto& lookup : lookups) {
    SCOPED_TRACE(testing::Message() << lookup.key);
    EXPECT_EQ(g_cef.cef_string_multimap_find_count(map, CefStringArg(lookup.key)),
              lookup.values.size());
    for (size_t i = 0; i <= lookup.values.size(); ++i) {
      CefStringOut value;
      const int found =
          g_cef.cef_string_multimap_enumerate(map, CefStringArg(lookup.key), i, value.get());
      EXPECT_EQ(found, i < lookup.values.size() ? 1 : 0);
      if (found) {
        EXPECT_EQ(value.str(), lookup.values[i]);
      }
    }
  }
  g_cef.cef_string_multimap_clear(map);
  EXPECT_EQ(g_cef.cef_string_multimap_size(map), 0u);
  g_cef.cef_string_multimap_free(map);
}

}  // namespace
}  // namespace standin_test
