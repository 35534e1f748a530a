#include "standin/browser/History.h"

namespace quirel::standin {

std::wstring History::Target(Move move) const {
  switch (move) {
    case Move::kBack:
      return CanGoBack() ? entries_[current_ - 1] : L"";
    case Move::kForward:
      return CanGoForward() ? entries_[current_ + 1] : L"";
    case Move::kReload:
      return Current();
    case Move::kNew:
      break;
  }
  return L"";
}

void History::Commit(Move move, const std::wstring& url) {
  switch (move) {
    case Move::kBack:
      if (CanGoBack()) --current_;
      break;
    case Move::kForward:
      if (CanGoForward()) ++current_;
      break;
    case Move::kReload:
      if (current_ < 0) Commit(Move::kNew, url);
      break;
    case Move::kNew:
      entries_.resize(static_cast<size_t>(current_ + 1));
      entries_.push_back(url);
      ++current_;
      return;
  }
  // A redirect may have moved the entry's address.
  if (current_ >= 0) entries_[current_] = url;
}

std::wstring History::Current() const { return current_ >= 0 ? entries_[current_] : L""; }

}  // namespace quirel::standin
