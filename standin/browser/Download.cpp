#include "standin/browser/Download.h"

#include <windows.h>

#include <atomic>
#include <cwctype>

#include "engine/capi/CefObject.h"
#include "standin/browser/Browser.h"
#include "standin/core/Leftovers.h"
#include "standin/core/LoopRegistry.h"
#include "standin/core/Trace.h"
#include "standin/strings/EngineStrings.h"

namespace quirel::standin {
namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

// Characters a file name cannot hold become '_'.
std::wstring SafeFileName(std::wstring name) {
  for (wchar_t& c : name) {
    if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) c = L'_';
  }
  while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
  return name;
}

std::wstring PercentDecoded(const std::wstring& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'%' && i + 2 < text.size() && std::iswxdigit(text[i + 1]) &&
        std::iswxdigit(text[i + 2])) {
      bytes += static_cast<char>(std::wcstoul(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      bytes += static_cast<char>(text[i] < 128 ? text[i] : '_');
    }
  }
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), size);
  return out;
}

// The value of `name=` in a Content-Disposition, unquoted ("" when absent).
std::wstring DispositionParameter(const std::wstring& disposition, const std::wstring& name) {
  const std::wstring lower = Lower(disposition);
  size_t at = 0;
  while ((at = lower.find(name + L"=", at)) != std::wstring::npos) {
    if (at == 0 || lower[at - 1] == L';' || lower[at - 1] == L' ') break;
    at += name.size();
  }
  if (at == std::wstring::npos) return L"";
  size_t start = at + name.size() + 1;
  if (start < disposition.size() && disposition[start] == L'"') {
    const size_t end = disposition.find(L'"', start + 1);
    return disposition.substr(start + 1, end == std::wstring::npos ? end : end - start - 1);
  }
  const size_t end = disposition.find(L';', start);
  std::wstring value = disposition.substr(start, end == std::wstring::npos ? end : end - start);
  while (!value.empty() && value.back() == L' ') value.pop_back();
  return value;
}

class DownloadItem : public CefObject<DownloadItem, cef_download_item_t> {
  leftovers::Counted counted_{"download_item"};

 public:
  explicit DownloadItem(std::shared_ptr<DownloadState> state) : state_(std::move(state)) {
    cef_download_item_t* s = cef();
    Bind<&DownloadItem::IsValid>(s->is_valid);
    Bind<&DownloadItem::IsInProgress>(s->is_in_progress);
    Bind<&DownloadItem::IsComplete>(s->is_complete);
    Bind<&DownloadItem::IsCanceled>(s->is_canceled);
    Bind<&DownloadItem::CurrentSpeed>(s->get_current_speed);
    Bind<&DownloadItem::PercentComplete>(s->get_percent_complete);
    Bind<&DownloadItem::TotalBytes>(s->get_total_bytes);
    Bind<&DownloadItem::ReceivedBytes>(s->get_received_bytes);
    Bind<&DownloadItem::StartTime>(s->get_start_time);
    Bind<&DownloadItem::EndTime>(s->get_end_time);
    Bind<&DownloadItem::FullPath>(s->get_full_path);
    Bind<&DownloadItem::Id>(s->get_id);
    Bind<&DownloadItem::Url>(s->get_url);
    Bind<&DownloadItem::Url>(s->get_original_url);
    Bind<&DownloadItem::SuggestedName>(s->get_suggested_file_name);
    Bind<&DownloadItem::Disposition>(s->get_content_disposition);
    Bind<&DownloadItem::MimeType>(s->get_mime_type);
  }

 private:
  int IsValid() { return 1; }
  int IsInProgress() {
    std::lock_guard lock(state_->mutex);
    return state_->in_progress;
  }
  int IsComplete() {
    std::lock_guard lock(state_->mutex);
    return state_->complete;
  }
  int IsCanceled() {
    std::lock_guard lock(state_->mutex);
    return state_->canceled;
  }
  int64 CurrentSpeed() { return 0; }
  int PercentComplete() {
    std::lock_guard lock(state_->mutex);
    const long long total = static_cast<long long>(state_->body.size());
    return total == 0 ? (state_->complete ? 100 : 0)
                      : static_cast<int>(state_->received * 100 / total);
  }
  int64 TotalBytes() {
    std::lock_guard lock(state_->mutex);
    return static_cast<int64>(state_->body.size());
  }
  int64 ReceivedBytes() {
    std::lock_guard lock(state_->mutex);
    return state_->received;
  }
  cef_time_t StartTime() {
    std::lock_guard lock(state_->mutex);
    return state_->start_time;
  }
  cef_time_t EndTime() {
    std::lock_guard lock(state_->mutex);
    return state_->end_time;
  }
  cef_string_userfree_t FullPath() {
    std::lock_guard lock(state_->mutex);
    return NewUserFreeString(state_->full_path);
  }
  uint32 Id() { return state_->id; }
  cef_string_userfree_t Url() { return NewUserFreeString(state_->url); }
  cef_string_userfree_t SuggestedName() { return NewUserFreeString(state_->suggested_name); }
  cef_string_userfree_t Disposition() {
    return NewUserFreeString(state_->content_disposition);
  }
  cef_string_userfree_t MimeType() { return NewUserFreeString(state_->mime_type); }

  const std::shared_ptr<DownloadState> state_;
};

class BeforeDownloadCallback
    : public CefObject<BeforeDownloadCallback, cef_before_download_callback_t> {
  leftovers::Counted counted_{"before_download_callback"};

 public:
  BeforeDownloadCallback(std::weak_ptr<Browser> browser, std::shared_ptr<DownloadState> state)
      : browser_(std::move(browser)), state_(std::move(state)) {
    Bind<&BeforeDownloadCallback::Cont>(cef()->cont);
  }

 private:
  void Cont(const cef_string_t* path, int show_dialog) {
    trace::Callback("before_download_callback.cont")
        .Int("download", state_->id)
        .Text("download_path", path)
        .Int("show_dialog", show_dialog);
    {
      std::lock_guard lock(state_->mutex);
      if (state_->continued) return;  // the engine continues a download once
      state_->continued = true;
    }
    const auto loop = FindLoop(TID_UI);
    if (!loop) return;
    loop->Post([browser = browser_, state = state_, target = ToWString(path), show_dialog] {
      if (const auto self = browser.lock()) self->ContinueDownload(state, target, show_dialog != 0);
    });
  }

  const std::weak_ptr<Browser> browser_;
  const std::shared_ptr<DownloadState> state_;
};

class DownloadItemCallback : public CefObject<DownloadItemCallback, cef_download_item_callback_t> {
  leftovers::Counted counted_{"download_item_callback"};

 public:
  explicit DownloadItemCallback(std::shared_ptr<DownloadState> state) : state_(std::move(state)) {
    Bind<&DownloadItemCallback::Cancel>(cef()->cancel);
    Bind<&DownloadItemCallback::Pause>(cef()->pause);
    Bind<&DownloadItemCallback::Resume>(cef()->resume);
  }

 private:
  // The file is written in one go once the target is known: only a
  // download still waiting for it can be cancelled.
  void Cancel() {
    trace::Callback("download_item_callback.cancel").Int("download", state_->id);
    std::lock_guard lock(state_->mutex);
    if (state_->complete) return;
    state_->canceled = true;
    state_->in_progress = false;
  }
  void Pause() { trace::Callback("download_item_callback.pause").Int("download", state_->id); }
  void Resume() { trace::Callback("download_item_callback.resume").Int("download", state_->id); }

  const std::shared_ptr<DownloadState> state_;
};

}  // namespace

bool IsDownload(const PageResponse& response) {
  if (Lower(response.content_disposition).starts_with(L"attachment")) return true;
  const std::wstring& type = response.mime_type;
  if (type.empty() || type.starts_with(L"text/")) return false;
  return type != L"application/xhtml+xml" && type != L"application/json" &&
         type != L"application/javascript";
}

std::wstring SuggestedFileName(const PageResponse& response) {
  std::wstring name;
  const std::wstring extended = DispositionParameter(response.content_disposition, L"filename*");
  if (const size_t quote = extended.find(L"''"); quote != std::wstring::npos) {
    name = PercentDecoded(extended.substr(quote + 2));
  }
  if (name.empty()) name = DispositionParameter(response.content_disposition, L"filename");
  if (name.empty()) {
    std::wstring path = response.url.substr(0, response.url.find_first_of(L"?#"));
    const size_t slash = path.find_last_of(L'/');
    if (slash != std::wstring::npos && path.find(L"://") + 2 != slash)
      name = PercentDecoded(path.substr(slash + 1));
  }
  name = SafeFileName(name);
  return name.empty() ? L"download" : name;
}

cef_time_t Now() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  cef_time_t time{};
  time.year = now.wYear;
  time.month = now.wMonth;
  time.day_of_week = now.wDayOfWeek;
  time.day_of_month = now.wDay;
  time.hour = now.wHour;
  time.minute = now.wMinute;
  time.second = now.wSecond;
  time.millisecond = now.wMilliseconds;
  return time;
}

std::shared_ptr<DownloadState> NewDownload(const PageResponse& response) {
  static std::atomic<uint32> next{0};
  auto state = std::make_shared<DownloadState>();
  state->id = ++next;
  state->url = response.url;
  state->suggested_name = SuggestedFileName(response);
  state->mime_type = response.mime_type;
  state->content_disposition = response.content_disposition;
  state->body = response.body;
  state->start_time = Now();
  return state;
}

CefRef<cef_download_item_t> NewDownloadItem(std::shared_ptr<DownloadState> state) {
  return CefNew<DownloadItem>(std::move(state));
}

CefRef<cef_before_download_callback_t> NewBeforeDownloadCallback(
    std::weak_ptr<Browser> browser, std::shared_ptr<DownloadState> state) {
  return CefNew<BeforeDownloadCallback>(std::move(browser), std::move(state));
}

CefRef<cef_download_item_callback_t> NewDownloadItemCallback(
    std::shared_ptr<DownloadState> state) {
  return CefNew<DownloadItemCallback>(std::move(state));
}

}  // namespace quirel::standin
