// TWebCopy: copies a list of remote items to local files, one after the other, for the
// calling thread, while a small progress window shows the transfer and offers a cancel button.
// HTTP and HTTPS downloads over WinINet are built; the other transfer kinds are not. The
// network waits and the writes run on a worker thread per download; the calling thread only
// waits for it with its messages running, and raises every event itself.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "update/webcopy/MessagePump.h"
#include "update/webcopy/ProgressForm.h"
#include "update/webcopy/WebCopyItems.h"
#include "update/webcopy/WinHandles.h"

namespace quirel::webcopy {

// Whether the items need an internet handle: an active item of a kind other than wpFile.
bool NeedsInternetHandle(const TWebCopyItems& items);

// The connect, send and receive time-out for `Timeout` seconds; none for 0 or less.
std::optional<DWORD> InternetTimeoutMs(int seconds);

class THttpDownload;

class TWebCopy {
 public:
  using TNotifyEvent = std::function<void(TWebCopy& sender)>;
  using TIndexEvent = std::function<void(TWebCopy& sender, int index)>;
  using TErrorEvent = std::function<void(TWebCopy& sender, int errorCode)>;
  using TErrorInfoEvent = std::function<void(TWebCopy& sender, int errorCode, const std::wstring& errorInfo)>;
  using TURLEvent = std::function<void(TWebCopy& sender, const std::wstring& url)>;
  using TOverWriteEvent = std::function<void(TWebCopy& sender, const std::wstring& tgtfile, bool& allow)>;
  using TProgressEvent = std::function<void(TWebCopy& sender, int fileidx, int64_t size, int64_t totsize)>;
  using TDialogEvent = std::function<void(TWebCopy& sender, TWebCopyProgressForm& dialog)>;

  TWebCopy() = default;
  ~TWebCopy();
  TWebCopy(const TWebCopy&) = delete;
  TWebCopy& operator=(const TWebCopy&) = delete;

  TWebCopyItems Items;
  std::wstring Agent = L"WebCopy";
  // Empty: the system's proxy configuration.
  std::wstring Proxy;
  std::wstring ProxyUserID;
  std::wstring ProxyPassword;
  // Seconds for connecting, sending and receiving; 0 or less leaves the system's values.
  int Timeout = 0;
  // Seconds without any data (before the answer's head or between blocks) after which a
  // download fails; 0: no such bound.
  int StallTimeout = 0;
  bool HTTPKeepAliveAuthentication = false;
  bool ShowDialog = true;
  bool ShowDialogOnTop = true;
  bool AlwaysOnTop = false;
  bool ShowFileName = true;
  bool ShowServer = true;
  bool ShowCompletion = false;
  bool ShowTime = false;
  bool ShowElapsedTime = false;
  bool ShowOpenFile = false;
  bool ShowOpenFolder = false;
  bool DlgShowCancel = true;
  bool DlgShowCloseBtn = false;
  bool CreateUniqueFilenames = false;
  bool AutoURLDecode = false;
  std::wstring DlgCaption = L"Downloading";
  std::wstring DlgDwnload = L"Downloading";
  std::wstring DlgUpload = L"Uploading";
  std::wstring DlgCopying = L"Copying";
  std::wstring DlgCompleted = L"completed";
  std::wstring DlgFileLabel = L"File :";
  std::wstring DlgFileOfLabel = L"of";
  std::wstring DlgFromServerLabel = L"from";
  std::wstring DlgToServerLabel = L"to";  // uploads, which are not built
  std::wstring DlgProgressLabel = L"Progress :";
  std::wstring DlgRateLabel = L"Transfer rate :";
  std::wstring DlgTimeLabel = L"Estimated time left :";
  std::wstring DlgElapsedTimeLabel = L"Elapsed time :";
  std::wstring DlgTimeSec = L"sec";
  std::wstring DlgTimeMin = L"minutes";
  std::wstring DlgCancel = L"Cancel";
  std::wstring DlgClose = L"Close";
  std::wstring DlgOpenFile = L"Open file";
  std::wstring DlgOpenFolder = L"Open folder";

  TNotifyEvent OnCopyDone;
  TErrorInfoEvent OnErrorInfo;
  TIndexEvent OnFileDone;
  TErrorEvent OnError;
  TIndexEvent OnFileStart;
  TURLEvent OnURLNotFound;
  TNotifyEvent OnCopyCancel;
  TOverWriteEvent OnCopyOverWrite;
  TProgressEvent OnCopyProgress;
  TDialogEvent OnBeforeDialogShow;

  // Calling (main) thread. Transfers all items and returns when they are done, cancelled or
  // failed; the thread's messages run meanwhile, and every event is raised on this thread.
  // The caller keeps itself from being entered again meanwhile; a nested Execute is refused.
  // A failed write to a file leaves as EInOutError, after the window and the internet
  // handles have been closed.
  void Execute();
  void DoCopy();
  // Calling thread, from a message handler while Execute runs (or any thread): the running
  // transfer stops at once, also while it waits for the server; its file is deleted.
  void CancelCopy() { FCancelled = true; }
  // Calling thread, from a message handler while Execute runs: cancels, and the partial file of
  // the running download is closed and deleted before this returns — for the end of the
  // session, after which the process may end before Execute has unwound.
  void AbandonNow() noexcept;

  const std::wstring& RateStr() const { return FRateStr; }
  const std::wstring& TimeLeftStr() const { return FTimeLeftStr; }
  const std::wstring& ElapsedTimeStr() const { return FElapsedTimeStr; }
  // The progress window while it exists (also after Execute, with the open buttons).
  TWebCopyProgressForm* ProgressForm() const;

 private:
  enum class TWaitEnd { weDone, weCancelled, weStalled };
  enum class TStep { stNothingNew, stProgress, stDone };

  void CreateProgressForm();
  void CloseProgressForm();
  void OpenInternet();
  void SetTransferTitle(TWebCopyProtocol protocol);
  bool CopyHttpItem(TWebCopyItem& item);
  // Lets the thread's messages run until `step` (which takes what the worker handed over)
  // says it is done, the transfer is cancelled, or nothing came for StallTimeout seconds
  // after `lastData` (a tick count that `step` moves on).
  TWaitEnd WaitForWorker(HANDLE signal, const uint64_t& lastData, const std::function<TStep()>& step);
  // The latest block; the window and the texts follow at the display's pace.
  void NoteProgress(int64_t received, int64_t total, uint64_t elapsedMs);
  void RefreshProgress();
  void ReportError(int code, const std::wstring& info);
  void CancelClicked();
  void OpenClicked(const std::wstring& path);

  std::atomic<bool> FCancelled = false;
  // The download that is writing its file, and that file, while its body is read.
  THttpDownload* FWriting = nullptr;
  std::wstring FWritingTarget;
  bool FCancelIsClose = false;
  bool FRunning = false;
  int FFileNum = 0;
  TSharedInternet FInternet;
  // Keeps a quit request that comes while the transfer runs, for after it.
  TKeptQuit* FQuit = nullptr;
  struct TShownProgress {
    int64_t Received = 0;
    int64_t Total = 0;
    uint64_t ElapsedMs = 0;
    bool Shown = true;
  } FProgress;
  std::wstring FLastFile;
  std::wstring FLastDir;
  std::wstring FRateStr;
  std::wstring FTimeLeftStr;
  std::wstring FElapsedTimeStr;
  std::unique_ptr<TWebCopyProgressForm> FForm;
};

}  // namespace quirel::webcopy
