#include <windows.h>
#include <shlwapi.h>

#include "common/Globals.h"
#include "engine/CefApplicationCore.h"

namespace quirel {

std::wstring ExecutableFolder() { return ExtractFilePath(ExecutableFullPath()); }

std::wstring IncludeTrailingBackslash(const std::wstring& path) {
  return !path.empty() && path.back() == L'\\' ? path : path + L'\\';
}

std::wstring ResolveEnginePath(const std::wstring& path, bool mustExist) {
  if (path.empty()) return {};
  std::wstring result = PathIsRelativeW(path.c_str()) ? ExecutableFolder() + path : path;
  // PathCanonicalizeW works on MAX_PATH buffers and knows neither long nor UNC paths.
  if (result.size() <= MAX_PATH && result.rfind(L"\\\\?\\", 0) != 0 &&
      !PathIsUNCW(result.c_str())) {
    wchar_t canonical[MAX_PATH] = {};
    if (PathCanonicalizeW(canonical, result.c_str())) result = canonical;
  }
  if (mustExist) {
    const DWORD attributes = GetFileAttributesW(result.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
      return {};
  }
  return result;
}

}  // namespace quirel
