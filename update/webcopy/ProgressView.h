// What the progress window shows: the file line of an item and the lines after each block.
#pragma once

#include <cstdint>
#include <string>

#include "common/FormatSettings.h"

namespace quirel::webcopy {

struct TFileLine {
  std::wstring FileLabel;
  std::wstring FileOfLabel;
  std::wstring FromServerLabel;
  int ItemCount = 0;    // all items, active or not
  int FileNum = 0;      // running number of the active item
  int ActiveCount = 0;  // active items
  std::wstring URL;
  std::wstring DisplayURL;
  bool ShowServer = true;
};

// "File : 2 of 3 : setup.exe from host:port"; the numbering only with two or more items.
std::wstring FileLineText(const TFileLine& line);

struct TProgressLabels {
  std::wstring ProgressLabel;
  std::wstring FileOfLabel;
  std::wstring RateLabel;
  std::wstring TimeLabel;
  std::wstring ElapsedTimeLabel;
  std::wstring TimeSec;
  std::wstring TimeMin;
  std::wstring Dwnload;
  std::wstring Completed;
  bool ShowCompletion = false;
};

struct TProgressView {
  bool TotalKnown = false;
  int Position = 0;  // 0 to 100; 0 while the total is unknown
  std::wstring SizeLine;
  std::wstring Title;  // empty: the title stays as it is
  std::wstring RateStr;
  std::wstring RateLine;
  std::wstring TimeLeftStr;
  std::wstring TimeLine;
  std::wstring ElapsedTimeStr;
  std::wstring ElapsedLine;
};

// The window after a block: `received` of `total` bytes (0: unknown) in `elapsedMs`.
TProgressView ComputeProgressView(const TProgressLabels& labels, int64_t received, int64_t total,
                                  uint64_t elapsedMs, const TFormatSettings& settings = FormatSettings());

}  // namespace quirel::webcopy
