// A browser's downloads: on_before_download asks where (the callback's
// cont(path, show_dialog)); without a download handler the engine asks the
// user itself. With show_dialog a Save As dialog, owned by the browser's
// top-level window, proposes the suggested name. The file is then written and
// on_download_updated reports it in progress and complete (or cancelled).
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>
#include <knownfolders.h>

#include <fstream>
#include <vector>

#include "standin/browser/Borrowed.h"
#include "standin/browser/Browser.h"
#include "standin/browser/Download.h"
#include "standin/browser/Worker.h"
#include "standin/core/LoopRegistry.h"
#include "standin/core/Provides.h"
#include "standin/core/Trace.h"

namespace quirel::standin {
namespace {

std::wstring DownloadsFolder() {
  wchar_t* path = nullptr;
  std::wstring folder;
  if (SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &path) == S_OK) folder = path;
  CoTaskMemFree(path);
  if (folder.empty()) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = temp;
  }
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

// The target the user picks; "" when the dialog is cancelled.
std::wstring AskForTarget(HWND owner, const std::wstring& proposed) {
  std::vector<wchar_t> file(32768, L'\0');
  proposed.copy(file.data(), file.size() - 1);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"All files (*.*)\0*.*\0";
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return L"";
  return file.data();
}

}  // namespace

void Browser::StartDownload(const PageResponse& response) {
  const std::shared_ptr<DownloadState> state = NewDownload(response);
  trace::Event("browser.download_started")
      .Int("browser", identifier_)
      .Int("download", state->id)
      .Text("url", state->url)
      .Text("suggested_name", state->suggested_name)
      .Text("mime_type", state->mime_type)
      .Int("total_bytes", static_cast<long long>(state->body.size()));
  const auto& handler = handlers_.download;
  if (!Provides(handler.get(), &cef_download_handler_t::on_before_download)) {
    ContinueDownload(state, L"", true);
    return;
  }
  const cef_string_t suggested = Borrowed(state->suggested_name);
  trace::Callback("download_handler.on_before_download")
      .Int("browser", identifier_)
      .Int("download", state->id)
      .Text("suggested_name", state->suggested_name);
  handler->on_before_download(handler.get(), BrowserObject().Detach(),
                              NewDownloadItem(state).Detach(), &suggested,
                              NewBeforeDownloadCallback(weak_from_this(), state).Detach());
}

void Browser::ContinueDownload(const std::shared_ptr<DownloadState>& state,
                               const std::wstring& path, bool show_dialog) {
  {
    std::lock_guard lock(state->mutex);
    if (state->canceled) return;
  }
  if (!show_dialog) {
    WriteDownload(state, path.empty() ? DownloadsFolder() + state->suggested_name : path);
    return;
  }
  const HWND window = this->window();
  const HWND owner = window ? GetAncestor(window, GA_ROOT) : nullptr;
  const std::wstring proposed = path.empty() ? state->suggested_name : path;
  trace::Event("browser.download_dialog")
      .Int("browser", identifier_)
      .Int("download", state->id)
      .Int("owner", HandleNumber(owner))
      .Text("proposed", proposed);
  // The dialog is modal to the program's window, not to the engine: the UI
  // thread goes on while the user picks.
  const std::weak_ptr<Browser> weak = weak_from_this();
  RunOnWorker([weak, state, owner, proposed] {
    const std::wstring target = AskForTarget(owner, proposed);
    const auto loop = FindLoop(TID_UI);
    if (!loop) return;
    loop->Post([weak, state, target] {
      if (const auto self = weak.lock()) self->WriteDownload(state, target);
    });
  });
}

// An empty target: the user dismissed the dialog.
void Browser::WriteDownload(const std::shared_ptr<DownloadState>& state,
                            const std::wstring& target) {
  bool written = false;
  if (!target.empty()) {
    {
      std::lock_guard lock(state->mutex);
      state->full_path = target;
    }
    DownloadUpdated(state);  // in progress, nothing received yet
    std::ofstream file(target.c_str(), std::ios::binary | std::ios::trunc);
    file.write(state->body.data(), static_cast<std::streamsize>(state->body.size()));
    written = static_cast<bool>(file.flush());
  }
  {
    std::lock_guard lock(state->mutex);
    state->in_progress = false;
    state->end_time = Now();
    if (written && !state->canceled) {
      state->received = static_cast<long long>(state->body.size());
      state->complete = true;
    } else {
      written = false;
      state->canceled = true;
    }
  }
  trace::Event("browser.download_finished")
      .Int("browser", identifier_)
      .Int("download", state->id)
      .Text("full_path", target)
      .Bool("complete", written);
  DownloadUpdated(state);
}

void Browser::DownloadUpdated(const std::shared_ptr<DownloadState>& state) {
  const auto& handler = handlers_.download;
  if (Closed() || !Provides(handler.get(), &cef_download_handler_t::on_download_updated)) return;
  bool in_progress = false, complete = false, canceled = false;
  long long received = 0;
  {
    std::lock_guard lock(state->mutex);
    in_progress = state->in_progress;
    complete = state->complete;
    canceled = state->canceled;
    received = state->received;
  }
  trace::Callback("download_handler.on_download_updated")
      .Int("browser", identifier_)
      .Int("download", state->id)
      .Bool("in_progress", in_progress)
      .Bool("complete", complete)
      .Bool("canceled", canceled)
      .Int("received_bytes", received);
  handler->on_download_updated(handler.get(), BrowserObject().Detach(),
                               NewDownloadItem(state).Detach(),
                               NewDownloadItemCallback(state).Detach());
}

}  // namespace quirel::standin
