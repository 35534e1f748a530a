// Clean-up of the engine's cache folder before the engine starts.
#pragma once

#include <string>
#include <vector>

namespace quirel {

// Moves dir aside to dir(n) and deletes that copy on a background thread; with keepCookies the
// cookie files move back into a new dir. Falls back to emptying dir in place.
void RenameAndDeleteDir(const std::wstring& dir, bool keepCookies);
void DeleteCookieFiles(const std::wstring& dir);
void ClearCacheKeepingCookies(const std::wstring& dir);
// Deletes dir's files (except those named in exceptions) and sub-folders, recursively;
// stops at the first failure and tells whether everything went.
bool DeleteDirContents(const std::wstring& dir, const std::vector<std::wstring>& exceptions);

}  // namespace quirel
