// The thread that runs a transfer keeps answering its windows while the server is slow or
// silent, and a cancel (the Annulla button, or CancelCopy from a window-message handler) ends
// the transfer at once, even while the URL is still opening or a read waits for data.
#include <atomic>
#include <memory>
#include <thread>

#include "DelayedCall.h"
#include "MessagePump.h"
#include "WebCopyHarness.h"

namespace quirel::webcopy::test {
namespace {

using quirel::test::Exists;
using quirel::test::ReadBytes;
using Lines = std::vector<std::wstring>;

// Asks a window of this thread, from another thread, for an answer again and again, and keeps
// the longest wait.
class WindowPinger {
 public:
  explicit WindowPinger(HWND window)
      : thread_([this, window] {
          while (!stop_) {
            const ULONGLONG start = GetTickCount64();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
            if (!stop_) longest_ = std::max<ULONGLONG>(longest_, GetTickCount64() - start);
            Sleep(20);
          }
          finished_ = true;
        }) {}
  ~WindowPinger() { Stop(); }
  // Answers the last question while it waits for the pinger to end.
  void Stop() {
    stop_ = true;
    quirel::test::PumpUntil([this] { return finished_.load(); }, 10000);
    if (thread_.joinable()) thread_.join();
  }
  ULONGLONG Longest() const { return longest_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  std::atomic<ULONGLONG> longest_{0};
  std::thread thread_;
};

TEST_F(TransferTest, WindowKeepsAnsweringWhileTheServerIsSilent) {
  const std::string body = PatternBody(2 * 65536);
  const struct {
    const char* name;
    TransferReply reply;
  } cases[] = {
      {"answer comes late", Reply(body).WithHeadDelay(3000)},
      {"silence in the middle", Reply(body).WithPace(65536, 3000)},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = "/late" + std::to_string(n++);
    server_.Route(path, c.reply);
    copy_.Items.Clear();
    AddItem(path, L"late.bin");
    std::unique_ptr<WindowPinger> pinger;
    copy_.OnFileStart = [&](TWebCopy& sender, int) {
      pinger = std::make_unique<WindowPinger>(sender.ProgressForm()->Handle());
    };
    copy_.OnFileDone = [&](TWebCopy&, int) { pinger->Stop(); };

    const ULONGLONG start = GetTickCount64();
    copy_.Execute();

    ASSERT_NE(pinger, nullptr);
    EXPECT_GE(GetTickCount64() - start, 3000u);
    EXPECT_LT(pinger->Longest(), 1000u) << "the window did not answer for that long (ms)";
    EXPECT_TRUE(copy_.Items[0].Success());
    EXPECT_EQ(ReadBytes(dir_ / L"late.bin"), body);
  }
}

TEST_F(TransferTest, CancelEndsTheTransferAtOnceWhileTheServerIsSilent) {
  server_.Route("/no-answer", Reply(PatternBody(1048576)).WithHeadDelay(30000));
  server_.Route("/silent", Reply(PatternBody(1048576)).WithCut(65536).WithHold(30000));
  const struct {
    const char* name;
    const char* path;
    bool button;
  } cases[] = {
      {"Annulla while the URL opens", "/no-answer", true},
      {"CancelCopy while the URL opens", "/no-answer", false},
      {"Annulla while a read waits", "/silent", true},
      {"CancelCopy while a read waits", "/silent", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    copy_.Items.Clear();
    AddItem(c.path, L"cancelled.bin");
    log_ = {};
    log_.Attach(copy_);
    DelayedCall later;
    auto cancel = [&] {
      if (c.button) {
        PostMessageW(FindButton(copy_, L"Annulla"), BM_CLICK, 0, 0);
      } else {
        // As a close request handled by another window of the program does.
        copy_.CancelCopy();
      }
    };
    bool fileBeforeCancel = false;
    copy_.OnFileStart = [&, previous = copy_.OnFileStart](TWebCopy& sender, int i) {
      previous(sender, i);
      if (std::string(c.path) == "/no-answer") later.After(500, cancel);
    };
    log_.OnBlock = [&](TWebCopy&, const Block& b) {
      if (b.Size != 65536) return;
      fileBeforeCancel = Exists(dir_ / L"cancelled.bin");
      later.After(500, cancel);
    };

    copy_.Execute();
    const ULONGLONG afterCancel = GetTickCount64() - later.DueAt();

    ASSERT_NE(later.RanAt(), 0u) << "the transfer ended before the cancel";
    EXPECT_LT(later.RanAt() - later.DueAt(), 1000u) << "the cancel was handled that late (ms)";
    EXPECT_LT(afterCancel, 5000u) << "Execute returned that long (ms) after the cancel was due";
    Lines expected{L"BeforeDialogShow", L"FileStart 0"};
    if (std::string(c.path) == "/silent") {
      expected.push_back(L"Progress");
      EXPECT_TRUE(fileBeforeCancel);
    }
    if (c.button) expected.push_back(L"CopyCancel");
    expected.push_back(L"CopyDone");
    EXPECT_EQ(log_.Lines, expected);
    EXPECT_TRUE(copy_.Items[0].Cancelled());
    EXPECT_FALSE(copy_.Items[0].Success());
    EXPECT_FALSE(Exists(dir_ / L"cancelled.bin"));
    EXPECT_EQ(copy_.ProgressForm(), nullptr);
  }
}

TEST_F(TransferTest, WhatArrivesAfterACancelWritesNothing) {
  // 64 KiB, then silence until the test releases the server, then the rest.
  server_.Route("/held", Reply(PatternBody(1048576)).WithPace(65536, 30000));
  auto copy = std::make_unique<TWebCopy>();
  UseUpdateConfiguration(*copy);
  copy->ShowDialog = false;
  TWebCopyItem& item = copy->Items.Add();
  item.URL = server_.Url("/held");
  item.TargetDir = dir_.path();
  item.TargetFilename = L"held.bin";
  DelayedCall later;
  copy->OnCopyProgress = [&](TWebCopy& sender, int, int64_t size, int64_t) {
    if (size == 65536) later.After(300, [&sender] { sender.CancelCopy(); });
  };

  const ULONGLONG start = GetTickCount64();
  copy->Execute();
  EXPECT_LT(GetTickCount64() - start, 10000u);
  EXPECT_TRUE(copy->Items[0].Cancelled());
  copy.reset();

  // The rest of the body reaches a transfer that has been given up, and a component that is gone.
  server_.ReleaseHolds();
  Sleep(1500);
  EXPECT_FALSE(Exists(dir_ / L"held.bin"));
}

}  // namespace
}  // namespace quirel::webcopy::test
