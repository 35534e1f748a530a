// The bytes of the one request this client sends.
#pragma once

#include <string>

#include "update/https/HttpsUrl.h"

namespace quirel::update {

// "GET <path?query> HTTP/1.1", then Host, Accept and User-Agent, each line ending in CR LF,
// and the empty line; text goes out as UTF-8, unescaped. Raises EHttpsError when the URL or
// the agent holds a control character that would break the request's framing.
std::string BuildGetRequest(const THttpsUrl& url, const std::wstring& userAgent);

}  // namespace quirel::update
