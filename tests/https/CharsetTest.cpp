#include <gtest/gtest.h>

#include <string>

#include "update/https/Charset.h"

namespace quirel::update {
namespace {

TEST(Charset, WhichCharsetApplies) {
  const std::pair<const char*, const char*> cases[] = {
      {"text/plain; charset=utf-8", "utf-8"},
      {"text/html;charset=\"UTF-8\"", "utf-8"},
      {"Text/Plain ; Charset = Windows-1252 ; format=flowed", "windows-1252"},
      {"application/json; charset=utf-8", "utf-8"},
      {"text/plain; format=flowed; charset=us-ascii", "us-ascii"},
      {"text/plain", "iso-8859-1"},
      {"TEXT/HTML", "iso-8859-1"},
      {"text/plain; charset=", "iso-8859-1"},
      {"text/plain; charset=\"\"", "iso-8859-1"},
      {"text/xml", "us-ascii"},
      {"text/svg+xml", "us-ascii"},
      {"text/xml; charset=utf-8", "utf-8"},
      {"text/xmlish", "iso-8859-1"},
      {"application/xml", ""},
      {"application/octet-stream", ""},
      {"", ""},
      {"text", ""},
  };
  for (const auto& [contentType, charset] : cases) {
    SCOPED_TRACE(contentType);
    EXPECT_EQ(EffectiveCharset(contentType), charset);
  }
}

struct DecodeCase {
  const char* contentType;
  std::string body;
  std::wstring text;
};

TEST(Charset, DecodesByTheCharset) {
  const DecodeCase cases[] = {
      {"text/plain; charset=utf-8", "caf\xC3\xA8 \xE2\x82\xAC", L"caf\u00E8 \u20AC"},
      {"text/plain; charset=UTF8", "\xF0\x9F\x98\x80", L"\U0001F600"},
      {"text/plain; charset=utf-8",
       "a\xFF"
       "b",
       L"a\uFFFD"
       "b"},
      {"text/plain", "caf\xE8 \x80", L"caf\u00E8 \u0080"},
      {"text/plain", "caf\xC3\xA8", L"caf\u00C3\u00A8"},
      {"text/plain; charset=iso-8859-1", "\xA4\xFF", L"\u00A4\u00FF"},
      {"text/plain; charset=latin1", "\xE8", L"\u00E8"},
      {"text/xml", "caf\xE8", L"caf\uFFFD"},
      {"text/plain; charset=us-ascii", "SI\x80", L"SI\uFFFD"},
      {"text/plain; charset=windows-1252", "\x80\x93\xE8", L"\u20AC\u201C\u00E8"},
      {"text/plain; charset=cp1252", "\x80", L"\u20AC"},
      {"text/plain; charset=iso-8859-15", "\xA4", L"\u20AC"},
      {"text/plain; charset=utf-16le", std::string("S\0I\0", 4), L"SI"},
      {"text/plain; charset=utf-16", std::string("\xFF\xFES\0I\0", 6), L"SI"},
      {"text/plain; charset=utf-16", std::string("\0S\0I", 4), L"SI"},
      {"application/octet-stream", std::string("\0\x80\xFF", 3),
       std::wstring(L"\u0000\u0080\u00FF", 3)},
      {"", "SI\r\n\xE8", L"SI\r\n\u00E8"},
      {"text/plain; charset=no-such-charset", "SI\xE8", L"SI\u00E8"},
      {"text/plain; charset=windows-99999", "SI\xE8", L"SI\u00E8"},
      {"text/plain; charset=utf-8", "", L""},
      {"text/plain; charset=utf-8", "\xEF\xBB\xBFSI", L"\uFEFFSI"},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.contentType << " / " << testing::PrintToString(c.body));
    EXPECT_EQ(DecodeResponseText(c.body, c.contentType), c.text);
  }
}

}  // namespace
}  // namespace quirel::update
