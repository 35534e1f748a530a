// The web application the windows show, fixed at build time.
#pragma once

#include <string>
#include <vector>

namespace quirel {

// https://<home host>/Quirel/
const std::wstring& HomePageUrl();

// Addresses whose origins are the web application's: the home page's, then the further
// origins of the build settings.
const std::vector<std::wstring>& ApplicationOriginUrls();

}  // namespace quirel
