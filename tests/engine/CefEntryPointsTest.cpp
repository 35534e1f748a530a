#include "engine/capi/CefEntryPoints.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

// Compiled here so that the prototypes the stand-in engine defines are checked
// against the table's pointer types.
#include "engine/capi/cef_export_prototypes.h"

namespace {

// Entries per group, groups 1 to 49, as the engine's headers group them.
const std::vector<std::size_t> kGroupSizes = {8, 2, 2,  1, 2, 1, 8, 1, 1, 1, 3,  13, 1,
                                              1, 1, 1,  3, 3, 1, 1, 1, 2, 1, 5,  5,  1,
                                              3, 1, 17, 4, 1, 6, 1, 1, 3, 7, 8,  9,  25,
                                              2, 9, 2,  5, 1, 1, 1, 1, 1, 1};

void CEF_CDECL UserFreeMarker(cef_string_userfree_t) {}

}  // namespace

TEST(CefEntryPoints, HasEveryRequiredFunctionOnceInGroupOrder) {
  ASSERT_EQ(kGroupSizes.size(), 49u);
  EXPECT_EQ(std::size(kCefEntryPoints), 180u);
  std::set<std::string> names;
  int previous_group = 1;
  for (const TCefEntryPointInfo& entry : kCefEntryPoints) {
    SCOPED_TRACE(entry.name);
    EXPECT_TRUE(names.insert(entry.name).second) << "listed twice";
    EXPECT_EQ(std::string(entry.name).rfind("cef_", 0), 0u);
    EXPECT_GE(entry.group, previous_group);
    EXPECT_LE(entry.group, 49);
    previous_group = entry.group;
  }
  EXPECT_EQ(names.size(), 180u);
}

TEST(CefEntryPoints, GroupsHaveTheirSizes) {
  ASSERT_EQ(kCefEntryPointGroupCount, 50);
  for (int group = 1; group <= 49; ++group) {
    SCOPED_TRACE(group);
    std::span<const TCefEntryPointInfo> entries = CefEntryPointGroup(group);
    EXPECT_EQ(entries.size(), kGroupSizes[group - 1]);
    for (const TCefEntryPointInfo& entry : entries) EXPECT_EQ(entry.group, group);
  }
  EXPECT_TRUE(CefEntryPointGroup(50).empty());  // resolves nothing, always succeeds
  EXPECT_TRUE(CefEntryPointGroup(0).empty());
  EXPECT_TRUE(CefEntryPointGroup(51).empty());
}

TEST(CefEntryPoints, GroupsStartAndEndWhereTheLoaderExpects) {
  struct Case {
    int group;
    const char* first;
    const char* last;
  };
  const Case cases[] = {
      {1, "cef_initialize", "cef_enable_highdpi_support"},
      {12, "cef_parse_url", "cef_write_json"},
      {29, "cef_v8context_get_current_context", "cef_register_extension"},
      {39, "cef_string_wide_set", "cef_string_utf16_to_upper"},
      {49, "cef_window_create_top_level", "cef_window_create_top_level"},
  };
  for (const Case& c : cases) {
    std::span<const TCefEntryPointInfo> entries = CefEntryPointGroup(c.group);
    ASSERT_FALSE(entries.empty()) << c.group;
    EXPECT_STREQ(entries.front().name, c.first);
    EXPECT_STREQ(entries.back().name, c.last);
  }
}

TEST(CefEntryPoints, StoreFillsExactlyTheNamedMember) {
  std::set<std::size_t> offsets;
  for (const TCefEntryPointInfo& entry : kCefEntryPoints) {
    SCOPED_TRACE(entry.name);
    EXPECT_TRUE(offsets.insert(entry.offset).second);
    ASSERT_LE(entry.offset + sizeof(void*), sizeof(TCefEntryPoints));

    TCefEntryPoints table;
    const auto proc = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&UserFreeMarker));
    entry.store(table, proc);
    // Every member but the named one stays empty.
    const auto* bytes = reinterpret_cast<const unsigned char*>(&table);
    for (std::size_t at = 0; at < sizeof(TCefEntryPoints); at += sizeof(void*)) {
      void* slot = nullptr;
      std::memcpy(&slot, bytes + at, sizeof(void*));
      if (at == entry.offset) {
        EXPECT_EQ(slot, reinterpret_cast<void*>(proc));
      } else {
        EXPECT_EQ(slot, nullptr) << "member at " << at;
      }
    }
  }
}

TEST(CefEntryPoints, NamedMembersAreTheTypedPointers) {
  TCefEntryPoints table;
  for (const TCefEntryPointInfo& entry : CefEntryPointGroup(39)) {
    if (std::string(entry.name) == "cef_string_userfree_utf16_free") {
      entry.store(table, reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&UserFreeMarker)));
    }
  }
  EXPECT_EQ(table.cef_string_userfree_utf16_free, &UserFreeMarker);
}
