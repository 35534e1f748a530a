// Fetching what a navigation asks for, on a worker thread: http(s) through
// WinINet (certificate errors ignored, as the program's engine is told to),
// file: from disk, about:blank as an empty document.
#pragma once

#include <string>

namespace quirel::standin {

struct PageResponse {
  // 0 when a response arrived (any HTTP status); else the engine's network
  // error code (negative) and its name ("net::ERR_CONNECTION_REFUSED").
  int error_code = 0;
  std::wstring error_text;
  int status = 0;           // HTTP status; 200 for files, 0 for about:blank
  std::wstring url;         // after redirects
  std::wstring mime_type;   // lower case, without parameters
  std::wstring content_disposition;
  std::string body;         // as received
};

// Blocks; call it off the UI thread.
PageResponse LoadPage(const std::wstring& url);

// The body as text, read as UTF-8 (what the program's pages are).
std::wstring BodyText(const PageResponse& response);

}  // namespace quirel::standin
