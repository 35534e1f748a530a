// The engine's string functions, called in this process.
#include <gtest/gtest.h>

#include <string>

#include "EngineFiles.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/cef_capi.h"

namespace standin_test {
namespace {

class StandinStrings : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadEngineHere()); }
};

cef_string_utf16_t Borrow(const std::wstring& text) {
  return {const_cast<char16*>(text.data()), text.size(), nullptr};
}

TEST_F(StandinStrings, SetCopiesOrBorrows) {
  const std::wstring text = L"copied";
  cef_string_utf16_t copy{};
  ASSERT_EQ(g_cef.cef_string_utf16_set(text.data(), text.size(), &copy, 1), 1);
  EXPECT_NE(copy.str, text.data());
  EXPECT_EQ(std::wstring(copy.str, copy.length), text);
  EXPECT_EQ(copy.str[copy.length], L'\0');
  EXPECT_NE(copy.dtor, nullptr);

  cef_string_utf16_t borrowed{};
  ASSERT_EQ(g_cef.cef_string_utf16_set(text.data(), text.size(), &borrowed, 0), 1);
  EXPECT_EQ(borrowed.str, text.data());
  EXPECT_EQ(borrowed.dtor, nullptr);

  // Setting again frees what was there; clearing empties.
  ASSERT_EQ(g_cef.cef_string_utf16_set(L"x", 1, &copy, 1), 1);
  EXPECT_EQ(std::wstring(copy.str, copy.length), L"x");
  g_cef.cef_string_utf16_clear(&copy);
  EXPECT_EQ(copy.str, nullptr);
  EXPECT_EQ(copy.length, 0u);
  EXPECT_EQ(copy.dtor, nullptr);
  g_cef.cef_string_utf16_clear(&borrowed);  // borrowed: nothing freed
  EXPECT_EQ(borrowed.str, nullptr);
}

TEST_F(StandinStrings, Compare) {
  const struct {
    std::wstring a, b;
    int utf16;  // sign
    int wide;   // stops at NUL
  } cases[] = {
      {L"", L"", 0, 0},
      {L"a", L"b", -1, -1},
      {L"b", L"a", 1, 1},
      {L"ab", L"a", 1, 1},
      {L"a", L"ab", -1, -1},
      {L"\u00e9", L"z", 1, 1},  // code units, not collation
      {std::wstring(L"a\0b", 3), std::wstring(L"a\0c", 3), -1, 0},
  };
  const auto sign = [](int v) { return (v > 0) - (v < 0); };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    cef_string_utf16_t a = Borrow(c.a), b = Borrow(c.b);
    EXPECT_EQ(sign(g_cef.cef_string_utf16_cmp(&a, &b)), c.utf16);
    cef_string_wide_t wa{const_cast<wchar_t*>(c.a.data()), c.a.size(), nullptr};
    cef_string_wide_t wb{const_cast<wchar_t*>(c.b.data()), c.b.size(), nullptr};
    EXPECT_EQ(sign(g_cef.cef_string_wide_cmp(&wa, &wb)), c.wide);
  }
  const std::string x = "abc", y = "abd";
  cef_string_utf8_t ux{const_cast<char*>(x.data()), x.size(), nullptr};
  cef_string_utf8_t uy{const_cast<char*>(y.data()), y.size(), nullptr};
  EXPECT_LT(g_cef.cef_string_utf8_cmp(&ux, &uy), 0);
}

TEST_F(StandinStrings, Utf8Conversions) {
  const struct {
    std::wstring utf16;
    std::string utf8;
    int valid;
  } to_utf8[] = {
      {L"plain", "plain", 1},
      {L"\u00e8\u20ac\U0001F600", "\xc3\xa8\xe2\x82\xac\xf0\x9f\x98\x80", 1},
      {std::wstring(1, wchar_t(0xD800)) + L"x", "\xef\xbf\xbdx", 0},  // lone surrogate
  };
  for (const auto& c : to_utf8) {
    cef_string_utf8_t out{};
    EXPECT_EQ(g_cef.cef_string_utf16_to_utf8(c.utf16.data(), c.utf16.size(), &out), c.valid);
    EXPECT_EQ(std::string(out.str ? out.str : "", out.length), c.utf8);
    g_cef.cef_string_utf8_clear(&out);
  }
  const struct {
    std::string utf8;
    std::wstring utf16;
    int valid;
  } from_utf8[] = {
      {"\xc3\xa8\xe2\x82\xac\xf0\x9f\x98\x80", L"\u00e8\u20ac\U0001F600", 1},
      {"a\xc3", L"a\uFFFD", 0},                    // cut short
      {"\xed\xa0\x80", L"\uFFFD\uFFFD\uFFFD", 0},  // an encoded surrogate
      {"\xff"
       "b",
       L"\uFFFDb", 0},
  };
  for (const auto& c : from_utf8) {
    cef_string_utf16_t out{};
    EXPECT_EQ(g_cef.cef_string_utf8_to_utf16(c.utf8.data(), c.utf8.size(), &out), c.valid);
    EXPECT_EQ(std::wstring(out.str ? out.str : L"", out.length), c.utf16);
    g_cef.cef_string_utf16_clear(&out);
    cef_string_wide_t wide{};
    EXPECT_EQ(g_cef.cef_string_utf8_to_wide(c.utf8.data(), c.utf8.size(), &wide), c.valid);
    EXPECT_EQ(std::wstring(wide.str ? wide.str : L"", wide.length), c.utf16);
    g_cef.cef_string_wide_clear(&wide);
  }
}

TEST_F(StandinStrings, AsciiCaseAndUserFree) {
  cef_string_utf16_t out{};
  EXPECT_EQ(g_cef.cef_string_ascii_to_utf16("abc", 3, &out), 1);
  EXPECT_EQ(std::wstring(out.str, out.length), L"abc");
  EXPECT_EQ(g_cef.cef_string_utf16_to_lower(L"\u00c0Bc", 3, &out), 1);
  EXPECT_EQ(std::wstring(out.str, out.length), L"\u00e0bc");
  EXPECT_EQ(g_cef.cef_string_utf16_to_upper(L"\u00e0Bc", 3, &out), 1);
  EXPECT_EQ(std::wstring(out.str, out.length), L"\u00c0BC");
  g_cef.cef_string_utf16_clear(&out);

  cef_string_userfree_utf16_t free_me = g_cef.cef_string_userfree_utf16_alloc();
  ASSERT_NE(free_me, nullptr);
  EXPECT_EQ(free_me->str, nullptr);
  EXPECT_EQ(free_me->length, 0u);
  g_cef.cef_string_utf16_set(L"held", 4, free_me, 1);
  g_cef.cef_string_userfree_utf16_free(free_me);
  g_cef.cef_string_userfree_utf16_free(nullptr);
}

}  // namespace
}  // namespace standin_test
