#include "engine/capi/CefString.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

// Counts array deletions, to see that an owned string's buffer is really freed.
namespace {
int g_array_deletes = 0;
}
void operator delete[](void* p) noexcept {
  ++g_array_deletes;
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept { operator delete[](p); }
void* operator new[](std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

namespace {

const std::wstring kTexts[] = {
    L"",
    L"a",
    L"https://example.test/path?q=1",
    L"Gr\u00FC\u00DFe, citt\u00E0",
    L"\U0001F600 and \U00010348",  // outside the BMP: surrogate pairs
    std::wstring(L"nul\0inside", 10),
};

// A string as the engine fills it: its own buffer and its own dtor.
std::vector<char16*> g_engine_freed;
void CEF_CDECL EngineFree(char16* str) {
  g_engine_freed.push_back(str);
  delete[] str;
}
void EngineFill(cef_string_t* out, const std::wstring& text) {
  auto* buffer = new char16[text.size() + 1]();
  text.copy(buffer, text.size());
  *out = {buffer, text.size(), &EngineFree};
}

}  // namespace

TEST(CefString, ReadsNullAndEmptyAsEmpty) {
  char16 text[] = L"abc";
  const cef_string_t cases[] = {
      {nullptr, 0, nullptr},
      {nullptr, 5, nullptr},  // a length without a buffer is still nothing
      {text, 0, nullptr},
  };
  EXPECT_EQ(CefToWString(nullptr), L"");
  for (const cef_string_t& s : cases) EXPECT_EQ(CefToWString(&s), L"");
  const cef_string_t prefix{text, 2, nullptr};
  EXPECT_EQ(CefToWString(&prefix), L"ab");  // the length counts, not a terminator
}

TEST(CefString, ArgumentIsBorrowedAndRoundTrips) {
  for (const std::wstring& text : kTexts) {
    SCOPED_TRACE(testing::PrintToString(text));
    CefStringArg arg(text);
    const cef_string_t* s = arg;
    EXPECT_EQ(s->length, text.size());
    EXPECT_EQ(s->dtor, nullptr);
    EXPECT_EQ(CefToWString(s), text);
  }
  CefStringArg pair(L"\U0001F600");
  EXPECT_EQ(pair.get()->length, 2u);
  EXPECT_EQ(pair.get()->str[0], 0xD83D);
  EXPECT_EQ(pair.get()->str[1], 0xDE00);
}

TEST(CefString, OwnedFieldRoundTripsAndIsFreedWhenCleared) {
  for (const std::wstring& text : kTexts) {
    SCOPED_TRACE(testing::PrintToString(text));
    cef_string_t field{};
    CefStringSet(field, text);
    ASSERT_NE(field.str, nullptr);
    ASSERT_NE(field.dtor, nullptr);
    EXPECT_EQ(field.length, text.size());
    EXPECT_EQ(field.str[text.size()], L'\0');
    EXPECT_EQ(CefToWString(&field), text);

    const int deletes_before = g_array_deletes;
    CefStringClear(field);
    EXPECT_EQ(g_array_deletes - deletes_before, 1);
    EXPECT_EQ(field.str, nullptr);
    EXPECT_EQ(field.length, 0u);
    EXPECT_EQ(field.dtor, nullptr);
    CefStringClear(field);  // clearing twice is harmless
    EXPECT_EQ(g_array_deletes - deletes_before, 1);
  }
}

TEST(CefString, SettingAFieldFreesWhatItHeldThroughItsOwnDtor) {
  g_engine_freed.clear();
  cef_string_t field{};
  EngineFill(&field, L"old");
  char16* old_buffer = field.str;
  CefStringSet(field, L"new");
  ASSERT_EQ(g_engine_freed.size(), 1u);
  EXPECT_EQ(g_engine_freed[0], old_buffer);
  EXPECT_EQ(CefToWString(&field), L"new");

  // Setting a field from its own text must not read freed memory.
  CefStringSet(field, std::wstring_view(field.str, field.length));
  EXPECT_EQ(CefToWString(&field), L"new");
  CefStringClear(field);
  EXPECT_EQ(g_engine_freed.size(), 1u);  // ours were freed by our dtor, not the engine's
}

TEST(CefString, ClearingABorrowedStringFreesNothing) {
  char16 text[] = L"borrowed";
  cef_string_t field{text, 8, nullptr};
  const int deletes_before = g_array_deletes;
  CefStringClear(field);
  EXPECT_EQ(g_array_deletes, deletes_before);
  EXPECT_EQ(field.str, nullptr);
  EXPECT_EQ(field.length, 0u);
}

TEST(CefString, OutParameterIsFreedByTheEngineDtorOnScopeExit) {
  g_engine_freed.clear();
  char16* buffer = nullptr;
  {
    CefStringOut out;
    EXPECT_EQ(out.str(), L"");
    EngineFill(out.get(), L"C:\\temp \U0001F600");
    buffer = out.get()->str;
    EXPECT_EQ(out.str(), L"C:\\temp \U0001F600");
    EXPECT_TRUE(g_engine_freed.empty());
  }
  ASSERT_EQ(g_engine_freed.size(), 1u);
  EXPECT_EQ(g_engine_freed[0], buffer);
}

namespace {

// The library's side of cef_string_userfree_t, installed in the entry-point table.
std::vector<cef_string_userfree_t> g_userfree_freed;
void CEF_CDECL UserFreeFree(cef_string_userfree_t str) {
  g_userfree_freed.push_back(str);
  if (str->dtor) str->dtor(str->str);
  delete str;
}
cef_string_userfree_t UserFreeAlloc(const std::wstring& text) {
  auto* result = new cef_string_utf16_t{};
  EngineFill(result, text);
  return result;
}

class UserFreeTable : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = g_cef.cef_string_userfree_utf16_free;
    g_cef.cef_string_userfree_utf16_free = &UserFreeFree;
    g_userfree_freed.clear();
  }
  void TearDown() override { g_cef.cef_string_userfree_utf16_free = saved_; }

 private:
  cef_string_userfree_utf16_free_fn saved_ = nullptr;
};

}  // namespace

TEST_F(UserFreeTable, ResultIsFreedOnceByTheLibrary) {
  cef_string_userfree_t raw = UserFreeAlloc(L"image/png \U0001F600");
  {
    CefUserFreeString result(raw);
    EXPECT_EQ(result.str(), L"image/png \U0001F600");
    EXPECT_TRUE(g_userfree_freed.empty());
  }
  ASSERT_EQ(g_userfree_freed.size(), 1u);
  EXPECT_EQ(g_userfree_freed[0], raw);
}

TEST_F(UserFreeTable, MovesKeepASingleOwner) {
  cef_string_userfree_t first = UserFreeAlloc(L"first");
  cef_string_userfree_t second = UserFreeAlloc(L"second");
  {
    CefUserFreeString a(first);
    CefUserFreeString b(std::move(a));
    EXPECT_EQ(a.get(), nullptr);
    EXPECT_EQ(b.str(), L"first");
    CefUserFreeString c(second);
    c = std::move(b);  // `second` goes now
    ASSERT_EQ(g_userfree_freed.size(), 1u);
    EXPECT_EQ(g_userfree_freed[0], second);
    EXPECT_EQ(c.str(), L"first");
  }
  ASSERT_EQ(g_userfree_freed.size(), 2u);
  EXPECT_EQ(g_userfree_freed[1], first);
}

TEST_F(UserFreeTable, NullResultIsEmptyAndFreesNothing) {
  {
    CefUserFreeString result(nullptr);
    EXPECT_EQ(result.str(), L"");
  }
  EXPECT_TRUE(g_userfree_freed.empty());
}
