// The list of remote items a TWebCopy transfers, and what each transfer left behind.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quirel::webcopy {

// Transfer kinds. Only wpHttp (download over HTTP or HTTPS) is built: an item of any other
// kind runs through the item loop like any other but is simply not transferred.
enum class TWebCopyProtocol {
  wpHttp,
  wpFtp,
  wpFile,
  wpFtpUpload,
  wpHttpUpload,
  wpMultiFtp,
  wpMultiFtpUpload,
  wpFtpDelete,
  wpFtpList,
  wpFtpTest
};
using enum TWebCopyProtocol;

enum class TWebCopyAuthentication { waNever, waAlways, waAuto };
using enum TWebCopyAuthentication;

class TWebCopy;

class TWebCopyItem {
 public:
  std::wstring URL;
  TWebCopyProtocol Protocol = wpHttp;
  // Folder of the local file; empty: the name alone (relative to the current folder).
  std::wstring TargetDir;
  // Empty: the name comes from the URL (after redirects).
  std::wstring TargetFilename;
  // Shown in the file line instead of the file name when set.
  std::wstring DisplayURL;
  bool Active = true;
  // The newer-only date check is not built: an active item asking for it makes Execute refuse.
  bool CopyNewerOnly = false;
  TWebCopyAuthentication Authenticate = waNever;
  std::wstring HTTPUserID;
  std::wstring HTTPPassword;
  // Serves as the total when the server announces no length.
  int64_t ExpectedSize = 0;

  // Results of the last transfer.
  bool Success() const { return success_; }
  bool Cancelled() const { return cancelled_; }

 private:
  friend class TWebCopy;
  bool success_ = false;
  bool cancelled_ = false;
};

// Items keep their address while the list grows, so a reference from Add stays usable.
class TWebCopyItems {
 public:
  TWebCopyItems() = default;
  TWebCopyItems(const TWebCopyItems& other);
  TWebCopyItems& operator=(const TWebCopyItems& other);
  TWebCopyItems(TWebCopyItems&&) noexcept = default;
  TWebCopyItems& operator=(TWebCopyItems&&) noexcept = default;

  TWebCopyItem& Add();
  // A new item at `index` (0 to Count()); later items move up by one.
  TWebCopyItem& Insert(int index);
  TWebCopyItem& GetItem(int index);
  const TWebCopyItem& GetItem(int index) const;
  void SetItem(int index, const TWebCopyItem& item);
  TWebCopyItem& operator[](int index) { return GetItem(index); }
  const TWebCopyItem& operator[](int index) const { return GetItem(index); }
  void Clear() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }
  int CountActive() const;
  int CountSuccess() const;

 private:
  void CheckIndex(int index, int limit) const;
  std::vector<std::unique_ptr<TWebCopyItem>> items_;
};

}  // namespace quirel::webcopy
