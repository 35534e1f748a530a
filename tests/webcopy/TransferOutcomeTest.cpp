// What the end of a body means for the item, and the texts of a download's failures.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "update/webcopy/TransferOutcome.h"

namespace quirel::webcopy {
namespace {

TEST(TransferOutcome, CleanEndAgainstTheAnnouncedLength) {
  const struct {
    int64_t received;
    std::optional<int64_t> announced;
    bool transferred;
    int code;
    std::wstring info;
  } cases[] = {
      {65536, 1048576, false, 12030, L"Download incomplete: 65536 of 1048576 bytes received"},
      {0, 10000, false, 12030, L"Download incomplete: 0 of 10000 bytes received"},
      {1048576, 1048576, true, 0, L""},
      {5000000000, 5000000000, true, 0, L""},
      {4999999999, 5000000000, false, 12030, L"Download incomplete: 4999999999 of 5000000000 bytes received"},
      // no length announced: the end of the body is the end of the file
      {4096, std::nullopt, true, 0, L""},
      // nothing at all is no file, and nothing to report
      {0, std::nullopt, false, 0, L""},
      {0, 0, false, 0, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.received);
    const TTransferOutcome o = EndedOutcome(c.received, c.announced);
    EXPECT_EQ(o.Transferred, c.transferred);
    EXPECT_EQ(o.ErrorCode, c.code);
    EXPECT_EQ(o.ErrorInfo, c.info);
  }
}

TEST(TransferOutcome, FailedReadAndSilence) {
  const TTransferOutcome reset = ReadFailedOutcome(10054, L"Connection reset by peer");
  EXPECT_FALSE(reset.Transferred);
  EXPECT_EQ(reset.ErrorCode, 10054);
  EXPECT_EQ(reset.ErrorInfo, L"Download failed: Connection reset by peer (system error 10054)");
  EXPECT_EQ(ReadFailedOutcome(12345, L"").ErrorInfo, L"Download failed: system error 12345");

  const TTransferOutcome stalled = StalledOutcome(30);
  EXPECT_FALSE(stalled.Transferred);
  EXPECT_EQ(stalled.ErrorCode, 12002);
  EXPECT_EQ(stalled.ErrorInfo, L"Download stalled: nothing received for 30 s");
}

TEST(InternetErrorMessage, SystemAndWinInetTextsWithoutFullStop) {
  EXPECT_EQ(InternetErrorMessage(10054), SysErrorMessage(10054));
  // WinINet's own codes are not in the system's table.
  const std::wstring timeout = InternetErrorMessage(12002);
  EXPECT_FALSE(timeout.empty());
  EXPECT_NE(timeout.back(), L'.');
  EXPECT_NE(timeout.back(), L'\n');
  EXPECT_EQ(InternetErrorMessage(0xDEAD), L"");
}

TEST(ParseContentLength, PlainNumbersOnly) {
  EXPECT_EQ(ParseContentLength(L"1048576"), 1048576);
  EXPECT_EQ(ParseContentLength(L"0"), 0);
  EXPECT_EQ(ParseContentLength(L"5000000000"), 5000000000) << "above what 32 bits hold";
  EXPECT_EQ(ParseContentLength(L"9223372036854775807"), INT64_MAX);
  for (const wchar_t* bad : {L"", L"12a", L"-1", L" 5", L"9223372036854775808", L"99999999999999999999"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(bad)));
    EXPECT_EQ(ParseContentLength(bad), std::nullopt);
  }
}

}  // namespace
}  // namespace quirel::webcopy
