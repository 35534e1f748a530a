// The registry entries that make the program a COM local server: what a registration writes,
// in order, and what an unregistration deletes, in order.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quirel {

// Where a registration goes: the machine (HKEY_CLASSES_ROOT) or the current user.
struct TRegistryRoot {
  HKEY Root;
  std::wstring Prefix;  // "" or "Software\Classes\"
};
TRegistryRoot ClassesRoot(bool perUser);

// What one creatable class records about itself.
struct TClassRegistration {
  std::wstring ClassId;  // braced, upper case
  std::wstring ProgId;
  std::wstring Description;
  std::wstring LocalServer;  // see LocalServerValue
  std::wstring Version;      // the type library's, "major.minor"
  std::wstring LibId;        // braced, upper case
};

struct TRegistryEntry {
  std::wstring Key;    // below the root and prefix
  std::wstring Value;  // the key's default value (REG_SZ)
};

std::vector<TRegistryEntry> ClassRegistryEntries(const TClassRegistration& registration);
std::vector<std::wstring> ClassRegistryDeletions(const TClassRegistration& registration);

// The local server's command: the long path, or its short form when the long one has a
// blank (COM would split it there). When no blank-free short form exists either, the long
// path in quotes, which COM reads as one file name.
std::wstring LocalServerValue(const std::wstring& longPath, const std::wstring& shortPath);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
std::wstring GuidToString(const GUID& guid);

// Creates each key (read, create-sub-key and set-value rights) and writes its default value;
// raises EOleRegistrationError at the first failure, leaving what was written.
void WriteRegistryEntries(const TRegistryRoot& root, const std::vector<TRegistryEntry>& entries);
// Deletes each key in turn; a key that cannot be deleted is skipped.
void DeleteRegistryKeys(const TRegistryRoot& root, const std::vector<std::wstring>& keys);

}  // namespace quirel
