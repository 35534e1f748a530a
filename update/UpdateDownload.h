// The installer's download: the file transfer component's settings for it.
#pragma once

#include <string>

#include "update/webcopy/WebCopy.h"

namespace quirel::update {

// Seconds without any data after which the download gives up.
inline constexpr int kDownloadStallSeconds = 30;

// The transfer component's stored settings: the Italian texts of its window and its agent.
void ConfigureInstallerDownload(webcopy::TWebCopy& webCopy);

// The settings of one download of `url` into `folder` (with a trailing backslash). Raises when
// the URL's last part could write outside the folder.
void PrepareInstallerDownload(webcopy::TWebCopy& webCopy, const std::wstring& url,
                              const std::wstring& folder);

}  // namespace quirel::update
