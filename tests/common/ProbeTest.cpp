// The connectivity probe against fixture servers on 127.0.0.1.
#include <gtest/gtest.h>

#include <utility>

#include "HttpFixture.h"
#include "common/Globals.h"

namespace quirel {
namespace {

using test::ClosedPort;
using test::HttpFixture;

const std::wstring kUpdatePath = L"/Quirel/update/update-exe.php?";

std::wstring RefusedUrl(const std::wstring& path) {
  return L"http://127.0.0.1:" + std::to_wstring(ClosedPort()) + path;
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

}  // namespace
}  // namespace quirel
