#include "engine/CacheCleanup.h"

#include <windows.h>

#include <memory>
#include <thread>

namespace quirel {
namespace {

bool DirectoryExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

bool NameIn(const std::wstring& name, const std::vector<std::wstring>& names) {
  for (const std::wstring& n : names)
    if (CompareStringOrdinal(n.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
  return false;
}

void DeleteFileList(const std::vector<std::wstring>& files) {
  for (const std::wstring& file : files) DeleteFileW(file.c_str());
}

void MoveFileList(const std::vector<std::wstring>& names, const std::wstring& from,
                  const std::wstring& to) {
  CreateDirectoryW(to.c_str(), nullptr);
  for (const std::wstring& name : names) {
    const std::wstring source = from + L"\\" + name;
    if (GetFileAttributesW(source.c_str()) != INVALID_FILE_ATTRIBUTES)
      MoveFileW(source.c_str(), (to + L"\\" + name).c_str());
  }
}

const std::vector<std::wstring> kCookieFiles{L"Cookies", L"Cookies-journal"};

}  // namespace

bool DeleteDirContents(const std::wstring& dir, const std::vector<std::wstring>& exceptions) {
  const std::wstring folder = WithoutTrailingBackslash(dir);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return true;
  std::unique_ptr<void, decltype(&FindClose)> closer(search, &FindClose);
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!DeleteDirContents(path, exceptions) || !RemoveDirectoryW(path.c_str())) return false;
    } else if (!NameIn(name, exceptions) && !DeleteFileW(path.c_str())) {
      return false;
    }
  } while (FindNextFileW(search, &found));
  return true;
}

void DeleteCookieFiles(const std::wstring& dir) {
  const std::wstring folder = WithoutTrailingBackslash(dir);
  DeleteFileList({folder + L"\\Cookies", folder + L"\\Cookies-journal"});
}

void ClearCacheKeepingCookies(const std::wstring& dir) {
  DeleteDirContents(dir, {L"Cookies", L"Cookies-journal", L"LocalPrefs.json"});
}

void RenameAndDeleteDir(const std::wstring& dir, bool keepCookies) {
  if (dir.empty() || !DirectoryExists(dir)) return;
  const std::wstring old = WithoutTrailingBackslash(dir);
  const size_t slash = old.rfind(L'\\');
  if (slash != std::wstring::npos && slash + 1 < old.size()) {
    std::wstring moved;
    for (int n = 1;; ++n) {
      moved = old + L"(" + std::to_wstring(n) + L")";
      if (!DirectoryExists(moved)) break;
    }
    if (MoveFileW(old.c_str(), moved.c_str())) {
      if (keepCookies) MoveFileList(kCookieFiles, moved, old);
      // Deleting a large cache can take long; nobody waits for it.
      std::thread([moved] {
        if (DeleteDirContents(moved, {})) RemoveDirectoryW(moved.c_str());
      }).detach();
      return;
    }
  }
  if (keepCookies)
    ClearCacheKeepingCookies(dir);
  else
    DeleteDirContents(dir, {});
}

}  // namespace quirel
