// IsInternetConnected: WinINet opens of a public site and of the update service.
#include <windows.h>
#include <wininet.h>

#include "common/Globals.h"

namespace quirel {
namespace {

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  ~InternetHandle() {
    if (h_) InternetCloseHandle(h_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HINTERNET h_;
};

}  // namespace

bool IsInternetConnected() {
  const std::wstring agent = ApplicationTitle(ExtractFileName(ExecutableFullPath()));
  // Declared first so that it is closed last, after the requests.
  InternetHandle session(InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return false;
  InternetHandle site(InternetOpenUrlW(session.get(), ConnectivityProbeUrl.c_str(), nullptr, 0, 0, 0));
  if (!site) return false;
  InternetHandle update(InternetOpenUrlW(session.get(), UpdateCheckUrl.c_str(), nullptr, 0, 0, 0));
  return static_cast<bool>(update);
}

}  // namespace quirel
