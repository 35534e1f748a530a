#include "automation/ServerRegistry.h"

#include <objbase.h>

#include "automation/OleErrors.h"

namespace quirel {
namespace {

class TRegKey {
 public:
  TRegKey() = default;
  TRegKey(const TRegKey&) = delete;
  TRegKey& operator=(const TRegKey&) = delete;
  ~TRegKey() {
    if (FKey) RegCloseKey(FKey);
  }
  HKEY* Put() { return &FKey; }
  HKEY Get() const { return FKey; }

 private:
  HKEY FKey = nullptr;
};

}  // namespace

TRegistryRoot ClassesRoot(bool perUser) {
  if (perUser) return {HKEY_CURRENT_USER, L"Software\\Classes\\"};
  return {HKEY_CLASSES_ROOT, L""};
}

std::vector<TRegistryEntry> ClassRegistryEntries(const TClassRegistration& r) {
  const std::wstring classKey = L"CLSID\\" + r.ClassId;
  return {
      {classKey, r.Description},          {classKey + L"\\LocalServer32", r.LocalServer},
      {r.ProgId, r.Description},          {r.ProgId + L"\\Clsid", r.ClassId},
      {classKey + L"\\ProgID", r.ProgId}, {classKey + L"\\Version", r.Version},
      {classKey + L"\\TypeLib", r.LibId},
  };
}

std::vector<std::wstring> ClassRegistryDeletions(const TClassRegistration& r) {
  const std::wstring classKey = L"CLSID\\" + r.ClassId;
  return {
      classKey + L"\\TypeLib",
      classKey + L"\\Version",
      classKey + L"\\ProgID",
      r.ProgId + L"\\Clsid",
      r.ProgId,
      classKey + L"\\LocalServer32",
      classKey,
  };
}

std::wstring LocalServerValue(const std::wstring& longPath, const std::wstring& shortPath) {
  if (longPath.find(L' ') == std::wstring::npos) return longPath;
  if (!shortPath.empty() && shortPath.find(L' ') == std::wstring::npos) return shortPath;
  return L"\"" + longPath + L"\"";
}

std::wstring GuidToString(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

void WriteRegistryEntries(const TRegistryRoot& root, const std::vector<TRegistryEntry>& entries) {
  for (const TRegistryEntry& entry : entries) {
    TRegKey key;
    const std::wstring path = root.Prefix + entry.Key;
    if (RegCreateKeyExW(root.Root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, key.Put(),
                        nullptr) != ERROR_SUCCESS)
      throw EOleRegistrationError();
    const DWORD bytes = static_cast<DWORD>((entry.Value.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(key.Get(), nullptr, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(entry.Value.c_str()), bytes) != ERROR_SUCCESS)
      throw EOleRegistrationError();
  }
}

void DeleteRegistryKeys(const TRegistryRoot& root, const std::vector<std::wstring>& keys) {
  for (const std::wstring& key : keys) RegDeleteKeyW(root.Root, (root.Prefix + key).c_str());
}

}  // namespace quirel
