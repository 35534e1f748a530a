#include "common/FormatSettings.h"

#include <windows.h>

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace quirel {
namespace {

// The formats the program installs for itself.
TFormatSettings ProgramFormats() {
  TFormatSettings s;
  s.DateSeparator = L'/';
  s.TimeSeparator = L':';
  s.ShortDateFormat = L"dd/mm/yyyy";
  s.LongDateFormat = L"dd/mm/yyyy hh:nn";
  s.ShortTimeFormat = L"hh:nn";
  s.LongTimeFormat = L"hh:nn:ss";
  s.ThousandSeparator = L'.';
  s.DecimalSeparator = L',';
  s.CurrencyDecimals = 2;
  s.CurrencyString = L"\u20AC";
  return s;
}

TFormatSettings English() {
  TFormatSettings s;
  s.ThousandSeparator = L',';
  s.DecimalSeparator = L'.';
  return s;
}

TEST(FormatNumber, Table) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    int decimals;
    bool thousands;
    const wchar_t *italian, *english;
  } cases[] = {
      {1000.5, 2, true, L"1.000,50", L"1,000.50"},
      {1000.5, 2, false, L"1000,50", L"1000.50"},
      {1234567.891, 2, true, L"1.234.567,89", L"1,234,567.89"},
      {999, 0, true, L"999", L"999"},
      {100000, 0, true, L"100.000", L"100,000"},
      {-1234.5, 1, true, L"-1.234,5", L"-1,234.5"},
      {0.5, 2, true, L"0,50", L"0.50"},
      {0, 2, false, L"0,00", L"0.00"},
      {42, 0, false, L"42", L"42"},
      {0.001, 3, false, L"0,001", L"0.001"},
      // halves away from zero, on the value as written in decimal
      {0.125, 2, false, L"0,13", L"0.13"},
      {1.005, 2, false, L"1,01", L"1.01"},  // 1005 bytes shown in Kb
      {2.5, 0, false, L"3", L"3"},
      {-2.5, 0, false, L"-3", L"-3"},
      {0.6, 0, false, L"1", L"1"},
      {0.004, 2, false, L"0,00", L"0.00"},
      {0.005, 2, false, L"0,01", L"0.01"},
      {999.995, 2, false, L"1000,00", L"1000.00"},
      {999999.995, 2, true, L"1.000.000,00", L"1,000,000.00"},
      {1.2344, 3, false, L"1,234", L"1.234"},
      // a zero result has no sign
      {-0.0, 2, false, L"0,00", L"0.00"},
      {-0.001, 2, false, L"0,00", L"0.00"},
      {-0.009, 2, false, L"-0,01", L"-0.01"},
      // large and special values
      {123456789012.0, 2, false, L"123456789012,00", L"123456789012.00"},
      {1e20, 0, true, L"100.000.000.000.000.000.000", L"100,000,000,000,000,000,000"},
      {nan, 2, true, L"NAN", L"NAN"},
      {inf, 2, true, L"INF", L"INF"},
      {-inf, 2, true, L"-INF", L"-INF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " with " << c.decimals << " decimals");
    EXPECT_EQ(FormatNumber(c.value, c.decimals, c.thousands, ProgramFormats()), c.italian);
    EXPECT_EQ(FormatNumber(c.value, c.decimals, c.thousands, English()), c.english);
  }
}

TEST(FormatSettings, IsOneProcessWideObjectUsedByDefault) {
  TFormatSettings& settings = FormatSettings();
  EXPECT_EQ(&settings, &FormatSettings());
  const TFormatSettings saved = settings;
  settings = ProgramFormats();
  EXPECT_EQ(FormatNumber(1000.5, 2, true), L"1.000,50");
  settings = English();
  EXPECT_EQ(FormatNumber(1000.5, 2, true), L"1,000.50");
  settings = saved;
}

wchar_t LocaleFirstChar(LCTYPE type) {
  wchar_t buf[16] = {};
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buf, 16);
  return buf[0];
}

TEST(UserLocaleFormatSettings, FollowsTheRegionalSettings) {
  const TFormatSettings s = UserLocaleFormatSettings();
  EXPECT_EQ(s.DecimalSeparator, LocaleFirstChar(LOCALE_SDECIMAL));
  EXPECT_EQ(s.ThousandSeparator, LocaleFirstChar(LOCALE_STHOUSAND));
  EXPECT_EQ(s.DateSeparator, LocaleFirstChar(LOCALE_SDATE));
  EXPECT_EQ(s.TimeSeparator, LocaleFirstChar(LOCALE_STIME));
  ASSERT_FALSE(s.ShortDateFormat.empty());
  EXPECT_FALSE(s.LongDateFormat.empty());
  for (wchar_t c : s.ShortDateFormat) EXPECT_FALSE(c >= L'A' && c <= L'Z') << "untranslated letter";
  EXPECT_NE(s.ShortDateFormat.find(L'y'), std::wstring::npos) << s.ShortDateFormat.size();
  EXPECT_NE(s.ShortTimeFormat.find(L"nn"), std::wstring::npos);
  EXPECT_NE(s.LongTimeFormat.find(L"nn:ss"), std::wstring::npos);
  EXPECT_FALSE(s.CurrencyString.empty());
  EXPECT_EQ(FormatSettings(), s) << "the process starts with the user's formats";
}

}  // namespace
}  // namespace quirel
