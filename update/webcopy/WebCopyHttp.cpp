// The HTTP(S) download of one item over WinINet, as the calling thread sees it: the worker of
// THttpDownload opens, reads and writes; this thread decides, raises the events and keeps its
// messages running meanwhile.
#include <algorithm>
#include <vector>

#include "common/DroppedError.h"
#include "update/webcopy/Folders.h"
#include "update/webcopy/HttpDownload.h"
#include "update/webcopy/InOutError.h"
#include "update/webcopy/TransferNames.h"
#include "update/webcopy/TransferOutcome.h"
#include "update/webcopy/WebCopy.h"

namespace quirel::webcopy {
namespace {

// How often a flowing transfer takes what its worker handed over: often enough for the events
// to follow the data, rarely enough that waking this thread costs nothing next to the reads.
constexpr uint64_t kTakeIntervalMs = 20;
// The longest sleep of a wait, so that no wait relies on a single wake-up.
constexpr uint64_t kLongestWaitMs = 1000;

}  // namespace

TWebCopy::TWaitEnd TWebCopy::WaitForWorker(HANDLE signal, const uint64_t& lastData,
                                           const std::function<TStep()>& step) {
  const uint64_t stallMs = StallTimeout > 0 ? static_cast<uint64_t>(StallTimeout) * 1000 : 0;
  uint64_t nextStep = 0;
  for (;;) {
    if (FCancelled) return TWaitEnd::weCancelled;
    uint64_t now = GetTickCount64();
    if (now >= nextStep) {
      const TStep taken = step();
      if (FCancelled) return TWaitEnd::weCancelled;
      if (taken == TStep::stDone) return TWaitEnd::weDone;
      now = GetTickCount64();
      if (stallMs && now >= lastData + stallMs) return TWaitEnd::weStalled;
      // While data flows, more is let gather before the next step: waking for every block
      // would cost this thread more than the block costs the worker.
      nextStep = taken == TStep::stProgress ? now + kTakeIntervalMs : now;
    }
    // Pausing, only messages end the wait; else the worker's signal, or the stall bound.
    const bool pausing = nextStep > now;
    uint64_t until = pausing ? nextStep : now + kLongestWaitMs;
    if (stallMs) until = std::min(until, lastData + stallMs);
    WaitForSignalOrMessage(pausing ? nullptr : signal, static_cast<DWORD>(until > now ? until - now : 0), *FQuit);
  }
}

bool TWebCopy::CopyHttpItem(TWebCopyItem& item) {
  const std::wstring url = item.URL;
  const std::wstring name = UrlFileName(url);

  if (FForm) {
    TFileLine line{DlgFileLabel, DlgFileOfLabel, DlgFromServerLabel, Items.Count(), FFileNum, Items.CountActive(),
                   url,          item.DisplayURL, ShowServer};
    FForm->SetFileLine(FileLineText(line));
  }
  ProcessMessages(*FQuit);

  // No login window is built: with nobody to ask for missing credentials, give up.
  if (item.Authenticate == waAlways && (item.HTTPUserID.empty() || item.HTTPPassword.empty())) return false;
  THttpRequest request;
  request.Url = url;
  request.Headers =
      RequestHeaders(url, item.HTTPUserID, item.HTTPPassword, !Proxy.empty(), ProxyUserID, ProxyPassword);
  request.Flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
  if (HTTPKeepAliveAuthentication) request.Flags |= INTERNET_FLAG_KEEP_CONNECTION;
  THttpDownload download(FInternet, std::move(request));

  uint64_t lastData = GetTickCount64();
  std::optional<THttpHead> head;
  const TWaitEnd opened = WaitForWorker(download.Signal(), lastData, [&] {
    head = download.Head();
    return head ? TStep::stDone : TStep::stNothingNew;
  });
  if (opened == TWaitEnd::weCancelled) return false;
  if (opened == TWaitEnd::weStalled) {
    const TTransferOutcome stalled = StalledOutcome(StallTimeout);
    ReportError(stalled.ErrorCode, stalled.ErrorInfo);
    return false;
  }
  if (!head->Opened) {
    if (OnURLNotFound) OnURLNotFound(*this, url);
    return false;
  }

  // Without a login window a 401 cannot be answered, so it is reported like any other status.
  if (head->Status >= 300) {
    download.Abandon();
    ReportError(static_cast<int>(head->Status), L"Returned http error code " + std::to_wstring(head->Status));
    return false;
  }

  std::wstring fileName = item.TargetFilename;
  if (fileName.empty()) {
    fileName = !head->FinalUrl.empty() && head->FinalUrl != url ? UrlFileName(head->FinalUrl) : name;
    if (AutoURLDecode) fileName = DecodeUrlFileName(fileName);
  }
  std::wstring target = JoinTargetPath(item.TargetDir, fileName);
  FLastFile = target;
  FLastDir = item.TargetDir;

  if (FileExists(target)) {
    bool allow = true;
    if (OnCopyOverWrite) OnCopyOverWrite(*this, target, allow);
    if (!allow) return false;
    if (CreateUniqueFilenames) {
      const std::wstring taken = target;
      for (int n = 1; PathExists(target); ++n) target = NumberedFileName(taken, n);
      // The file actually written, which the open-file button starts.
      FLastFile = target;
    }
  }

  // A failure here shows when the file cannot be created.
  ForceFolders(FolderOf(target));
  TFileHandle file(
      CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    download.Abandon();
    ReportError(3, L"Cannot create file " + target);
    return false;
  }

  int64_t total = head->ContentLength.value_or(0);
  if (total == 0) total = item.ExpectedSize;
  const uint64_t start = GetTickCount64();
  if (FForm) FForm->SetMarquee(total <= 0);
  download.StartReading(std::move(file));
  lastData = start;
  FWriting = &download;
  FWritingTarget = target;
  struct WritingEnds {
    THttpDownload*& writing;
    ~WritingEnds() { writing = nullptr; }
  } writingEnds{FWriting};

  int64_t received = 0;
  TReadEnd end = TReadEnd::reReading;
  uint32_t errorCode = 0;
  std::vector<TReceivedBlock> blocks;
  const TWaitEnd read = WaitForWorker(download.Signal(), lastData, [&] {
    end = download.TakeBlocks(blocks, errorCode);
    for (const TReceivedBlock& block : blocks) {
      // A cancel from an event handler ends the transfer at this block boundary.
      if (FCancelled) return TStep::stDone;
      lastData = block.Tick;
      received = block.Received;
      NoteProgress(received, total, block.Tick - start);
      // The end of the body shows at once, before its event.
      if (block.Last) RefreshProgress();
      if (OnCopyProgress) OnCopyProgress(*this, FFileNum, received, total);
    }
    if (end != TReadEnd::reReading) return TStep::stDone;
    return blocks.empty() ? TStep::stNothingNew : TStep::stProgress;
  });
  // Whatever the worker still does from here on, it writes nothing more.
  download.Abandon();
  RefreshProgress();

  TTransferOutcome outcome;
  switch (read) {
    case TWaitEnd::weCancelled:
      DeleteFileW(target.c_str());
      return false;
    case TWaitEnd::weStalled:
      outcome = StalledOutcome(StallTimeout);
      break;
    case TWaitEnd::weDone:
      if (end == TReadEnd::reWriteFailed) throw EInOutError(errorCode);
      outcome = end == TReadEnd::reReadFailed ? ReadFailedOutcome(errorCode, InternetErrorMessage(errorCode))
                                              : EndedOutcome(received, head->ContentLength);
      break;
  }
  if (!outcome.Transferred) DeleteFileW(target.c_str());
  if (!outcome.ErrorInfo.empty()) ReportError(outcome.ErrorCode, outcome.ErrorInfo);
  return outcome.Transferred;
}

void TWebCopy::AbandonNow() noexcept {
  FCancelled = true;
  if (!FWriting) return;
  try {
    FWriting->Abandon();
  } catch (...) {
    // The lock failed: the file may still be open, and the delete below then fails too.
    ReportDroppedError(L"TWebCopy.AbandonNow");
  }
  DeleteFileW(FWritingTarget.c_str());
}

}  // namespace quirel::webcopy
