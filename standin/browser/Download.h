// Downloads: a response that is not a page to show (Content-Disposition:
// attachment, or a type that is not text) is saved to a file instead. The
// state is shared by the engine's cef_download_item_t objects and the
// browser that runs the download.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/browser/PageLoader.h"

namespace quirel::standin {

class Browser;

struct DownloadState {
  std::mutex mutex;
  uint32 id = 0;
  std::wstring url;
  std::wstring suggested_name;
  std::wstring mime_type;
  std::wstring content_disposition;
  std::string body;
  std::wstring full_path;
  long long received = 0;
  bool in_progress = true;
  bool complete = false;
  bool canceled = false;
  bool continued = false;
  cef_time_t start_time{};
  cef_time_t end_time{};
};

bool IsDownload(const PageResponse& response);
// From Content-Disposition's filename, else the URL's last segment, else "download".
std::wstring SuggestedFileName(const PageResponse& response);
std::shared_ptr<DownloadState> NewDownload(const PageResponse& response);
cef_time_t Now();

CefRef<cef_download_item_t> NewDownloadItem(std::shared_ptr<DownloadState> state);
// cont(path, show_dialog) continues the download on the UI thread, once.
CefRef<cef_before_download_callback_t> NewBeforeDownloadCallback(
    std::weak_ptr<Browser> browser, std::shared_ptr<DownloadState> state);
CefRef<cef_download_item_callback_t> NewDownloadItemCallback(
    std::shared_ptr<DownloadState> state);

}  // namespace quirel::standin
