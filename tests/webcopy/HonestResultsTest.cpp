// Downloads that end short of the announced length, fail on the way or go silent are failures:
// reported, and no partial or empty file stays behind.
#include "WebCopyHarness.h"
#include "common/Errors.h"

namespace quirel::webcopy::test {
namespace {

using quirel::test::Exists;
using quirel::test::ReadBytes;
using Lines = std::vector<std::wstring>;

TEST_F(TransferTest, ShortFailedOrSilentDownloadsFailWithoutAFile) {
  copy_.ShowDialog = false;
  copy_.StallTimeout = 2;
  const std::string oneMb = PatternBody(1048576);
  const struct Case {
    const char* name;
    TransferReply reply;
    bool blocks;
    int code;
    std::wstring info;
  } cases[] = {
      {"cut after 64 KiB", Reply(oneMb).WithCut(65536), true, 12030,
       L"Download incomplete: 65536 of 1048576 bytes received"},
      {"cut before any data", Reply(PatternBody(10000)).WithCut(0), true, 12030,
       L"Download incomplete: 0 of 10000 bytes received"},
      {"reset after 64 KiB", Reply(oneMb).WithCut(65536).WithHold(300).WithReset(), true, 10054,
       L"Download failed: " + SysErrorMessage(10054) + L" (system error 10054)"},
      {"silent after 64 KiB", Reply(oneMb).WithCut(65536).WithHold(30000), true, 12002,
       L"Download stalled: nothing received for 2 s"},
      {"silent before the answer", Reply(oneMb).WithHeadDelay(30000), false, 12002,
       L"Download stalled: nothing received for 2 s"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = "/short" + std::to_string(n++);
    const std::wstring name = L"short" + std::to_wstring(n) + L".bin";
    server_.Route(path, c.reply);
    copy_.Items.Clear();
    AddItem(path, name);
    log_ = {};
    log_.Attach(copy_);
    bool fileDuringError = true;
    copy_.OnError = [&, previous = copy_.OnError](TWebCopy& sender, int code) {
      fileDuringError = Exists(dir_ / name);
      previous(sender, code);
    };

    const ULONGLONG start = GetTickCount64();
    copy_.Execute();
    const ULONGLONG took = GetTickCount64() - start;

    const std::wstring code = std::to_wstring(c.code);
    Lines expected{L"FileStart 0"};
    if (c.blocks) expected.push_back(L"Progress");
    expected.insert(expected.end(), {L"Error " + code, L"ErrorInfo " + code + L" " + c.info, L"FileDone 0", L"CopyDone"});
    EXPECT_EQ(log_.Lines, expected);
    EXPECT_FALSE(copy_.Items[0].Success());
    EXPECT_FALSE(copy_.Items[0].Cancelled());
    EXPECT_FALSE(fileDuringError) << "the partial file is gone when the failure is reported";
    EXPECT_FALSE(Exists(dir_ / name));
    EXPECT_LT(took, 10000u) << "a silent server does not hold the transfer";
  }
}

TEST_F(TransferTest, NothingReceivedIsNotATransferAndLeavesNoFile) {
  copy_.ShowDialog = false;
  const struct {
    const char* name;
    TransferReply reply;
  } cases[] = {
      {"empty with length", Reply("")},
      {"empty without length", Reply("").WithoutLength()},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = "/empty" + std::to_string(n++);
    server_.Route(path, c.reply);
    copy_.Items.Clear();
    AddItem(path, L"empty" + std::to_wstring(n) + L".bin");
    log_ = {};
    log_.Attach(copy_);

    copy_.Execute();

    EXPECT_FALSE(copy_.Items[0].Success());
    EXPECT_FALSE(copy_.Items[0].Cancelled());
    EXPECT_FALSE(Exists(dir_ / (L"empty" + std::to_wstring(n) + L".bin")));
    EXPECT_EQ(log_.Lines, (Lines{L"FileStart 0", L"Progress", L"FileDone 0", L"CopyDone"}));
  }
}

TEST_F(TransferTest, PausesShorterThanTheStallBoundAreNoStall) {
  copy_.ShowDialog = false;
  const std::string body = PatternBody(5 * 4096);
  const struct {
    const char* name;
    int stallTimeout;
    TransferReply reply;
  } cases[] = {
      // five pauses that together last longer than the bound
      {"bound of 1 s", 1, Reply(body).WithHeadDelay(600).WithPace(4096, 600)},
      {"no bound", 0, Reply(body).WithHeadDelay(1500).WithPace(4096 * 4, 1500)},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = "/paced" + std::to_string(n++);
    const std::wstring name = L"paced" + std::to_wstring(n) + L".bin";
    server_.Route(path, c.reply);
    copy_.Items.Clear();
    AddItem(path, name);
    copy_.StallTimeout = c.stallTimeout;
    log_ = {};
    log_.Attach(copy_);

    copy_.Execute();

    EXPECT_EQ(log_.Lines, (Lines{L"FileStart 0", L"Progress", L"FileDone 0", L"CopyDone"}));
    EXPECT_TRUE(copy_.Items[0].Success());
    EXPECT_EQ(ReadBytes(dir_ / name), body);
  }
}

}  // namespace
}  // namespace quirel::webcopy::test
