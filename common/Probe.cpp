// IsInternetConnected: WinINet opens of a public site and of the update service, ended by a
// deadline whatever the servers do.
//
// WinINet's own time-outs restart with every byte, and under Wine closing the handles from
// another thread does not end an open that is under way. So the opens run on a probe thread of
// their own, which the caller leaves behind at the deadline: that thread works on copies of
// everything it needs and shares only the outcome, so it may end whenever its servers let it.
#include <windows.h>
#include <wininet.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "common/DroppedError.h"
#include "common/Globals.h"

namespace quirel {
namespace {

using std::chrono::steady_clock;

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

// What the probe thread needs, copied before it starts.
struct ProbeTarget {
  std::wstring agent;
  std::wstring site;
  std::wstring update;
  steady_clock::time_point deadline;
};

// Shared by the caller and the probe thread; the last one to let go frees it.
struct ProbeOutcome {
  std::mutex lock;
  std::condition_variable done;
  std::optional<bool> connected;
  bool abandoned = false;  // the caller has given up: ask no further server
};

// WinINet's own limits, set to what is left until the deadline: where the system honours them
// they end a server that never answers, so a probe thread left behind does not wait for ever.
void LimitWaits(HINTERNET session, steady_clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - steady_clock::now());
  DWORD ms = static_cast<DWORD>(left.count() > 1 ? left.count() : 1);
  for (const DWORD option :
       {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    InternetSetOptionW(session, option, &ms, sizeof ms);
}

// Thread: the probe thread. Touches only target and outcome.
bool OpenBoth(const ProbeTarget& target, ProbeOutcome& outcome) {
  // Declared first so that it is closed last, after the requests.
  InternetHandle session(
      InternetOpenW(target.agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return false;
  LimitWaits(session.get(), target.deadline);
  InternetHandle site(InternetOpenUrlW(session.get(), target.site.c_str(), nullptr, 0, 0, 0));
  if (!site) return false;
  {
    std::lock_guard lock(outcome.lock);
    if (outcome.abandoned) return false;
  }
  InternetHandle update(InternetOpenUrlW(session.get(), target.update.c_str(), nullptr, 0, 0, 0));
  return static_cast<bool>(update);
}

}  // namespace

// Thread: the update check's worker thread (any thread but the main one).
TProbeResult ProbeInternet(steady_clock::time_point deadline) {
  try {
    if (steady_clock::now() >= deadline) return TProbeResult::TimedOut;
    ProbeTarget target{ApplicationTitle(ExtractFileName(ExecutableFullPath())),
                       ConnectivityProbeUrl, UpdateCheckUrl, deadline};
    const auto outcome = std::make_shared<ProbeOutcome>();
    // Thread: the probe thread, which may outlive this call.
    std::thread([outcome, target = std::move(target)]() noexcept {
      try {
        bool connected = false;
        try {
          connected = OpenBoth(target, *outcome);
        } catch (...) {
          // Whatever went wrong, the answer is "not connected".
          ReportDroppedError(L"IsInternetConnected");
        }
        std::lock_guard lock(outcome->lock);
        outcome->connected = connected;
        outcome->done.notify_all();
      } catch (...) {
        // The lock failed: the caller ends at its deadline all the same.
        ReportDroppedError(L"IsInternetConnected");
      }
    }).detach();
    std::unique_lock lock(outcome->lock);
    if (!outcome->done.wait_until(lock, deadline, [&] { return outcome->connected.has_value(); })) {
      outcome->abandoned = true;
      return TProbeResult::TimedOut;
    }
    return *outcome->connected ? TProbeResult::Connected : TProbeResult::NotConnected;
  } catch (...) {
    // No thread, no memory: the probe could not run, which counts as not connected.
    ReportDroppedError(L"IsInternetConnected");
    return TProbeResult::NotConnected;
  }
}

// Thread: the update check's worker thread (any thread but the main one).
bool IsInternetConnected(steady_clock::time_point deadline) {
  return ProbeInternet(deadline) == TProbeResult::Connected;
}

// Thread: the update check's worker thread (any thread but the main one).
bool IsInternetConnected() {
  return IsInternetConnected(steady_clock::now() + std::chrono::seconds(20));
}

}  // namespace quirel
