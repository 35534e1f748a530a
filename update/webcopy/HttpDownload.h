// The network side of one HTTP(S) download, on a worker thread of its own: opening the URL
// and the reads that wait for the server never hold the thread that shows the window. The
// worker writes what arrives into the target file and hands a record of each block over.
//
// Wine's WinINet ends a pending call neither when its handle is closed (in blocking or in
// asynchronous mode) nor at the receive time-out, nor for CancelSynchronousIo: only the server
// or the end of the process frees it. So a download that is given up lets its worker run out
// on its own handles, and the worker then touches nothing but the state it shares with this
// object (never the file, never the component).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "update/webcopy/WinHandles.h"

namespace quirel::webcopy {

struct THttpRequest {
  std::wstring Url;
  std::wstring Headers;  // extra request headers; empty for none
  DWORD Flags = 0;       // of InternetOpenUrlW
};

// What the server answered before the body, once the URL has opened or failed to.
struct THttpHead {
  bool Opened = false;
  DWORD Status = 0;
  std::wstring FinalUrl;                 // after the redirects the system followed
  std::optional<int64_t> ContentLength;  // the length the server announced
};

// A read that returned data, with the bytes written so far and when it returned. The read
// that finds the end of the body gives one last record with no new bytes.
struct TReceivedBlock {
  int64_t Received = 0;
  uint64_t Tick = 0;
  bool Last = false;
};

enum class TReadEnd { reReading, reEnded, reReadFailed, reWriteFailed };

class THttpDownload {
 public:
  // Main thread: starts the worker, which opens the URL at once.
  THttpDownload(TSharedInternet internet, THttpRequest request);
  // Main thread: gives the download up unless it has ended, and never waits for the network.
  ~THttpDownload();
  THttpDownload(const THttpDownload&) = delete;
  THttpDownload& operator=(const THttpDownload&) = delete;

  // Set when the worker has handed something over: the head, blocks, the end.
  HANDLE Signal() const;

  // Main thread: the head, once the open has returned.
  std::optional<THttpHead> Head() const;
  // Main thread: the worker reads the body into `file`, which it holds until the end.
  void StartReading(TFileHandle file);
  // Main thread: the blocks since the last call, oldest first, and how reading ended
  // (reReading while it goes on; every block is handed over before the end is).
  // `errorCode`: the system's code of a failed read or write.
  TReadEnd TakeBlocks(std::vector<TReceivedBlock>& blocks, uint32_t& errorCode);
  // Main thread: the worker writes nothing more and the file is closed on return.
  void Abandon();

 private:
  struct TShared;
  // The worker thread's entry.
  static void Run(std::shared_ptr<TShared> shared) noexcept;
  static void Transfer(TShared& shared);

  std::shared_ptr<TShared> shared_;
  std::thread thread_;
};

}  // namespace quirel::webcopy
