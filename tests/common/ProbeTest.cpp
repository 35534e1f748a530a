// The connectivity probe against fixture servers on 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "HttpFixture.h"
#include "StallingServer.h"
#include "common/Globals.h"

namespace quirel {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;
using test::ClosedPort;
using test::HttpFixture;
using test::StallingServer;

const std::wstring kUpdatePath = L"/Quirel/update/update-exe.php?";

std::wstring RefusedUrl(const std::wstring& path) {
  return L"http://127.0.0.1:" + std::to_wstring(ClosedPort()) + path;
}

double SecondsSince(steady_clock::time_point start) {
  return std::chrono::duration<double>(steady_clock::now() - start).count();
}

// The probe with that deadline, run on a thread of the test's own so that a probe that never
// returns fails the test instead of hanging it: nullopt when it had not returned within limit.
std::optional<TProbeResult> ProbeWithin(steady_clock::time_point deadline,
                                        std::chrono::seconds limit) {
  struct Outcome {
    std::mutex lock;
    std::condition_variable done;
    std::optional<TProbeResult> connected;
  };
  const auto outcome = std::make_shared<Outcome>();
  // Thread: the test's probe thread; it only touches the outcome it shares.
  std::thread([outcome, deadline] {
    const TProbeResult connected = ProbeInternet(deadline);
    std::lock_guard lock(outcome->lock);
    outcome->connected = connected;
    outcome->done.notify_all();
  }).detach();
  std::unique_lock lock(outcome->lock);
  outcome->done.wait_for(lock, limit, [&] { return outcome->connected.has_value(); });
  return outcome->connected;
}

// Points the probe at the given addresses for one test.
class Probe : public ::testing::Test {
 protected:
  void Aim(const std::wstring& site, const std::wstring& update) {
    ConnectivityProbeUrl = site;
    UpdateCheckUrl = update;
  }
  void TearDown() override {
    ConnectivityProbeUrl = savedSite_;
    UpdateCheckUrl = savedUpdate_;
  }

 private:
  std::wstring savedSite_ = ConnectivityProbeUrl;
  std::wstring savedUpdate_ = UpdateCheckUrl;
};

TEST_F(Probe, BothAnsweringIsConnectedWhateverTheirStatus) {
  for (auto [siteStatus, updateStatus] : {std::pair{200, 200}, {404, 500}, {500, 404}}) {
    SCOPED_TRACE(testing::Message() << siteStatus << " " << updateStatus);
    HttpFixture site(siteStatus, "<html></html>", "text/html"), update(updateStatus, "NO\r\n\r\n");
    Aim(site.Url(L"/"), update.Url(kUpdatePath));
    EXPECT_TRUE(IsInternetConnected());
    EXPECT_EQ(site.RequestLines(), std::vector<std::string>{"GET / HTTP/1.1"});
    // the address ends with "?": the query is empty
    ASSERT_EQ(update.RequestLines().size(), 1u);
    EXPECT_EQ(update.RequestLines()[0].rfind("GET /Quirel/update/update-exe.php", 0), 0u)
        << update.RequestLines()[0];
  }
}

TEST_F(Probe, SiteDownIsNotConnectedAndTheUpdateServiceIsNotAsked) {
  HttpFixture update(200);
  Aim(RefusedUrl(L"/"), update.Url(kUpdatePath));
  EXPECT_FALSE(IsInternetConnected());
  EXPECT_TRUE(update.Requests().empty());
  // A network that is not there is no fault of the probe's.
  EXPECT_EQ(ProbeInternet(steady_clock::now() + 20s), TProbeResult::NotConnected);
}

TEST_F(Probe, UpdateServiceDownIsNotConnected) {
  HttpFixture site(200);
  Aim(site.Url(L"/"), RefusedUrl(kUpdatePath));
  EXPECT_FALSE(IsInternetConnected());
  EXPECT_EQ(site.Requests().size(), 1u);
}

TEST_F(Probe, MalformedSiteAddressIsNotConnected) {
  HttpFixture update(200);
  Aim(L"not an address", update.Url(kUpdatePath));
  EXPECT_FALSE(IsInternetConnected());
  EXPECT_TRUE(update.Requests().empty());
}

TEST_F(Probe, TheAgentIsTheApplicationsTitle) {
  HttpFixture site(200), update(200);
  Aim(site.Url(L"/"), update.Url(kUpdatePath));
  ASSERT_TRUE(IsInternetConnected());
  // this program is common_tests.exe
  EXPECT_EQ(test::HeaderValue(site.Requests().at(0), "User-Agent"), "common_tests");
  EXPECT_EQ(test::HeaderValue(update.Requests().at(0), "User-Agent"), "common_tests");
}

TEST_F(Probe, WithADeadlineBothAnsweringIsConnected) {
  HttpFixture site(200), update(404);
  Aim(site.Url(L"/"), update.Url(kUpdatePath));
  EXPECT_TRUE(IsInternetConnected(steady_clock::now() + 20s));
  EXPECT_EQ(site.Requests().size(), 1u);
  EXPECT_EQ(update.Requests().size(), 1u);
}

TEST_F(Probe, PassedDeadlineIsNotConnectedAndAsksNobody) {
  HttpFixture site(200), update(200);
  Aim(site.Url(L"/"), update.Url(kUpdatePath));
  EXPECT_FALSE(IsInternetConnected(steady_clock::now() - 1s));
  EXPECT_EQ(ProbeInternet(steady_clock::now() - 1s), TProbeResult::TimedOut);
  EXPECT_TRUE(site.Requests().empty());
  EXPECT_TRUE(update.Requests().empty());
}

// WinINet's own time-outs restart with every byte: only the deadline ends these.
TEST_F(Probe, StallingServerIsNotConnectedByTheDeadline) {
  struct Case {
    const char* name;
    bool siteStalls;  // else the update service does
    StallingServer::Mode mode;
  };
  const Case cases[] = {
      {"site accepts and never answers", true, StallingServer::Mode::Silent},
      {"site trickles its head", true, StallingServer::Mode::Trickle},
      {"update service accepts and never answers", false, StallingServer::Mode::Silent},
      {"update service trickles its head", false, StallingServer::Mode::Trickle},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HttpFixture answering(200);
    {
      StallingServer stalling(c.mode);
      Aim(c.siteStalls ? stalling.Url(L"/") : answering.Url(L"/"),
          c.siteStalls ? answering.Url(kUpdatePath) : stalling.Url(kUpdatePath));
      const auto start = steady_clock::now();
      const std::optional<TProbeResult> connected = ProbeWithin(start + 2s, 15s);
      const double seconds = SecondsSince(start);
      EXPECT_TRUE(connected.has_value()) << "the probe had not returned after 15 s";
      EXPECT_EQ(connected.value_or(TProbeResult::Connected), TProbeResult::TimedOut);
      EXPECT_GE(seconds, 1.9);  // the stall ended it, not a failure of its own
      EXPECT_LT(seconds, 4.0);
      EXPECT_GE(stalling.Connections(), 1);
    }
    // The stalling server is gone, which frees the probe's abandoned request: a probe that
    // gave up on the site must not go on to ask the update service afterwards.
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(answering.Requests().size(), c.siteStalls ? 0u : 1u);
  }
}

}  // namespace
}  // namespace quirel
