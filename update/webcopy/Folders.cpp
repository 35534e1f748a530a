#include "update/webcopy/Folders.h"

#include <windows.h>

#include "update/webcopy/TransferNames.h"

namespace quirel::webcopy {
namespace {

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool ForceFolders(const std::wstring& folder) {
  std::wstring path = folder;
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  if (path.empty() || FolderExists(path)) return true;
  const std::wstring parent = FolderOf(path);
  if (!parent.empty() && parent != path && !ForceFolders(parent)) return false;
  // Another process may have made it meanwhile.
  return CreateDirectoryW(path.c_str(), nullptr) || FolderExists(path);
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace quirel::webcopy
