// Downloads: a response that is not a page is saved where the program says.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BrowserEnvironment.h"
#include "BrowserSteps.h"
#include "HttpFixture.h"
#include "TestClient.h"
#include "TestFiles.h"

namespace standin_test {
namespace {

using quirel::test::HttpFixture;

const std::string kArchive = std::string("PK\x03\x04 archive bytes \x00\x01\x02 end", 27);

TEST(StandinDownload, SavedWhereTheProgramSays) {
  HttpFixture page(200, Page("Before"), "text/html");
  HttpFixture archive(200, kArchive, "application/zip");
  quirel::test::ScratchDir folder;
  const std::wstring target = folder / L"saved.zip";
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  ClientOptions options;
  options.download = true;
  options.download_path = target;
  const Created created = Create(recorder, host.control(), page.Url(L"/"), options);
  ASSERT_TRUE(created.browser);
  const size_t from = recorder->Count();
  const std::wstring url = archive.Url(L"/files/report.zip");
  LoadUrl(created.browser, url);
  ASSERT_TRUE(recorder->WaitFor("download_updated:0:1:*", from)) << Joined(recorder->Since(from));
  const std::string size = std::to_string(kArchive.size());
  const std::vector<std::string> expected = {
      "before_browse:" + Narrow(url) + ":GET:0:0",
      "loading:1:0:0",
      "loading:0:0:0",
      "before_download:report.zip:application/zip:" + size + ":1:" + Narrow(url),
      "download_updated:1:0:0:0:" + Narrow(target),
      "download_updated:0:1:0:" + size + ":" + Narrow(target)};
  EXPECT_EQ(recorder->Since(from), expected) << Joined(recorder->Since(from));
  EXPECT_EQ(quirel::test::ReadBytes(target), kArchive);
  EXPECT_EQ(FrameUrl(created.browser), page.Url(L"/")) << "a download is not shown";
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

}  // namespace
}  // namespace standin_test
