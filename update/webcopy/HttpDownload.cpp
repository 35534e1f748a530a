#include "update/webcopy/HttpDownload.h"

#include <array>
#include <condition_variable>
#include <mutex>
#include <system_error>

#include "common/DroppedError.h"
#include "update/webcopy/TransferOutcome.h"

namespace quirel::webcopy {
namespace {

constexpr DWORD kBlockSize = 4096;

std::optional<DWORD> QueryNumber(HINTERNET request, DWORD query) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (!HttpQueryInfoW(request, query | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) return std::nullopt;
  return value;
}

// As text: the number form is 32 bits wide, and a file above 4 GB would seem cut short.
std::optional<int64_t> QueryContentLength(HINTERNET request) {
  std::array<wchar_t, 32> text{};
  DWORD size = static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t));
  if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text.data(), &size, nullptr)) return std::nullopt;
  return ParseContentLength(text.data());
}

// The URL the request ended at, after the redirects the system followed.
std::wstring FinalUrl(HINTERNET request) {
  DWORD size = 0;
  InternetQueryOptionW(request, INTERNET_OPTION_URL, nullptr, &size);
  if (size == 0) return {};
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (!InternetQueryOptionW(request, INTERNET_OPTION_URL, buffer.data(), &size)) return {};
  return buffer.data();
}

}  // namespace

struct THttpDownload::TShared {
  TSharedInternet Internet;  // the worker's alone once it runs
  THttpRequest Request;
  TKernelHandle Signal{CreateEventW(nullptr, FALSE, FALSE, nullptr)};

  std::mutex Mutex;  // guards everything below
  std::condition_variable ReadOrGiveUp;
  std::optional<THttpHead> Head;
  bool Reading = false;
  bool Abandoned = false;
  bool Finished = false;  // the worker has let go of its handles
  TFileHandle File;
  std::vector<TReceivedBlock> Blocks;
  TReadEnd End = TReadEnd::reReading;
  uint32_t ErrorCode = 0;

  void Wake() { SetEvent(Signal.get()); }
};

THttpDownload::THttpDownload(TSharedInternet internet, THttpRequest request) : shared_(std::make_shared<TShared>()) {
  if (!shared_->Signal) throw std::system_error(static_cast<int>(GetLastError()), std::system_category());
  shared_->Internet = std::move(internet);
  shared_->Request = std::move(request);
  thread_ = std::thread(&THttpDownload::Run, shared_);
}

THttpDownload::~THttpDownload() {
  Abandon();
  bool finished;
  {
    std::lock_guard lock(shared_->Mutex);
    finished = shared_->Finished;
  }
  // A finished worker only has its return left; one that still waits for the server runs
  // out alone.
  if (finished)
    thread_.join();
  else
    thread_.detach();
}

HANDLE THttpDownload::Signal() const { return shared_->Signal.get(); }

std::optional<THttpHead> THttpDownload::Head() const {
  std::lock_guard lock(shared_->Mutex);
  return shared_->Head;
}

void THttpDownload::StartReading(TFileHandle file) {
  {
    std::lock_guard lock(shared_->Mutex);
    shared_->File = std::move(file);
    shared_->Reading = true;
  }
  shared_->ReadOrGiveUp.notify_all();
}

TReadEnd THttpDownload::TakeBlocks(std::vector<TReceivedBlock>& blocks, uint32_t& errorCode) {
  blocks.clear();
  std::lock_guard lock(shared_->Mutex);
  blocks.swap(shared_->Blocks);
  errorCode = shared_->ErrorCode;
  return shared_->End;
}

void THttpDownload::Abandon() {
  {
    std::lock_guard lock(shared_->Mutex);
    shared_->Abandoned = true;
    // Under the lock that every write takes: no write comes after this.
    shared_->File.Close();
  }
  shared_->ReadOrGiveUp.notify_all();
}

// Worker thread of the download.
void THttpDownload::Run(std::shared_ptr<TShared> shared) noexcept {
  try {
    Transfer(*shared);
  } catch (...) {
    // Whatever went wrong ends the download as a failed read (or open).
    ReportDroppedError(L"THttpDownload.Run");
    try {
      std::lock_guard lock(shared->Mutex);
      if (!shared->Head) shared->Head = THttpHead{};
      if (shared->End == TReadEnd::reReading) {
        shared->End = TReadEnd::reReadFailed;
        shared->ErrorCode = ERROR_NOT_ENOUGH_MEMORY;
      }
    } catch (...) {
      ReportDroppedError(L"THttpDownload.Run");
    }
  }
  shared->Internet.reset();
  try {
    std::lock_guard lock(shared->Mutex);
    shared->Finished = true;
  } catch (...) {
    ReportDroppedError(L"THttpDownload.Run");
  }
  shared->Wake();
}

void THttpDownload::Transfer(TShared& shared) {
  const THttpRequest& r = shared.Request;
  TInternetHandle request(InternetOpenUrlW(shared.Internet.get(), r.Url.c_str(),
                                           r.Headers.empty() ? nullptr : r.Headers.c_str(),
                                           r.Headers.empty() ? 0 : static_cast<DWORD>(-1), r.Flags, 0));
  THttpHead head;
  head.Opened = request != nullptr;
  if (request) {
    head.Status = QueryNumber(request.get(), HTTP_QUERY_STATUS_CODE).value_or(0);
    head.FinalUrl = FinalUrl(request.get());
    head.ContentLength = QueryContentLength(request.get());
  }
  {
    std::unique_lock lock(shared.Mutex);
    shared.Head = std::move(head);
    shared.Wake();
    if (!request) return;
    shared.ReadOrGiveUp.wait(lock, [&shared] { return shared.Reading || shared.Abandoned; });
    if (shared.Abandoned) return;
  }

  std::array<char, kBlockSize> buffer;
  int64_t received = 0;
  for (;;) {
    DWORD read = 0;
    const bool ok = InternetReadFile(request.get(), buffer.data(), kBlockSize, &read);
    const uint32_t readError = ok ? 0 : GetLastError();
    std::lock_guard lock(shared.Mutex);
    if (shared.Abandoned) return;
    if (!ok) {
      shared.End = TReadEnd::reReadFailed;
      shared.ErrorCode = readError;
      shared.Wake();
      return;
    }
    if (read == 0) {
      shared.Blocks.push_back({received, GetTickCount64(), true});
      shared.End = TReadEnd::reEnded;
      shared.Wake();
      return;
    }
    DWORD written = 0;
    const bool wrote = WriteFile(shared.File.Get(), buffer.data(), read, &written, nullptr);
    if (!wrote || written != read) {
      shared.End = TReadEnd::reWriteFailed;
      // A short write without an error is what a full disk gives.
      shared.ErrorCode = wrote ? ERROR_DISK_FULL : GetLastError();
      shared.Wake();
      return;
    }
    received += read;
    // The thread that shows the transfer takes all waiting blocks at once: waking it for the
    // first is enough.
    const bool wake = shared.Blocks.empty();
    shared.Blocks.push_back({received, GetTickCount64(), false});
    if (wake) shared.Wake();
  }
}

}  // namespace quirel::webcopy
