#include "common/Globals.h"

#include <shlobj.h>

#include <vector>

#include "BuildSettings.h"
#include "common/Encoding.h"

namespace quirel {

std::wstring AppPath;
std::wstring LocalAppDataPath;
std::wstring LogFileName = L"QuirelLog.txt";
std::wstring AppVersion;
std::wstring NewExeUrl;
std::wstring AppFullVersion;
std::wstring UpdateCheckUrl = L"https://" QUIREL_UPDATE_HOST_W L"/Quirel/update/update-exe.php?";
std::wstring UpdateDownloadUrl = L"https://" QUIREL_UPDATE_HOST_W L"/Quirel/update/download/";
std::wstring ConnectivityProbeUrl = QUIREL_PROBE_SITE_W;

std::wstring GetAppDataFolder() {
  wchar_t buf[MAX_PATH] = {};
  if (SHGetSpecialFolderPathW(nullptr, buf, CSIDL_APPDATA, FALSE)) return std::wstring(buf) + L"\\";
  return L"c:\\";
}

std::wstring GetSpecialFolder(int32_t csidl) {
  wchar_t buf[MAX_PATH + 1] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf);
  return buf;  // up to the first NUL
}

void GetExeVersion(const std::wstring& fileName, int32_t& major, int32_t& minor, int32_t& release,
                   int32_t& build) {
  major = -1;
  minor = release = build = 0;
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeW(fileName.c_str(), &unused);
  if (size == 0) return;
  std::vector<unsigned char> info(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (!GetFileVersionInfoW(fileName.c_str(), 0, size, info.data()) ||
      !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
      fixedSize < sizeof(VS_FIXEDFILEINFO))
    return;  // unreadable version information: reported like a file without any
  major = HIWORD(fixed->dwFileVersionMS);
  minor = LOWORD(fixed->dwFileVersionMS);
  release = HIWORD(fixed->dwFileVersionLS);
  build = LOWORD(fixed->dwFileVersionLS);
}

std::wstring FormatDisplayVersion(int32_t major, int32_t minor) {
  return std::to_wstring(major - 1) + L"." + std::to_wstring(minor);
}

std::wstring FormatFullVersion(int32_t major, int32_t minor, int32_t release, int32_t build) {
  return std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." + std::to_wstring(release) + L"." +
         std::to_wstring(build);
}

std::wstring ExecutableFullPath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

namespace {
size_t AfterLastDelimiter(const std::wstring& path) {
  const size_t i = path.find_last_of(L"\\:");
  return i == std::wstring::npos ? 0 : i + 1;
}
}  // namespace

std::wstring ExtractFilePath(const std::wstring& path) { return path.substr(0, AfterLastDelimiter(path)); }

std::wstring ExtractFileName(const std::wstring& path) { return path.substr(AfterLastDelimiter(path)); }

std::wstring ApplicationTitle(const std::wstring& exeFileName) {
  const std::wstring name = exeFileName.substr(0, exeFileName.find(L'.'));
  if (name.empty()) return name;
  return name.substr(0, 1) + LowerCase(std::wstring_view(name).substr(1));
}

}  // namespace quirel
