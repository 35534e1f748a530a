#include "common/Encoding.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace quirel {
namespace {

TEST(Encoding, Utf8BothWays) {
  EXPECT_EQ(Utf8ToWide("caf\xC3\xA8 \xE2\x82\xAC \xF0\x9F\x98\x80"), L"caf\u00E8 \u20AC \U0001F600");
  EXPECT_EQ(WideToUtf8(L"caf\u00E8 \u20AC \U0001F600"), "caf\xC3\xA8 \xE2\x82\xAC \xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8ToWide(""), L"");
  EXPECT_EQ(WideToUtf8(L""), "");
  EXPECT_EQ(WideToUtf8(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
}

TEST(Encoding, AnsiUsesTheSystemCodePage) {
  EXPECT_EQ(WideToAnsi(L"plain ascii"), "plain ascii");
  EXPECT_EQ(AnsiToWide("plain ascii"), L"plain ascii");
  char expected[8] = {};
  BOOL unused = FALSE;
  WideCharToMultiByte(CP_ACP, 0, L"\u00E8", 1, expected, 8, nullptr, &unused);
  EXPECT_EQ(WideToAnsi(L"\u00E8"), std::string(expected));
}

TEST(Encoding, LowerCase) {
  EXPECT_EQ(LowerCase(L"QuIREL \u00C9"), L"quirel \u00E9");
  EXPECT_EQ(LowerCase(L""), L"");
}

}  // namespace
}  // namespace quirel
