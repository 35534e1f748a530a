#include "update/webcopy/WebCopyItems.h"

#include <algorithm>

#include "common/Errors.h"

namespace quirel::webcopy {

TWebCopyItems::TWebCopyItems(const TWebCopyItems& other) {
  items_.reserve(other.items_.size());
  for (const auto& item : other.items_) items_.push_back(std::make_unique<TWebCopyItem>(*item));
}

TWebCopyItems& TWebCopyItems::operator=(const TWebCopyItems& other) {
  if (this != &other) *this = TWebCopyItems(other);
  return *this;
}

void TWebCopyItems::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit)
    throw Exception(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

TWebCopyItem& TWebCopyItems::Add() { return *items_.emplace_back(std::make_unique<TWebCopyItem>()); }

TWebCopyItem& TWebCopyItems::Insert(int index) {
  CheckIndex(index, Count() + 1);
  return **items_.insert(items_.begin() + index, std::make_unique<TWebCopyItem>());
}

TWebCopyItem& TWebCopyItems::GetItem(int index) {
  CheckIndex(index, Count());
  return *items_[static_cast<size_t>(index)];
}

const TWebCopyItem& TWebCopyItems::GetItem(int index) const {
  CheckIndex(index, Count());
  return *items_[static_cast<size_t>(index)];
}

void TWebCopyItems::SetItem(int index, const TWebCopyItem& item) { GetItem(index) = item; }

int TWebCopyItems::CountActive() const {
  return static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const auto& item) { return item->Active; }));
}

int TWebCopyItems::CountSuccess() const {
  return static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const auto& item) { return item->Success(); }));
}

}  // namespace quirel::webcopy
