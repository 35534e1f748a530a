// Owners of the system handles a transfer holds: internet handles and the target file.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <type_traits>

namespace quirel::webcopy {

struct InternetHandleCloser {
  void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using TInternetHandle = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetHandleCloser>;

class TFileHandle {
 public:
  TFileHandle() = default;
  explicit TFileHandle(HANDLE handle) : handle_(handle) {}
  ~TFileHandle() { Close(); }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;

  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (Valid()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace quirel::webcopy
