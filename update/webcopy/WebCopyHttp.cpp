// The HTTP(S) download of one item over WinINet.
#include <array>
#include <optional>
#include <vector>

#include "update/webcopy/Folders.h"
#include "update/webcopy/InOutError.h"
#include "update/webcopy/MessagePump.h"
#include "update/webcopy/TransferNames.h"
#include "update/webcopy/WebCopy.h"

namespace quirel::webcopy {
namespace {

constexpr DWORD kBlockSize = 4096;

std::optional<DWORD> QueryNumber(HINTERNET request, DWORD query) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (!HttpQueryInfoW(request, query | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) return std::nullopt;
  return value;
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

void WriteBlock(HANDLE file, const char* data, DWORD length) {
  DWORD written = 0;
  if (!WriteFile(file, data, length, &written, nullptr)) throw EInOutError(GetLastError());
  // A short write without an error code is what a full disk gives.
  if (written != length) throw EInOutError(ERROR_DISK_FULL);
}

}  // namespace

bool TWebCopy::CopyHttpItem(TWebCopyItem& item) {
  const std::wstring url = item.URL;
  const std::wstring name = UrlFileName(url);

  if (FForm) {
    TFileLine line{DlgFileLabel, DlgFileOfLabel, DlgFromServerLabel, Items.Count(), FFileNum, Items.CountActive(),
                   url,          item.DisplayURL, ShowServer};
    FForm->SetFileLine(FileLineText(line));
  }
  ProcessMessages();

  // No login window is built: with nobody to ask for missing credentials, give up.
  if (item.Authenticate == waAlways && (item.HTTPUserID.empty() || item.HTTPPassword.empty())) return false;
  const std::wstring headers =
      RequestHeaders(url, item.HTTPUserID, item.HTTPPassword, !Proxy.empty(), ProxyUserID, ProxyPassword);
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
  if (HTTPKeepAliveAuthentication) flags |= INTERNET_FLAG_KEEP_CONNECTION;
  TInternetHandle request(InternetOpenUrlW(FInternet.get(), url.c_str(), headers.empty() ? nullptr : headers.c_str(),
                                           headers.empty() ? 0 : static_cast<DWORD>(-1), flags, 0));
  ProcessMessages();
  if (!request) {
    if (OnURLNotFound) OnURLNotFound(*this, url);
    return false;
  }

  // Without a login window a 401 cannot be answered, so it is reported like any other status.
  const DWORD status = QueryNumber(request.get(), HTTP_QUERY_STATUS_CODE).value_or(0);
  if (status >= 300) {
    request.reset();
    ReportError(static_cast<int>(status), L"Returned http error code " + std::to_wstring(status));
    return false;
  }

  std::wstring fileName = item.TargetFilename;
  if (fileName.empty()) {
    const std::wstring finalUrl = FinalUrl(request.get());
    fileName = !finalUrl.empty() && finalUrl != url ? UrlFileName(finalUrl) : name;
    if (AutoURLDecode) fileName = DecodeUrlFileName(fileName);
  }
  std::wstring target = JoinTargetPath(item.TargetDir, fileName);
  FLastFile = target;
  FLastDir = item.TargetDir;

  if (FileExists(target)) {
    bool allow = true;
    if (OnCopyOverWrite) OnCopyOverWrite(*this, target, allow);
    if (!allow) return false;
    if (CreateUniqueFilenames) {
      const std::wstring taken = target;
      for (int n = 1; PathExists(target); ++n) target = NumberedFileName(taken, n);
      // The file actually written, which the open-file button starts.
      FLastFile = target;
    }
  }

  // A failure here shows when the file cannot be created.
  ForceFolders(FolderOf(target));
  TFileHandle file(
      CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    request.reset();
    ReportError(3, L"Cannot create file " + target);
    return false;
  }

  int64_t total = QueryNumber(request.get(), HTTP_QUERY_CONTENT_LENGTH).value_or(0);
  if (total == 0) total = item.ExpectedSize;
  int64_t received = 0;
  const uint64_t start = GetTickCount64();
  if (FForm) FForm->SetMarquee(total <= 0);

  bool result = false;
  std::array<char, kBlockSize> buffer;
  DWORD read = 0;
  bool first = true;
  while ((first || read > 0) && !FCancelled) {
    first = false;
    ProcessMessages();
    read = 0;
    if (!InternetReadFile(request.get(), buffer.data(), kBlockSize, &read)) break;
    if (read > 0) WriteBlock(file.Get(), buffer.data(), read);
    received += read;
    UpdateProgress(received, total, start);
    if (OnCopyProgress) OnCopyProgress(*this, FFileNum, received, total);
    ProcessMessages();
    if (read > 0) result = true;
  }

  file.Close();
  if (FCancelled) DeleteFileW(target.c_str());
  request.reset();
  return result;
}

}  // namespace quirel::webcopy
