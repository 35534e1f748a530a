// Owners of the system handles a transfer holds: internet handles, the target file and the
// kernel objects that wake the thread which shows the transfer.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace quirel::webcopy {

struct InternetHandleCloser {
  void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using TInternetHandle = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetHandleCloser>;

// An internet handle that a download's worker may still use after the component let go of it.
using TSharedInternet = std::shared_ptr<std::remove_pointer_t<HINTERNET>>;

// A kernel object (event, thread) whose handle is null when there is none.
struct KernelHandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using TKernelHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, KernelHandleCloser>;

class TFileHandle {
 public:
  TFileHandle() = default;
  explicit TFileHandle(HANDLE handle) : handle_(handle) {}
  ~TFileHandle() { Close(); }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  TFileHandle(TFileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  TFileHandle& operator=(TFileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }

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
