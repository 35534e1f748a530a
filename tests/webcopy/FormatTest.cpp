// Texts of the progress window: sizes, rates, durations, the file line and the lines after a
// block, with the Italian number format the program uses and with an English one.
#include <gtest/gtest.h>

#include "update/webcopy/ProgressView.h"
#include "update/webcopy/TransferFormat.h"

namespace quirel::webcopy {
namespace {

TFormatSettings Italian() {
  TFormatSettings s;
  s.ThousandSeparator = L'.';
  s.DecimalSeparator = L',';
  return s;
}

TFormatSettings English() {
  TFormatSettings s;
  s.ThousandSeparator = L',';
  s.DecimalSeparator = L'.';
  return s;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const struct {
    double value;
    int64_t rounded;
  } cases[] = {{0.5, 0},   {1.5, 2},      {2.5, 2},      {3.5, 4},   {-0.5, 0},  {-1.5, -2}, {-2.5, -2},
               {2.4999, 2}, {2.5001, 3}, {49.97, 50},   {62.5, 62}, {87.5, 88}, {0, 0},     {1e12 + 0.5, 1000000000000}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
}

TEST(FormatSize, DecimalUnitsInTheGivenNumberFormat) {
  const struct {
    int64_t bytes;
    const wchar_t *italian, *english;
  } cases[] = {
      {0, L"0 bytes", L"0 bytes"},
      {999, L"999 bytes", L"999 bytes"},
      {1000, L"1,00 Kb", L"1.00 Kb"},
      {1005, L"1,01 Kb", L"1.01 Kb"},
      {1499, L"1,50 Kb", L"1.50 Kb"},
      {10000, L"10,00 Kb", L"10.00 Kb"},
      // two decimals of n / 1000, so just below a megabyte shows as 1000 Kb
      {999999, L"1000,00 Kb", L"1000.00 Kb"},
      {1000000, L"1,00 Mb", L"1.00 Mb"},
      {1500000, L"1,50 Mb", L"1.50 Mb"},
      {3000000, L"3,00 Mb", L"3.00 Mb"},
      {123456789, L"123,46 Mb", L"123.46 Mb"},
      {5000000000, L"5000,00 Mb", L"5000.00 Mb"},  // no thousands separator
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatSize(c.bytes, Italian()), c.italian) << c.bytes;
    EXPECT_EQ(FormatSize(c.bytes, English()), c.english) << c.bytes;
    EXPECT_EQ(FormatRate(c.bytes, Italian()), std::wstring(c.italian) + L"/sec") << c.bytes;
    EXPECT_EQ(FormatRate(c.bytes, English()), std::wstring(c.english) + L"/sec") << c.bytes;
  }
}

TEST(FormatSize, UsesTheProcessFormatByDefault) {
  TFormatSettings saved = FormatSettings();
  FormatSettings().DecimalSeparator = L';';
  EXPECT_EQ(FormatSize(1500000), L"1;50 Mb");
  EXPECT_EQ(FormatRate(2500), L"2;50 Kb/sec");
  FormatSettings() = saved;
}

TEST(FormatDuration, SecondsMinutesAndHours) {
  const struct {
    double elapsed;
    int64_t total, received;
    const wchar_t* text;
  } cases[] = {
      {0, 0, 0, L"0 sec."},
      {12400, 0, 0, L"12 sec."},
      {12500, 0, 0, L"12 sec."},  // halves to even
      {13500, 0, 0, L"14 sec."},
      {30000, 0, 0, L"30 sec."},  // 0.5 minutes rounds to 0
      {31000, 0, 0, L"1 minuti."},
      {90000, 0, 0, L"2 minuti."},
      {1800000, 0, 0, L"30 minuti."},  // 0.5 hours rounds to 0
      {1860000, 0, 0, L"0h 31"},
      {7500000, 0, 0, L"2h 5"},
      // the estimate while part has arrived: (total - received) / received * elapsed
      {1000, 3000, 1000, L"2 sec."},
      {1000, 3000000, 1000, L"0h 50"},  // 50 minutes are closer to one hour than to none
      {400, 1000, 999, L"0 sec."},
      // the elapsed time once everything (or more) has arrived, or when nothing has
      {5000, 100, 100, L"5 sec."},
      {5000, 100, 150, L"5 sec."},
      {5000, 100, 0, L"5 sec."},
      {5000, 0, 100, L"5 sec."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatDuration(c.elapsed, c.total, c.received, L"sec", L"minuti"), c.text)
        << c.elapsed << " " << c.total << " " << c.received;
}

TEST(FileLineText, NameServerAndNumbering) {
  const std::wstring url = L"http://127.0.0.1:8080/dl/Setup_2.2.exe";
  const struct {
    int itemCount, fileNum, activeCount;
    std::wstring url, display;
    bool showServer;
    const wchar_t* text;
  } cases[] = {
      {1, 1, 1, url, L"", true, L"File: Setup_2.2.exe da 127.0.0.1:8080"},
      {1, 1, 1, url, L"", false, L"File: Setup_2.2.exe"},
      {2, 2, 2, url, L"", true, L"File: 2 di 2 : Setup_2.2.exe da 127.0.0.1:8080"},
      {3, 1, 2, url, L"", true, L"File: 1 di 2 : Setup_2.2.exe da 127.0.0.1:8080"},
      {1, 1, 1, url, L"Aggiornamento", true, L"File: Aggiornamento da 127.0.0.1:8080"},
      {1, 1, 1, L"https://user:pw@quirel.example:444/a/b.exe", L"", true, L"File: b.exe da quirel.example:444"},
      {1, 1, 1, L"http://host/path@x/file", L"", true, L"File: file da host"},
      {1, 1, 1, L"host/file.exe", L"", true, L"File: file.exe da host"},
      {1, 1, 1, L"http://host/dir/", L"", true, L"File:  da host"},
  };
  for (const auto& c : cases) {
    TFileLine line{L"File:", L"di", L"da", c.itemCount, c.fileNum, c.activeCount, c.url, c.display, c.showServer};
    EXPECT_EQ(FileLineText(line), c.text) << c.url;
  }
}

TProgressLabels ItalianLabels() {
  return {L"Avanzamento:", L"di", L"Velocità di trasferimento:", L"Tempo stimato alla fine:", L"Rimane ancora:",
          L"sec",          L"minuti", L"Aggiornamento Quirel in corso ...", L"completato", true};
}

TEST(ProgressView, HalfOfThreeMegabytes) {
  const TProgressView v = ComputeProgressView(ItalianLabels(), 1500000, 3000000, 999, Italian());
  EXPECT_TRUE(v.TotalKnown);
  EXPECT_EQ(v.Position, 50);
  EXPECT_EQ(v.SizeLine, L"Avanzamento: 1,50 Mb di 3,00 Mb");
  EXPECT_EQ(v.Title, L"Aggiornamento Quirel in corso ... : 50% completato");
  // 1 500 000 bytes in 999 + 1 ms
  EXPECT_EQ(v.RateStr, L"1,50 Mb/sec");
  EXPECT_EQ(v.RateLine, L"Velocità di trasferimento: 1,50 Mb/sec");
  EXPECT_EQ(v.TimeLeftStr, L"1 sec.");
  EXPECT_EQ(v.TimeLine, L"Tempo stimato alla fine: 1 sec.");
  EXPECT_EQ(v.ElapsedTimeStr, L"1 sec.");
  EXPECT_EQ(v.ElapsedLine, L"Rimane ancora: 1 sec.");
}

TEST(ProgressView, UnknownTotal) {
  const TProgressView v = ComputeProgressView(ItalianLabels(), 999, 0, 0, Italian());
  EXPECT_FALSE(v.TotalKnown);
  EXPECT_EQ(v.Position, 0);
  EXPECT_EQ(v.SizeLine, L"Avanzamento: 999 bytes");
  EXPECT_EQ(v.Title, L"Aggiornamento Quirel in corso ... : 0% completato");
  EXPECT_EQ(v.RateStr, L"999,00 Kb/sec");  // 999 bytes in 1 ms
}

TEST(ProgressView, BarPositionRoundsHalvesToEvenAndStopsAtTheEnd) {
  const struct {
    int64_t received, total;
    int position;
  } cases[] = {{5, 8, 62}, {7, 8, 88}, {1, 200, 0}, {3, 200, 2}, {0, 100, 0}, {100, 100, 100}, {150, 100, 100},
               {1499136, 3000000, 50}, {2999999, 3000000, 100}};
  for (const auto& c : cases)
    EXPECT_EQ(ComputeProgressView(ItalianLabels(), c.received, c.total, 10, Italian()).Position, c.position)
        << c.received << "/" << c.total;
}

TEST(ProgressView, TitleOnlyWithCompletion) {
  TProgressLabels labels = ItalianLabels();
  labels.ShowCompletion = false;
  EXPECT_EQ(ComputeProgressView(labels, 10, 20, 10, Italian()).Title, L"");
}

TEST(ProgressView, RateIsReceivedOverElapsedPlusOne) {
  const struct {
    int64_t received;
    uint64_t elapsed;
    const wchar_t* rate;
  } cases[] = {{0, 0, L"0 bytes/sec"}, {1, 1, L"500 bytes/sec"}, {3, 1, L"1,50 Kb/sec"},
               {5, 9, L"500 bytes/sec"}, {2500, 4999, L"500 bytes/sec"}, {10000000, 1999, L"5,00 Mb/sec"}};
  for (const auto& c : cases)
    EXPECT_EQ(ComputeProgressView(ItalianLabels(), c.received, 0, c.elapsed, Italian()).RateStr, c.rate)
        << c.received << " in " << c.elapsed;
}

}  // namespace
}  // namespace quirel::webcopy
