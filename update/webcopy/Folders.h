// Local folders and files a download writes into.
#pragma once

#include <string>

namespace quirel::webcopy {

// Creates the folder with every missing parent; false when it does not exist afterwards.
bool ForceFolders(const std::wstring& folder);

// A file (not a folder) of that path exists.
bool FileExists(const std::wstring& path);
// Anything, file or folder, of that path exists.
bool PathExists(const std::wstring& path);

}  // namespace quirel::webcopy
