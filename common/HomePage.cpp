#include "common/HomePage.h"

#include "BuildSettings.h"

namespace quirel {

const std::wstring& HomePageUrl() {
  static const std::wstring url = L"https://" QUIREL_HOME_HOST_W L"/Quirel/";
  return url;
}

const std::vector<std::wstring>& ApplicationOriginUrls() {
  static const std::vector<std::wstring> urls = [] {
    std::vector<std::wstring> list{HomePageUrl()};
    const std::wstring extra = QUIREL_EXTRA_ORIGINS_W;
    size_t start = 0;
    while (start <= extra.size()) {
      size_t end = extra.find(L';', start);
      if (end == std::wstring::npos) end = extra.size();
      std::wstring item = extra.substr(start, end - start);
      while (!item.empty() && item.front() == L' ') item.erase(0, 1);
      while (!item.empty() && item.back() == L' ') item.pop_back();
      if (!item.empty()) list.push_back(item);
      start = end + 1;
    }
    return list;
  }();
  return urls;
}

}  // namespace quirel
