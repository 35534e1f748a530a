#include "update/webcopy/ProgressView.h"

#include <algorithm>

#include "update/webcopy/TransferFormat.h"
#include "update/webcopy/TransferNames.h"

namespace quirel::webcopy {

std::wstring FileLineText(const TFileLine& line) {
  std::wstring prefix;
  if (line.ItemCount >= 2)
    prefix = std::to_wstring(line.FileNum) + L" " + line.FileOfLabel + L" " + std::to_wstring(line.ActiveCount) + L" : ";
  const std::wstring shown = line.DisplayURL.empty() ? UrlFileName(line.URL) : line.DisplayURL;
  std::wstring text = line.FileLabel + L" " + prefix + shown;
  if (line.ShowServer) text += L" " + line.FromServerLabel + L" " + UrlServer(line.URL);
  return text;
}

TProgressView ComputeProgressView(const TProgressLabels& labels, int64_t received, int64_t total,
                                  uint64_t elapsedMs, const TFormatSettings& settings) {
  TProgressView view;
  view.TotalKnown = total > 0;
  if (view.TotalKnown) {
    // The bar cannot go past its end: an expected size may be smaller than what arrives.
    const int64_t percent = RoundHalfEven(static_cast<double>(received) / static_cast<double>(total) * 100);
    view.Position = static_cast<int>(std::clamp<int64_t>(percent, 0, 100));
    view.SizeLine = labels.ProgressLabel + L" " + FormatSize(received, settings) + L" " + labels.FileOfLabel +
                    L" " + FormatSize(total, settings);
  } else {
    view.SizeLine = labels.ProgressLabel + L" " + FormatSize(received, settings);
  }
  if (labels.ShowCompletion)
    view.Title = labels.Dwnload + L" : " + std::to_wstring(view.Position) + L"% " + labels.Completed;

  const double elapsed = static_cast<double>(elapsedMs);
  const int64_t rate = RoundHalfEven(static_cast<double>(received) / (elapsed + 1) * 1000);
  view.RateStr = FormatRate(rate, settings);
  view.RateLine = labels.RateLabel + L" " + view.RateStr;
  view.TimeLeftStr = FormatDuration(elapsed, total, received, labels.TimeSec, labels.TimeMin);
  view.TimeLine = labels.TimeLabel + L" " + view.TimeLeftStr;
  view.ElapsedTimeStr = FormatDuration(elapsed, 0, 0, labels.TimeSec, labels.TimeMin);
  view.ElapsedLine = labels.ElapsedTimeLabel + L" " + view.ElapsedTimeStr;
  return view;
}

}  // namespace quirel::webcopy
