#include "common/LogText.h"

#include <gtest/gtest.h>

#include "common/Encoding.h"

namespace quirel {
namespace {

using Lines = std::vector<std::wstring>;

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  t.wSecond = second;
  t.wMilliseconds = ms;
  return t;
}

TEST(LogStamp, Table) {
  struct Case {
    SYSTEMTIME time;
    const wchar_t* stamp;
  } cases[] = {
      {At(2022, 9, 14, 17, 5, 9, 7), L"2022-09-14 17.05.09.07 --> "},
      {At(2022, 9, 14, 17, 5, 9, 123), L"2022-09-14 17.05.09.123 --> "},
      {At(2022, 9, 14, 17, 5, 9, 40), L"2022-09-14 17.05.09.40 --> "},
      {At(2022, 9, 14, 17, 5, 9, 0), L"2022-09-14 17.05.09.00 --> "},
      {At(2001, 1, 2, 23, 59, 58, 999), L"2001-01-02 23.59.58.999 --> "},
      {At(2030, 12, 31, 0, 0, 0, 1), L"2030-12-31 00.00.00.01 --> "},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatLogStamp(c.time), c.stamp);
}

TEST(SplitLines, Table) {
  struct Case {
    const wchar_t* text;
    Lines lines;
  } cases[] = {
      {L"a\r\nb\nc\rd", {L"a", L"b", L"c", L"d"}},  // every kind of break ends a line
      {L"a\r\nb\r\n", {L"a", L"b"}},                // a final break adds no empty line
      {L"a\n", {L"a"}},
      {L"a", {L"a"}},
      {L"a\r\n\r\nb", {L"a", L"", L"b"}},
      {L"\r\n", {L""}},
      {L"a\n\rb", {L"a", L"", L"b"}},  // LF then CR is two breaks
      {L"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(JoinLines, EveryLineEndsWithCrLf) {
  EXPECT_EQ(JoinLines({L"a", L"", L"b"}), L"a\r\n\r\nb\r\n");
  EXPECT_EQ(JoinLines({}), L"");
  EXPECT_EQ(LinesTextLength({L"a", L"", L"bcd"}), 10u);
  EXPECT_EQ(LinesTextLength({}), 0u);
}

TEST(DecodeText, ByteOrderMarks) {
  DecodedText utf8 = DecodeText("\xEF\xBB\xBF" "caf\xC3\xA8");
  EXPECT_EQ(utf8.encoding, TextEncoding::Utf8);
  EXPECT_EQ(utf8.text, L"caf\u00E8");

  DecodedText le = DecodeText(std::string("\xFF\xFE" "a\0\xE8\0", 6));
  EXPECT_EQ(le.encoding, TextEncoding::Utf16LE);
  EXPECT_EQ(le.text, L"a\u00E8");

  DecodedText be = DecodeText(std::string("\xFE\xFF\0a\x20\xAC", 6));
  EXPECT_EQ(be.encoding, TextEncoding::Utf16BE);
  EXPECT_EQ(be.text, L"a\u20AC");
}

TEST(DecodeText, NoMarkMeansAnsi) {
  DecodedText plain = DecodeText("line\r\n");
  EXPECT_EQ(plain.encoding, TextEncoding::Ansi);
  EXPECT_EQ(plain.text, L"line\r\n");

  const std::wstring accented = L"perch\u00E9";
  DecodedText ansi = DecodeText(WideToAnsi(accented));
  EXPECT_EQ(ansi.encoding, TextEncoding::Ansi);
  EXPECT_EQ(ansi.text, AnsiToWide(WideToAnsi(accented)));

  EXPECT_EQ(DecodeText("").encoding, TextEncoding::Ansi);
  EXPECT_EQ(DecodeText("").text, L"");
}

TEST(DecodeText, MarkOnlyIsEmptyText) {
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF").text, L"");
  EXPECT_EQ(DecodeText("\xFF\xFE").text, L"");
  EXPECT_EQ(DecodeText(std::string("\xFF\xFE" "a\0b", 5)).text, L"a");  // odd last byte dropped
}

TEST(EncodeText, WritesTheMarkOfItsEncoding) {
  EXPECT_EQ(EncodeText(L"\u00E8", TextEncoding::Utf8), "\xEF\xBB\xBF\xC3\xA8");
  EXPECT_EQ(EncodeText(L"a\u20AC", TextEncoding::Utf16LE), std::string("\xFF\xFE" "a\0\xAC\x20", 6));
  EXPECT_EQ(EncodeText(L"a\u20AC", TextEncoding::Utf16BE), std::string("\xFE\xFF\0a\x20\xAC", 6));
  EXPECT_EQ(EncodeText(L"abc\r\n", TextEncoding::Ansi), "abc\r\n");
}

TEST(EncodeText, RoundTripsThroughDecode) {
  const std::wstring text = L"x\u00E8\u20AC\U0001F600\r\n";
  for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    DecodedText back = DecodeText(EncodeText(text, e));
    EXPECT_EQ(back.encoding, e);
    EXPECT_EQ(back.text, text);
  }
}

TEST(AppendLogEntry, AddsOneStampedEntry) {
  Lines lines{L"old"};
  AppendLogEntry(lines, L"hello", At(2022, 9, 14, 17, 5, 9, 7));
  EXPECT_EQ(lines, (Lines{L"old", L"2022-09-14 17.05.09.07 --> hello"}));
}

TEST(AppendLogEntry, TextWithBreaksIsOneEntryWhoseLaterLinesHaveNoStamp) {
  Lines lines;
  AppendLogEntry(lines, L"first\r\nsecond", At(2022, 9, 14, 17, 5, 9, 7));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(SplitLines(JoinLines(lines)), (Lines{L"2022-09-14 17.05.09.07 --> first", L"second"}));
}

Lines LinesOfLength(std::size_t total) {
  // lines of 1022 characters + CR LF = 1024 code units each, then one shorter line
  Lines lines(total / 1024, std::wstring(1022, L'x'));
  if (const std::size_t rest = total % 1024) lines.push_back(std::wstring(rest - 2, L'y'));
  return lines;
}

TEST(AppendLogEntry, TextOfExactlyTheLimitIsKept) {
  Lines lines = LinesOfLength(kLogRestartLength);
  ASSERT_EQ(LinesTextLength(lines), 1024000u);
  const std::size_t before = lines.size();
  AppendLogEntry(lines, L"new", At(2022, 1, 1, 0, 0, 0, 0));
  EXPECT_EQ(lines.size(), before + 1);
}

TEST(AppendLogEntry, TextOneUnitOverTheLimitRestarts) {
  Lines lines = LinesOfLength(kLogRestartLength);
  lines.back() += L"z";
  ASSERT_EQ(LinesTextLength(lines), 1024001u);
  AppendLogEntry(lines, L"new", At(2022, 1, 1, 0, 0, 0, 0));
  EXPECT_EQ(lines, (Lines{L"2022-01-01 00.00.00.00 --> new"}));
}

}  // namespace
}  // namespace quirel
