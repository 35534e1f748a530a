// A browser's session history: the entries it went through and where it
// stands. A new navigation drops the entries ahead of the current one.
#pragma once

#include <string>
#include <vector>

namespace quirel::standin {

class History {
 public:
  // Where a navigation goes in the history once it commits.
  enum class Move { kNew, kBack, kForward, kReload };

  bool CanGoBack() const { return current_ > 0; }
  bool CanGoForward() const { return current_ + 1 < static_cast<int>(entries_.size()); }
  // The address a move leads to; "" when there is none that way.
  std::wstring Target(Move move) const;
  // Records a committed navigation to `url` reached by `move`.
  void Commit(Move move, const std::wstring& url);
  std::wstring Current() const;
  int size() const { return static_cast<int>(entries_.size()); }

 private:
  std::vector<std::wstring> entries_;
  int current_ = -1;
};

}  // namespace quirel::standin
